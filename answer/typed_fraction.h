#pragma once

#include "core/drill.h"

namespace minamo {

// Redraws answerLayoutText (a typed answer holding "/") in Picture3 with stacked
// fractions; may commit the typed text into answerHead.
void showFractionAnswer(Drill& d);

// One fraction term while it is being typed, in Picture3.
void drawEntryFraction(Drill& d);

// One finished fraction term, in Picture3.
void drawAnswerFraction(Drill& d);

} // namespace minamo
