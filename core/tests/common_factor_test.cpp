#include "core/common_factor.h"

#include "core/fixed_list.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

#include <array>

namespace minamo {
namespace {

TEST(CommonFactor, ThePrimeTableOfTheStartUp) {
    DrillState s;
    fillPrimes(s);
    const std::array<int16, 18> table{1,  2,  3,  5,  7,  11, 13, 17, 19,
                                      23, 29, 31, 37, 41, 43, 47, 53, 59};
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        EXPECT_EQ(s.primes[i], table[static_cast<std::size_t>(i)]) << i;
    }
}

TEST(CommonFactor, FactorAndMultipleOfTwoIntegers) {
    const struct {
        int16 a, b, factor, multiple;
    } cases[] = {
        {6, 4, 2, 12},
        {12, 18, 6, 36}, // 2 found, then 3 after the restart
        {8, 8, 8, 8},    // 2 three times
        {5, 7, 1, 35},
        {-6, 4, 2, -12}, // the multiple takes the sign of a × b
        {6, -4, 2, -12},
        {-6, -4, 2, 12},
        {21, 6, 3, 42},
        {24, 60, 12, 120},
        {61, 122, 1, 7442}, // 61 is beyond the table: only smaller primes are
                            // found
        {1, 1, 1, 1},
        {1024, 512, 512, 1024},
    };
    for (const auto& c : cases) {
        DrillState s;
        fillPrimes(s);
        s.factorInputA = c.a;
        s.factorInputB = c.b;
        findCommonFactor(s);
        EXPECT_EQ(s.commonFactorResult, c.factor) << c.a << ", " << c.b;
        EXPECT_EQ(s.commonMultipleResult, c.multiple) << c.a << ", " << c.b;
        EXPECT_EQ(s.factorInputA, c.a);
        EXPECT_EQ(s.factorInputB, c.b);
    }
}

TEST(CommonFactor, ZeroInputLeavesThePreviousResults) {
    DrillState s;
    fillPrimes(s);
    s.factorInputA = 12;
    s.factorInputB = 18;
    findCommonFactor(s);
    for (const auto& [a, b] : {std::pair<int16, int16>{0, 5}, {5, 0}, {0, 0}}) {
        s.factorInputA = a;
        s.factorInputB = b;
        findCommonFactor(s);
        EXPECT_EQ(s.commonFactorResult, 6);
        EXPECT_EQ(s.commonMultipleResult, 36);
    }
}

TEST(CommonFactor, ResultsOutsideSixteenBitsSaturate) {
    const struct {
        int16 a, b, factor, multiple;
    } cases[] = {
        {30000, 29999, 1, 32767},       // no common factor, product far too large
        {-30000, 29999, 1, -32768},     // and with a negative sign
        {-32768, -32768, 32767, 32767}, // factor and multiple both 32768
        {32767, 32767, 217, 32767},     // 7 · 31 · 151: 151 lies beyond the table
    };
    for (const auto& c : cases) {
        DrillState s;
        fillPrimes(s);
        s.factorInputA = c.a;
        s.factorInputB = c.b;
        findCommonFactor(s);
        EXPECT_EQ(s.commonFactorResult, c.factor) << c.a << ", " << c.b;
        EXPECT_EQ(s.commonMultipleResult, c.multiple) << c.a << ", " << c.b;
    }
}

TEST(CommonFactor, AnEmptyPrimeTableFindsNothingAndDoesNotHang) {
    DrillState s; // primes never filled: every entry 0
    s.factorInputA = 6;
    s.factorInputB = 4;
    const auto violations = rangeViolations();
    findCommonFactor(s);
    EXPECT_EQ(s.commonFactorResult, 1);
    EXPECT_EQ(s.commonMultipleResult, 24);
    EXPECT_EQ(rangeViolations(), violations);
}

} // namespace
} // namespace minamo
