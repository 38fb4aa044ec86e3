#pragma once

#include "core/drill.h"

namespace minamo {

// Cuts layoutText into signed terms: eqTerm(0) the count as text, eqTerm(1..) the terms.
void splitTerms(DrillState& s);

// Draws layoutText in Picture2 as an equation with stacked fractions.
void drawFractionEquation(Drill& d);

// One line of a worked solution: layoutText in Picture7 with stacked fractions at
// (layoutX, layoutY); layoutY then moves 800 twips below where the line ended.
void drawWorkedFractionLine(Drill& d);

// The drawing both fraction-equation procedures share: splits layoutText with splitTerms
// and draws its terms in area, the running x starting at startX and the fraction bars at
// barY. The pen is left where the last term ended.
void drawFractionLine(DrillState& s, PictureArea& area, double startX, double barY);

} // namespace minamo
