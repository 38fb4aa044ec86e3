#pragma once

#include "core/drill.h"

namespace minamo {

// The sign clean-up every fraction-term drawing applies to its lead first: a zero
// coefficient written out by a caller leaves only its sign ("-0" -> "-", "+0" -> "+",
// "=0" -> "=", "0" -> no lead).
QString cleanTermSign(const QString& sign);

// Draws one term (termSign, termNumerator over termDenominator) in Picture2 at
// (layoutX, layoutY) and moves the origin to the term's end.
void drawFractionTerm(Drill& d);

} // namespace minamo
