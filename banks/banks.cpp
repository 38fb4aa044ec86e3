#include "banks/banks.h"

// The tables themselves live in banks_basic.cpp, banks_standard.cpp, banks_complex.cpp and
// banks_fraction.cpp.

namespace minamo {

void fillBank(DrillState& s, const Bank& bank) {
    int position = 0;
    s.workings.clear();
    for (const BankProblem& problem : bank.problems) {
        ++position;
        s.bankQuestion[position] = problem.question.toString();
        s.bankAnswer[position] = problem.answer.toString();
        if (problem.working) {
            s.workings[s.bankQuestion[position]] = *problem.working;
        }
    }
    s.bankCount = static_cast<int16>(position);
}

} // namespace minamo
