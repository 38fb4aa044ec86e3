#pragma once

#include "core/drill_state.h"

namespace minamo {

// Cuts answerLayoutText into signed terms: expressionTerms(1..expressionTermCount).
void splitExpressionTerms(DrillState& s);

} // namespace minamo
