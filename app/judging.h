#pragma once

#include "catalogue/record_name.h"
#include "core/drill.h"

namespace minamo {

// Enter in the answer box: judges Text4 against the expected answer of the problem on
// screen. With fresh numbers an answer of the right value in another form is pointed out
// instead of counted as a miss (answer_form.h).
void judgeAnswer(Drill& d, Numbers numbers = Numbers::Bank);

} // namespace minamo
