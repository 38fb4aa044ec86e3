#pragma once

#include "core/drill.h"

namespace minamo {

// Enter in the answer box: judges Text4 against the expected answer of the problem on
// screen.
void judgeAnswer(Drill& d);

} // namespace minamo
