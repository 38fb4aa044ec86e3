#include "algebra/side_simplifier.h"

#include "core/fixed_list.h"
#include "fake/fake_platform.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

// What sideExpanded holds before the call: a side with fewer than two bracket groups must
// leave it alone.
const QString untouched = QStringLiteral("(untouched)");

struct SideCase {
    const char* side;
    const char* collected;
    int16 coefficient;
    const char* letter;
    int16 constant;
    const char* expanded; // nullptr: not set
};

void expectSimplified(const SideCase& c) {
    DrillState s;
    s.sideText = QString::fromUtf8(c.side);
    s.sideExpanded = untouched;
    simplifySide(s);
    SCOPED_TRACE(c.side);
    EXPECT_EQ(s.sideCollected, QString::fromUtf8(c.collected));
    EXPECT_EQ(s.sideCoefficient, c.coefficient);
    EXPECT_EQ(s.sideLetter, QString::fromUtf8(c.letter));
    EXPECT_EQ(s.sideConstant, c.constant);
    EXPECT_EQ(s.sideExpanded, c.expanded ? QString::fromUtf8(c.expanded) : untouched);
    EXPECT_EQ(s.sideText, QString::fromUtf8(c.side)); // the input is not changed
}

TEST(SideSimplifier, SidesOfTheDesignTable) {
    const SideCase cases[] = {
        {"4x+2", "4x+2", 4, "x", 2, nullptr},
        {"x+3", "+x+3", 1, "x", 3, nullptr},
        {"-13", "-13", 0, "", -13, nullptr},
        {"2x", "2x", 2, "x", 0, nullptr},
        {"-3(x+6)", "-3x-18", -3, "x", -18, nullptr},
        {"6-2(3x-1)", "-6x+8", -6, "x", 8, nullptr},
        {"3(2x+1)-2(5x-6)", "-4x+15", -4, "x", 15, "+6x+3-10x+12"},
        {"-6(-x-9)-6(-4x-7)", "30x+96", 30, "x", 96, "+6x+54+24x+42"},
        {"2x-2x+3", "+3", 0, "", 3, nullptr},
    };
    for (const auto& c : cases) {
        expectSimplified(c);
    }
}

TEST(SideSimplifier, SignsCoefficientsAndBracketForms) {
    const SideCase cases[] = {
        {"-x", "-x", -1, "x", 0, nullptr},
        {"x", "+x", 1, "x", 0, nullptr},
        {"0", "0", 0, "", 0, nullptr},
        {"", "0", 0, "", 0, nullptr},
        {"7", "+7", 0, "", 7, nullptr},
        {"-(x-5)", "-x+5", -1, "x", 5, nullptr}, // a lone minus multiplies by -1
        {"-(-x-9)", "+x+9", 1, "x", 9, nullptr},
        {"2(3-4x)", "-8x+6", -8, "x", 6, nullptr}, // constant first inside the bracket
        {"x-3-(7x-1)", "-6x-2", -6, "x", -2, nullptr},
        {"16-(5x-8)", "-5x+24", -5, "x", 24, nullptr},
        {"2(x-1)+1", "2x-1", 2, "x", -1, nullptr}, // text after the bracket is kept
        {"-5(7x+3)+7x", "-28x-15", -28, "x", -15, nullptr},
        {"-2(6x-1)+2(-x+5)-5", "-14x+7", -14, "x", 7, "-12x+2-2x+10-5"},
        // a third group: the expansion is kept as it stood after the second one
        {"(x+1)+(x+1)+(x+1)", "3x+3", 3, "x", 3, "+(x+1)+1x+1+1x+1"},
        {"3(2x+1)-6x", "+3", 0, "", 3, nullptr},
    };
    for (const auto& c : cases) {
        expectSimplified(c);
    }
}

TEST(SideSimplifier, FullWidthSignsAndLetterAreReadAsHalfWidth) {
    expectSimplified({"－3χ＋2", "-3x+2", -3, "x", 2, nullptr});
    expectSimplified({"2(χ－1)", "2x-2", 2, "x", -2, nullptr});
}

TEST(SideSimplifier, ALetterSumPassingThroughZeroKeepsItsLetter) {
    // 2x-2x+3x is 3x: the letter is dropped only when the coefficients end at 0.
    expectSimplified({"2x-2x+3x", "3x", 3, "x", 0, nullptr});
    expectSimplified({"x-x", "0", 0, "", 0, nullptr});
    // A second letter is ignored; the first letter's terms are all counted.
    expectSimplified({"2x+3y+x", "3x", 3, "x", 0, nullptr});
}

TEST(SideSimplifier, ABracketWithoutAConstantKeepsItsLetter) {
    expectSimplified({"3(2x)", "6x", 6, "x", 0, nullptr});
    expectSimplified({"-2(x+x)+1", "-4x+1", -4, "x", 1, nullptr});
    expectSimplified({"4(2+3)", "+20", 0, "", 20, nullptr}); // a bracket with no letter
}

TEST(SideSimplifier, LargeNumbersSaturateInsteadOfWrapping) {
    expectSimplified({"30000x+30000x", "32767x", 32767, "x", 0, nullptr});
    expectSimplified({"-20000-20000", "-32768", 0, "", -32768, nullptr});
    expectSimplified({"1000(100x+100)", "32767x+32767", 32767, "x", 32767, nullptr});
    expectSimplified({"99999x", "32767x", 32767, "x", 0, nullptr});
}

TEST(SideSimplifier, MalformedSidesEndCalmly) {
    const char* sides[] = {
        "(",
        ")",
        "()",
        "((",
        "))(",
        "(x",
        "x)",
        "2(3(x+1)+1)",
        ")(x+1)(",
        "+",
        "-",
        "++--",
        "x(",
        "(x+1)(x+2)",
        "2(x+1",
        "-(",
        "x/2",
        "3x^2",
        "=",
        "((((((((((x))))))))))",
        "1+2+3+4+5+6+7+8+9+10+11+12+13",
        "x+x+x+x+x+x+x+x+x+x+x+x",
        "方程式",
        "ab(cd)",
    };
    const auto violations = rangeViolations();
    for (const char* side : sides) {
        DrillState s;
        s.sideText = QString::fromUtf8(side);
        simplifySide(s);
        EXPECT_FALSE(s.sideCollected.contains(u'(')) << side;
    }
    EXPECT_EQ(rangeViolations(), violations);
}

} // namespace
} // namespace minamo
