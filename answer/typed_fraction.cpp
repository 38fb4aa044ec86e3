#include "answer/typed_fraction.h"

namespace minamo {

void showFractionAnswer(Drill& d) {}

void drawEntryFraction(Drill& d) {}

void drawAnswerFraction(Drill& d) {}

} // namespace minamo
