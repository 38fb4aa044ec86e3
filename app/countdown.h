#pragma once

#include "catalogue/record_name.h"
#include "core/drill.h"
#include "design/form_layout.h"

namespace minamo {

inline constexpr int drillLengthSeconds = 600;
inline constexpr int secondsPerMinute = 60;

// The fresh edition's clock: whole seconds left as minutes and two-digit seconds, "9:04".
QString freshClockText(int seconds);

// One tick of Timer1: the time left in Label2, the score in Label5, the end at zero.
// The time left is measured on the monotonic clock from the drill's reset, so a drill
// over midnight lasts its full length too. The fresh edition's clock reads the whole
// seconds left as freshClockText writes them; the plain one keeps its own reading.
void countDown(Drill& d, Numbers numbers = Numbers::Bank);

} // namespace minamo
