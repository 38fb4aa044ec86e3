#include "algebra/expression_terms.h"

namespace minamo {

void splitExpressionTerms(DrillState& s) {}

} // namespace minamo
