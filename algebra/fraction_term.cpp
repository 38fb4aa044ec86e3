#include "algebra/fraction_term.h"

namespace minamo {

void drawFractionTerm(Drill& d) {}

} // namespace minamo
