#include "render/fraction_equation.h"

#include "core/fixed_list.h"
#include "fake/fake_platform.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>
#include <vector>

namespace minamo {
namespace {

constexpr double designPoints = 20.25; // Picture2's font

double widthOf(const char* text) {
    return FakePictureArea::textWidthTwips(QString::fromUtf8(text), designPoints);
}

QString printAt(double x, double y, const char* text, LineEnd end = LineEnd::Stay) {
    return QStringLiteral("print (%1,%2) \"%3\" %4 MS PGothic 20.25 #000000")
        .arg(logNumber(x), logNumber(y), QString::fromUtf8(text),
             end == LineEnd::Stay ? QStringLiteral("stay") : QStringLiteral("break"));
}

QString greenBar(double x1, double x2, double y = 400) {
    return QStringLiteral("line (%1,%2)-(%3,%2) #008000")
        .arg(logNumber(x1), logNumber(y), logNumber(x2));
}

QStringList drawn(const FakePictureArea& area) {
    QStringList lines;
    for (const DrawOp& op : area.drawing()) {
        lines << op.toString();
    }
    return lines;
}

struct Fixture {
    FakePlatform fake;
    DrillState s;
    Drill d{s, fake.platform()};

    QStringList draw(const char* equation) {
        s.layoutText = QString::fromUtf8(equation);
        fake.picture2.forgetLog();
        drawFractionEquation(d);
        return drawn(fake.picture2);
    }
};

struct SplitCase {
    const char* text;
    std::vector<const char*> terms;
};

TEST(SplitTerms, CutsAtTopLevelSignsAndKeepsTheOperators) {
    const SplitCase cases[] = {
        {"x-3/2=-3/2", {"x", "-3/2", "=-3/2"}},
        {"1/3x+5=7", {"1/3x", "+5", "=7"}},
        {"(2x-3)/3=(x-3)/2", {"(2x-3)/3", "=(x-3)/2"}},
        {"5/6-3/4x=+2/3-1/2x", {"5/6", "-3/4x", "=", "+2/3", "-1/2x"}},
        {"-1/4x=2", {"-1/4x", "=2"}},
        {"x+1=3/2", {"x", "+1", "=3/2"}},
        {"-x/15-1/12=-x+1/2", {"-x/15", "-1/12", "=-x", "+1/2"}},
        {"5x/12-3/8=5x/8-1", {"5x/12", "-3/8", "=5x/8", "-1"}},
        {"2/5=1/2x+1/2", {"2/5", "=1/2x", "+1/2"}},
        {"x×3÷2=6", {"x", "×3", "÷2", "=6"}},
        // The first character never cuts, so no "=-" pair is formed and the "-" cuts.
        {"=-3", {"=", "-3"}},
        {"x+", {"x", "+"}},
        // The first ")" ends the bracket, whatever the nesting.
        {"-(2(x+1)-3)=4", {"-(2(x+1)", "-3)", "=4"}},
        {"", {""}},
        {"x", {"x"}},
        // A sixth term has no slot: it and everything after it are left out.
        {"1+2+3+4+5+6=21", {"1", "+2", "+3", "+4", "+5"}},
        {"1/2+1/3+1/4+1/5+1/6+1/7=x", {"1/2", "+1/3", "+1/4", "+1/5", "+1/6"}},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.text);
        DrillState s;
        s.layoutText = QString::fromUtf8(c.text);
        const auto violations = rangeViolations();
        splitTerms(s);
        EXPECT_EQ(rangeViolations(), violations);
        EXPECT_EQ(s.eqTerm[0], QString::number(c.terms.size()));
        for (std::size_t k = 0; k < c.terms.size(); ++k) {
            EXPECT_EQ(s.eqTerm[static_cast<int>(k) + 1], QString::fromUtf8(c.terms[k]))
                << "term " << k + 1;
        }
        for (int k = static_cast<int>(c.terms.size()) + 1; k <= 4; ++k) {
            EXPECT_EQ(s.eqTerm[k], QString()) << "slot " << k;
        }
        EXPECT_EQ(s.loopIndex, s.layoutText.size() + 1);
    }
}

TEST(SplitTerms, ClearsSlotsOneToFourOnlyAndOverwritesTheCount) {
    DrillState s;
    for (int k = 0; k <= 5; ++k) {
        s.eqTerm[k] = QStringLiteral("old");
    }
    s.layoutText = QStringLiteral("x=2");
    splitTerms(s);
    EXPECT_EQ(s.eqTerm[0], QStringLiteral("2"));
    EXPECT_EQ(s.eqTerm[1], QStringLiteral("x"));
    EXPECT_EQ(s.eqTerm[2], QStringLiteral("=2"));
    EXPECT_EQ(s.eqTerm[3], QString());
    EXPECT_EQ(s.eqTerm[4], QString());
    EXPECT_EQ(s.eqTerm[5], QStringLiteral("old"));
}

TEST(DrawFractionEquation, WorkedExampleAtItsExactPositions) {
    Fixture f;
    const QStringList ops = f.draw("x-1/3=1/3");
    const double e = 40 + widthOf("x");
    const double x2 = e + 50;                       // after the plain term
    const double fx = x2 + 40 + widthOf("-");       // end of the lead "-"
    const double gx = fx + 250 + 40 + widthOf("="); // end of the lead "="
    const QStringList expected{
        printAt(40, 200, "x"),     printAt(e + 40, 0, ""),      printAt(e, 400, ""),
        printAt(e + 90, 200, "-"), printAt(fx + 40, 0, "1"),    greenBar(fx, fx + 250),
        printAt(fx, 400, "3"),     printAt(fx + 290, 200, "="), printAt(gx + 40, 0, "1"),
        greenBar(gx, gx + 250),    printAt(gx, 400, "3"),
    };
    EXPECT_EQ(ops, expected);
    EXPECT_EQ(f.s.layoutX, 0);
    EXPECT_EQ(f.s.layoutY, 400);
    EXPECT_EQ(f.s.loopIndex, 4);
    EXPECT_EQ(f.s.eqTerm[0], QStringLiteral("3"));
    EXPECT_EQ(f.s.eqTerm[3], QStringLiteral("=1/3"));
}

TEST(DrawFractionEquation, BracketedNumeratorsSetTheWidth) {
    Fixture f;
    const QStringList ops = f.draw("(2x-3)/3=(x-3)/2");
    const double x2 = 40 + 1250 + 40 + widthOf("=");
    const QStringList expected{
        printAt(40, 200, ""),    printAt(80, 0, "(2x-3)"),    greenBar(40, 1290),
        printAt(540, 400, "3"),  printAt(1330, 200, "="),     printAt(x2 + 40, 0, "(x-3)"),
        greenBar(x2, x2 + 1050), printAt(x2 + 400, 400, "2"),
    };
    EXPECT_EQ(ops, expected);
}

TEST(DrawFractionEquation, LetterAfterTheDenominatorStandsAfterTheBar) {
    Fixture f;
    const QStringList ops = f.draw("1/3x=2");
    const QStringList expected{
        printAt(40, 200, ""),
        printAt(80, 0, "1"),
        greenBar(40, 290),
        printAt(290, 200, "x", LineEnd::Break),
        printAt(40, 400, "3"),
        // x has moved on by 250 + 200.
        printAt(530, 200, "=2"),
        printAt(530 + widthOf("=2") + 40, 0, ""),
        printAt(530 + widthOf("=2"), 400, ""),
    };
    EXPECT_EQ(ops, expected);
}

TEST(DrawFractionEquation, ShorterPartIsCentredUnderTheLonger) {
    Fixture f;
    // "x" over "15": the numerator moves right by 100 per missing character.
    QStringList ops = f.draw("-x/15-1/12=-x+1/2");
    const double x1 = 40 + widthOf("-");
    EXPECT_EQ(ops[0], printAt(40, 200, "-"));
    EXPECT_EQ(ops[1], printAt(x1 + 140, 0, "x"));
    EXPECT_EQ(ops[2], greenBar(x1, x1 + 450));
    EXPECT_EQ(ops[3], printAt(x1, 400, "15"));
    const double x2 = x1 + 450 + 40 + widthOf("-");
    EXPECT_EQ(ops[5], printAt(x2 + 140, 0, "1"));
    EXPECT_EQ(ops[6], greenBar(x2, x2 + 450));
    EXPECT_EQ(ops[7], printAt(x2, 400, "12"));
    EXPECT_EQ(ops[8], printAt(x2 + 450 + 40, 200, "=-x"));

    // "5x" over "12": equal lengths, both at their normal places; the numerator keeps its x.
    ops = f.draw("5x/12-3/8=5x/8-1");
    EXPECT_EQ(ops[1], printAt(80, 0, "5x"));
    EXPECT_EQ(ops[2], greenBar(40, 490));
    EXPECT_EQ(ops[3], printAt(40, 400, "12"));
    EXPECT_EQ(ops.filter(QStringLiteral("\"x\" break")).size(), 0);
}

TEST(DrawFractionEquation, EqualsMinusLeadsTheLastFraction) {
    Fixture f;
    const QStringList ops = f.draw("x-3/2=-3/2");
    ASSERT_EQ(ops.size(), 11);
    const double xr = 40 + widthOf("x") + 50 + 40 + widthOf("-") + 250;
    EXPECT_EQ(ops[7], printAt(xr + 40, 200, "=-"));
    const double x3 = xr + 40 + widthOf("=-");
    EXPECT_EQ(ops[8], printAt(x3 + 40, 0, "3"));
    EXPECT_EQ(ops[9], greenBar(x3, x3 + 250));
    EXPECT_EQ(ops[10], printAt(x3, 400, "2"));
}

TEST(DrawFractionEquation, FiveTermsWithABareEqualsSign) {
    Fixture f;
    const QStringList ops = f.draw("5/6-3/4x=+2/3-1/2x");
    EXPECT_EQ(ops.filter(QStringLiteral("line ")).size(), 4);
    EXPECT_EQ(ops.filter(QStringLiteral("\"x\" break")).size(), 2);
    // The "=" is a plain term: printed on the middle line, followed by two empty prints.
    int equals = -1;
    for (int i = 0; i < ops.size() && equals < 0; ++i) {
        equals = ops[i].contains(QStringLiteral("\"=\"")) ? i : -1;
    }
    ASSERT_GT(equals, 0);
    EXPECT_TRUE(ops[equals].contains(QStringLiteral(",200) \"=\" stay")));
    EXPECT_TRUE(ops[equals + 1].contains(QStringLiteral(",0) \"\" stay")));
    EXPECT_TRUE(ops[equals + 2].contains(QStringLiteral(",400) \"\" stay")));
    EXPECT_EQ(f.s.loopIndex, 6);
    EXPECT_EQ(f.s.eqTerm[0], QStringLiteral("5"));
}

TEST(DrawFractionEquation, SurplusTermsAreLeftOutCalmly) {
    Fixture f;
    const auto violations = rangeViolations();
    const QStringList ops = f.draw("1/2+1/3+1/4+1/5+1/6+1/7=x");
    EXPECT_EQ(rangeViolations(), violations);
    EXPECT_EQ(ops.filter(QStringLiteral("line ")).size(), 5);
    EXPECT_EQ(ops.filter(QStringLiteral("\"7\"")).size(), 0);
    EXPECT_EQ(f.s.loopIndex, 6);
}

TEST(DrawFractionEquation, EmptyTextDrawsNothingVisible) {
    Fixture f;
    const QStringList ops = f.draw("");
    EXPECT_EQ(ops, (QStringList{printAt(40, 200, ""), printAt(80, 0, ""), printAt(40, 400, "")}));
    EXPECT_EQ(f.s.eqTerm[0], QStringLiteral("1"));
    EXPECT_EQ(f.s.eqTerm[1], QString());
}

TEST(DrawFractionLine, OtherAreaStartAndBarLevel) {
    FakePlatform fake;
    DrillState s;
    s.layoutText = QStringLiteral("x-1/3=1/3");
    s.layoutX = 11; // the line takes its origin from its arguments only
    s.layoutY = 22;
    drawFractionLine(s, fake.picture7, 300, 1200);
    EXPECT_TRUE(fake.picture2.ops().empty());
    const std::vector<DrawOp> ops = fake.picture7.drawing();
    ASSERT_EQ(ops.size(), 11u);
    const double gothic = fake.picture7.fontSize(); // Picture7's own font
    const double e = 340 + FakePictureArea::textWidthTwips(QStringLiteral("x"), gothic);
    EXPECT_EQ(ops[0].x, 340);
    EXPECT_EQ(ops[0].y, 1000);
    EXPECT_EQ(ops[1].y, 800);
    EXPECT_EQ(ops[3].x, e + 90);
    EXPECT_EQ(ops[5].kind, DrawOp::Kind::Line);
    EXPECT_EQ(ops[5].y, 1200);
    EXPECT_EQ(ops[5].y2, 1200);
    EXPECT_EQ(ops[5].colour, colour::green);
    EXPECT_EQ(ops[6].y, 1200);
    // The pen is left right after the last denominator, on the bar level.
    EXPECT_EQ(fake.picture7.currentY(), 1200);
    EXPECT_EQ(fake.picture7.currentX(),
              ops[10].x + FakePictureArea::textWidthTwips(QStringLiteral("3"), gothic));
    EXPECT_EQ(s.layoutX, 11);
    EXPECT_EQ(s.layoutY, 22);
    EXPECT_EQ(s.eqTerm[0], QStringLiteral("3"));
}

TEST(DrawFractionLine, PenEndsAfterATrailingLetterTermOnTheBarLevel) {
    FakePlatform fake;
    DrillState s;
    s.layoutText = QStringLiteral("x=1/2x");
    drawFractionLine(s, fake.picture7, 0, 400);
    // The trailing letter's line break is followed by the denominator at the bar level.
    EXPECT_EQ(fake.picture7.currentY(), 400);
    EXPECT_EQ(fake.picture7.drawing().back().text, QStringLiteral("2"));
}

} // namespace
} // namespace minamo
