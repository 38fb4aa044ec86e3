#pragma once

#include "core/drill.h"

namespace minamo {

// Draws powerText in Picture3 (the typed answer) with raised exponents.
void drawTypedPower(Drill& d);

} // namespace minamo
