#include "banks/banks.h"

#include <array>

namespace minamo {

void fillBasicA(DrillState& s) {}
void fillBasicB(DrillState& s) {}
void fillStandard1(DrillState& s) {}
void fillStandard2(DrillState& s) {}
void fillStandard3(DrillState& s) {}
void fillStandard4(DrillState& s) {}
void fillStandard5(DrillState& s) {}
void fillComplex1(DrillState& s) {}
void fillComplex2(DrillState& s) {}
void fillComplex3(DrillState& s) {}
void fillComplex4(DrillState& s) {}
void fillComplex5(DrillState& s) {}
void fillFraction1(DrillState& s) {}
void fillFraction2(DrillState& s) {}
void fillFraction3(DrillState& s) {}

std::span<const BankBuilder> bankBuilders() {
    static const std::array<BankBuilder, 15> builders{{
        {QStringLiteral("fillBasicA"), fillBasicA},
        {QStringLiteral("fillBasicB"), fillBasicB},
        {QStringLiteral("fillStandard1"), fillStandard1},
        {QStringLiteral("fillStandard2"), fillStandard2},
        {QStringLiteral("fillStandard3"), fillStandard3},
        {QStringLiteral("fillStandard4"), fillStandard4},
        {QStringLiteral("fillStandard5"), fillStandard5},
        {QStringLiteral("fillComplex1"), fillComplex1},
        {QStringLiteral("fillComplex2"), fillComplex2},
        {QStringLiteral("fillComplex3"), fillComplex3},
        {QStringLiteral("fillComplex4"), fillComplex4},
        {QStringLiteral("fillComplex5"), fillComplex5},
        {QStringLiteral("fillFraction1"), fillFraction1},
        {QStringLiteral("fillFraction2"), fillFraction2},
        {QStringLiteral("fillFraction3"), fillFraction3},
    }};
    return builders;
}

} // namespace minamo
