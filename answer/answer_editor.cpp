#include "answer/answer_editor.h"

namespace minamo {

int16 answerKeyPress(Drill& d, int16 key) { return key; } // {}

} // namespace minamo
