#include "banks/banks.h"

#include <array>

// The builders themselves live in banks_basic.cpp, banks_standard.cpp, banks_complex.cpp
// and banks_fraction.cpp.

namespace minamo {

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
