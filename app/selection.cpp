#include "app/selection.h"

namespace minamo {

void selectProblems(DrillState& s, RandomSource& random) {}

} // namespace minamo
