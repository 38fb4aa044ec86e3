#include "algebra/side_simplifier.h"

namespace minamo {

void simplifySide(DrillState& s) {}

} // namespace minamo
