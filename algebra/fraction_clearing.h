#pragma once

#include "app/drill.h"

namespace minamo {

// Turns the fraction equation in currentLine into three lines in fractionLines (sorted,
// over the common denominator, without denominators) and pendingEquation.
void clearFractions(DrillState& s);

// Draws layoutText in Picture7 with stacked fractions at (layoutX, layoutY) and moves
// layoutY 800 twips down.
void drawWorkedFractionLine(Drill& d);

} // namespace minamo
