#include "render/common_factor.h"

namespace minamo {

void findCommonFactor(DrillState& s) {}

} // namespace minamo
