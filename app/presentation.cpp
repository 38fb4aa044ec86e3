#include "app/presentation.h"

namespace minamo {

void advanceProblem(Drill& d) {}

void command3Click(Drill& d) {}

} // namespace minamo
