#include "core/basic_text.h"
#include "core/fixed_list.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {
        {0.5, 0},   {1.5, 2},   {2.5, 2},      {3.5, 4},        {-0.5, 0},    {-1.5, -2},
        {-2.5, -2}, {2.4, 2},   {2.6, 3},      {-2.6, -3},      {599.5, 600}, {598.5, 598},
        {0.0, 0},   {1e9, 1e9}, {12.0001, 12}, {-12.4999, -12},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(roundHalfEven(in), out) << in;
    }
}

TEST(RoundToInt16, ClampsIntoRange) {
    EXPECT_EQ(roundToInt16(40000.0), 32767);
    EXPECT_EQ(roundToInt16(-40000.0), -32768);
    EXPECT_EQ(roundToInt16(12.5), 12);
    EXPECT_EQ(clampToInt16(70000), 32767);
}

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    const std::pair<const char*, double> cases[] = {
        {"+5", 5},   {"5x", 5},         {"-", 0},     {"x", 0},    {" 12", 12},   {"", 0},
        {"-3x", -3}, {"12,990101", 12}, {"-7/3", -7}, {"1 2", 12}, {"2.5x", 2.5}, {"1e2", 100},
        {"3e", 3},   {"=5", 0},         {"+-3", 0},   {".5", 0.5},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromUtf8(in)), out) << in;
    }
}

TEST(TextHelpers, PositionsCountFromOne) {
    EXPECT_EQ(positionOf(QStringLiteral("x-1/3=1/3"), QStringLiteral("=")), 6);
    EXPECT_EQ(positionOf(QStringLiteral("abc"), QStringLiteral("z")), 0);
    EXPECT_EQ(positionOf(QStringLiteral("a/b/c"), QStringLiteral("/"), 3), 4);
    EXPECT_EQ(midText(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
    EXPECT_EQ(midText(QStringLiteral("abc"), 5), QString());
    EXPECT_EQ(leftText(QStringLiteral("abc"), 5), QStringLiteral("abc"));
    EXPECT_EQ(rightText(QStringLiteral("abc"), 2), QStringLiteral("bc"));
    EXPECT_EQ(blankSignedText(12LL), QStringLiteral(" 12"));
    EXPECT_EQ(blankSignedText(-5LL), QStringLiteral("-5"));
    EXPECT_EQ(blankSignedText(0LL), QStringLiteral(" 0"));
}

TEST(FixedList, OutOfRangeNeverTouchesTheList) {
    FixedList<int, 0, 5> list;
    const auto before = rangeViolations();
    list[6] = 42;
    list[-1] = 7;
    EXPECT_EQ(list[6], 0);
    EXPECT_EQ(rangeViolations(), before + 3);
    for (int i = 0; i <= 5; ++i) {
        EXPECT_EQ(list[i], 0);
    }
}

} // namespace
} // namespace minamo
