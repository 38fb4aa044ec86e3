#include "banks/banks.h"

#include <array>

// The tables themselves live in banks_basic.cpp, banks_standard.cpp, banks_complex.cpp and
// banks_fraction.cpp.

namespace minamo {

void fillBank(DrillState& s, const Bank& bank) {
    int position = 0;
    for (const BankProblem& problem : bank.problems) {
        ++position;
        s.bankQuestion[position] = problem.question.toString();
        s.bankAnswer[position] = problem.answer.toString();
    }
    s.bankCount = static_cast<int16>(position);
}

std::span<const Bank* const> allBanks() {
    static constexpr std::array<const Bank*, 15> banks{
        &basicA,   &basicB,   &standard1, &standard2, &standard3, &standard4, &standard5, &complex1,
        &complex2, &complex3, &complex4,  &complex5,  &fraction1, &fraction2, &fraction3,
    };
    return banks;
}

} // namespace minamo
