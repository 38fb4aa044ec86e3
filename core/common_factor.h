#pragma once

#include "core/drill_state.h"

namespace minamo {

// Greatest common factor and least common multiple of factorInputA and factorInputB,
// into commonFactorResult and commonMultipleResult.
void findCommonFactor(DrillState& s);

} // namespace minamo
