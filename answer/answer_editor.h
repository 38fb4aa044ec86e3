#pragma once

#include "core/drill.h"

namespace minamo {

// Every key of the answer box but Enter: builds answerText key by key, draws it in
// Picture3 and mirrors it into Text4 and Text2. Returns the key code for the box:
// 0 when the key is consumed, otherwise the (possibly rewritten) key the box inserts.
int16 takeAnswerKey(Drill& d, int16 key);

} // namespace minamo
