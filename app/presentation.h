#pragma once

#include "core/drill.h"

namespace minamo {

// Moves to the next position of the drill list and shows its problem in Picture2.
void advanceProblem(Drill& d);

// The confirm button after a miss: hides the miss display and goes on.
void goOnAfterMiss(Drill& d);

// A button waits for the pupil: 確認 after a miss, 消す at the end. The keyboard may then
// leave the answer box for it, and the countdown leaves it there.
bool buttonWaits(const Platform& ui);

} // namespace minamo
