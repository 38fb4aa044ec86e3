#include "render/typed_power.h"

#include "render/power_core.h"

namespace minamo {

void drawTypedPower(Drill& d) {
    drawPowers(d, PowerVariant::TypedAnswer);
}

} // namespace minamo
