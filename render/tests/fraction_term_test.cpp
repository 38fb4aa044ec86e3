#include "render/fraction_term.h"

#include "fake/fake_platform.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

struct Term {
    const char* sign;
    const char* numerator;
    const char* denominator;
    int x = 0;
    int y = 0;
    int highlight = 0;
};

struct Fixture {
    FakePlatform fake;
    DrillState s;
    Drill d{s, fake.platform()};

    std::vector<DrawOp> draw(const Term& t) {
        s.termSign = QString::fromUtf8(t.sign);
        s.termNumerator = QString::fromUtf8(t.numerator);
        s.termDenominator = QString::fromUtf8(t.denominator);
        s.layoutX = static_cast<int16>(t.x);
        s.layoutY = static_cast<int16>(t.y);
        s.termHighlight = static_cast<int16>(t.highlight);
        fake.picture2.forgetLog();
        drawFractionTerm(d);
        return fake.picture2.drawing();
    }
    double width(const char* text) const {
        return FakePictureArea::textWidthTwips(QString::fromUtf8(text), fake.picture2.fontSize());
    }
};

void expectPrint(const DrawOp& op, double x, double y, const char* text, LineEnd end) {
    EXPECT_EQ(op.kind, DrawOp::Kind::Print);
    EXPECT_EQ(op.x, x) << text;
    EXPECT_EQ(op.y, y) << text;
    EXPECT_EQ(op.text, QString::fromUtf8(text));
    EXPECT_EQ(op.end, end) << text;
}

void expectLine(const DrawOp& op, double x1, double x2, double y) {
    EXPECT_EQ(op.kind, DrawOp::Kind::Line);
    EXPECT_EQ(op.x, x1);
    EXPECT_EQ(op.x2, x2);
    EXPECT_EQ(op.y, y);
    EXPECT_EQ(op.y2, y);
    EXPECT_EQ(op.colour, colour::black);
}

TEST(DrawFractionTerm, PlainNumeratorInTheDesignFont) {
    Fixture f;
    const auto ops = f.draw({"+", "1", "3", 1000, 0});
    ASSERT_EQ(ops.size(), 4u);
    // The lead takes 40 + 202.5 twips, rounded half to even: a = 242.
    const double a = 242;
    ASSERT_EQ(40 + f.width("+"), 242.5);
    expectPrint(ops[0], 1040, 400, "+", LineEnd::Stay);
    expectPrint(ops[1], 1000 + a + 130, 170, "1", LineEnd::Stay);
    expectLine(ops[2], 1000 + a + 50, 1000 + a + 140 + 280, 580);
    expectPrint(ops[3], 1000 + a + 70 + 80, 600, "3", LineEnd::Break);
    EXPECT_EQ(f.s.layoutX, 1000 + a + 420);
    EXPECT_EQ(f.s.layoutY, 0);
    EXPECT_EQ(f.s.termHighlight, 0);
}

TEST(DrawFractionTerm, NumeratorWithLetterOrSignAndTheHighlightShift) {
    const std::pair<int, double> shifts[] = {{0, 0}, {1, -240}, {2, 0}};
    for (const auto& [highlight, shift] : shifts) {
        SCOPED_TRACE(highlight);
        Fixture f;
        const auto ops = f.draw({"=-", "-2x", "15", 500, 300, highlight});
        ASSERT_EQ(ops.size(), 4u);
        const double a = 40 + f.width("=-"); // 445: a whole number
        expectPrint(ops[0], 540, 700, "=-", LineEnd::Stay);
        // The lead's y follows the origin; the numerator's y is absolute.
        expectPrint(ops[1], 500 + a + 350 + shift, 180, "-2x", LineEnd::Stay);
        expectLine(ops[2], 500 + a + 50, 500 + a + 140 + 280 * 3, 580);
        expectPrint(ops[3], 500 + a + 70 + 80 * 3, 600, "15", LineEnd::Break);
        EXPECT_EQ(f.s.layoutX, 500 + a + 140 + 840);
        EXPECT_EQ(f.s.termHighlight, 0);
    }
}

TEST(DrawFractionTerm, TwentyFourPointBranch) {
    Fixture f;
    f.fake.picture2.setFontSize(24);
    const auto ops = f.draw({"-", "5", "12", 200, 0});
    ASSERT_EQ(ops.size(), 4u);
    const double a = 40 + f.width("-"); // 280
    expectPrint(ops[0], 240, 400, "-", LineEnd::Stay);
    expectPrint(ops[1], 200 + a + 200, 180, "5", LineEnd::Stay);
    expectLine(ops[2], 200 + a + 50, 200 + a + 40 + 580 * 2, 350);
    expectPrint(ops[3], 200 + a + 100 + 80 * 2, 350, "12", LineEnd::Break);
    EXPECT_EQ(f.s.layoutX, 200 + a + 40 + 1160);

    // A numerator with a letter keeps the pen x of the lead, as in any size.
    const auto lettered = f.draw({"", "x", "2", 0, 0});
    expectPrint(lettered[1], 40 + 350, 180, "x", LineEnd::Stay);
}

TEST(DrawFractionTerm, SignCleanUp) {
    const std::pair<const char*, const char*> signs[] = {
        {"-0", "-"},  {"+0", "+"}, {"=0", "="},  {"0", ""},      {"-", "-"},
        {"=-", "=-"}, {"", ""},    {"10", "10"}, {"-00", "-00"}, {"x+0", "x+0"},
    };
    for (const auto& [in, out] : signs) {
        SCOPED_TRACE(in);
        Fixture f;
        const auto ops = f.draw({in, "1", "2", 0, 0});
        EXPECT_EQ(f.s.termSign, QString::fromUtf8(out));
        EXPECT_EQ(ops[0].text, QString::fromUtf8(out));
    }
}

TEST(DrawFractionTerm, DenominatorZeroDrawsLeadAndNumeratorOnly) {
    Fixture f;
    const auto ops = f.draw({"+", "7", "0", 640, 20, 1});
    ASSERT_EQ(ops.size(), 2u);
    expectPrint(ops[0], 680, 420, "+", LineEnd::Stay);
    expectPrint(ops[1], 640 + 242 + 130, 170, "7", LineEnd::Stay);
    EXPECT_EQ(f.s.layoutX, 640);
    EXPECT_EQ(f.s.layoutY, 20);
    EXPECT_EQ(f.s.termHighlight, 1);
}

TEST(DrawFractionTerm, EmptyTermDrawsItsLeadAndMovesOnByTheLead) {
    const std::pair<int, double> shifts[] = {{0, 0}, {1, -240}};
    for (const auto& [highlight, shift] : shifts) {
        SCOPED_TRACE(highlight);
        Fixture f;
        const auto ops = f.draw({"=", "", "", 100, 0, highlight});
        const double a = 40 + f.width("="); // 242.5 -> 242
        ASSERT_EQ(ops.size(), 2u);          // the lead, and the empty denominator print
        expectPrint(ops[0], 140, 400, "=", LineEnd::Stay);
        expectPrint(ops[1], 100 + 242 + 70, 600, "", LineEnd::Break);
        EXPECT_EQ(a, 242.5);
        EXPECT_EQ(f.s.layoutX, 100 + 242 + 350 + shift);
        EXPECT_EQ(f.s.layoutY, 0);
    }
}

TEST(DrawFractionTerm, OriginNearTheIntegerLimitStaysInRange) {
    Fixture f;
    f.draw({"", "123456", "7", 32000, 0});
    EXPECT_EQ(f.s.layoutX, 32767);
}

} // namespace
} // namespace minamo
