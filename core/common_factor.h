#pragma once

#include "core/drill_state.h"

namespace minamo {

// The start-up's prime table: 1 at index 0, the seventeen primes 2 .. 59 at 1..17.
void fillPrimes(DrillState& s);

// Greatest common factor and least common multiple of factorInputA and factorInputB,
// into commonFactorResult and commonMultipleResult.
void findCommonFactor(DrillState& s);

} // namespace minamo
