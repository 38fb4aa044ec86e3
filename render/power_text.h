#pragma once

#include "core/drill.h"

namespace minamo {

// Draws powerText in Picture2 with each "^" exponent raised and smaller.
void drawPowerText(Drill& d);

} // namespace minamo
