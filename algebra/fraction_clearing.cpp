#include "algebra/fraction_clearing.h"

namespace minamo {

void clearFractions(DrillState& s) {}

void drawWorkedFractionLine(Drill& d) {}

} // namespace minamo
