#pragma once

#include "app/drill.h"

namespace minamo {

// Cuts layoutText into signed terms: eqTerm(0) the count as text, eqTerm(1..) the terms.
void splitTerms(DrillState& s);

// Draws layoutText in Picture2 as an equation with stacked fractions.
void drawFractionEquation(Drill& d);

// The drawing both fraction-equation procedures share: splits layoutText with splitTerms
// and draws its terms in area, the running x starting at startX and the fraction bars at
// barY. The pen is left where the last term ended.
void drawFractionLine(DrillState& s, PictureArea& area, double startX, double barY);

} // namespace minamo
