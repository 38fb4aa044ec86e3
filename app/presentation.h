#pragma once

#include "core/drill.h"

namespace minamo {

// Moves to the next position of the drill list and shows its problem in Picture2.
void advanceProblem(Drill& d);

// The confirm button after a miss: hides the miss display and goes on.
void goOnAfterMiss(Drill& d);

} // namespace minamo
