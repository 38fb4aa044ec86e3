#pragma once

#include "core/drill.h"

namespace minamo {

// The answer a pupil is to type: the stored answer up to its first ":".
QString expectedAnswer(const QString& stored);

// Shows a problem without powers in Picture2 as the drill presents it: a problem with a
// fraction as its equation with stacked fractions (layoutText becomes the equation), any
// other as text, cut into pieces of 21 characters a line when it is longer than 20.
void drawProblem(Drill& d, const QString& problem);

} // namespace minamo
