#pragma once

#include "core/drill_state.h"
#include "platform/platform.h"

namespace minamo {

// Copies the bank into the drill list, every problem once, shuffled only within each
// consecutive group of ten bank positions.
void selectProblems(DrillState& s, RandomSource& random);

} // namespace minamo
