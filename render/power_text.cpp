#include "render/power_text.h"

namespace minamo {

void drawPowerText(Drill& d) {}

} // namespace minamo
