#pragma once

#include "core/drill.h"
#include "design/form_layout.h"

namespace minamo {

inline constexpr int drillLengthSeconds = 600;
inline constexpr int secondsPerMinute = 60;

// One tick of Timer1: the time left in Label2, the score in Label5, the end at zero.
// The time left is measured on the monotonic clock from the drill's reset, so a drill
// over midnight lasts its full length too.
void countDown(Drill& d);

} // namespace minamo
