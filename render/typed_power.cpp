#include "render/typed_power.h"

namespace minamo {

void drawTypedPower(Drill& d) {}

} // namespace minamo
