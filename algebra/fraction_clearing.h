#pragma once

#include "core/drill_state.h"

namespace minamo {

// Turns the fraction equation in currentLine into three lines in fractionLines (sorted,
// over the common denominator, without denominators) and pendingEquation.
void clearFractions(DrillState& s);

} // namespace minamo
