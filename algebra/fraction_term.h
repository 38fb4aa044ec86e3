#pragma once

#include "app/drill.h"

namespace minamo {

// Draws one term (termSign, termNumerator over termDenominator) in Picture2 at
// (layoutX, layoutY) and moves the origin to the term's end.
void drawFractionTerm(Drill& d);

} // namespace minamo
