#include "fake/fake_drill.h"
#include "fake/qstring_printer.h"
#include "render/power_text.h"
#include "render/typed_power.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");

// The prints and font changes of a picture area, as the draw log writes them.
QStringList layoutOps(const FakePictureArea& area) {
    QStringList lines;
    for (const DrawOp& op : area.ops()) {
        if (op.kind == DrawOp::Kind::Print || op.kind == DrawOp::Kind::Font) {
            lines << op.toString();
        }
    }
    return lines;
}

QStringList printedPieces(const FakePictureArea& area) {
    QStringList pieces;
    for (const DrawOp& op : area.ops()) {
        if (op.kind == DrawOp::Kind::Print) {
            pieces << QStringLiteral("%1@%2%3").arg(op.text, logNumber(op.size),
                                                    op.end == LineEnd::Break ? "|" : "");
        }
    }
    return pieces;
}

struct PowerRig {
    FakeDrill f;
    DrillState& s = f.s();
    FakePictureArea& picture2 = f.fake.picture2;
    FakePictureArea& picture3 = f.fake.picture3;
    void drawProblem(const QString& text) {
        s.powerText = text;
        drawPowerText(f.d());
    }
    void drawTyped(const QString& text) {
        s.powerText = text;
        drawTypedPower(f.d());
    }
};

TEST(PowerText, OneExponentStartsAtThePowerPoint) {
    PowerRig r;
    r.s.powerX = 300;
    r.s.powerY = 120;
    r.drawProblem(QStringLiteral("-2^2-3"));
    EXPECT_EQ(layoutOps(r.picture2),
              (QStringList{"print (300,120) \"-2\" stay MS PGothic 20.25 #000000",
                           "font MS PGothic 20", "font " + gothic + " 20",
                           "print (705,120) \"2\" stay " + gothic + " 20 #000000",
                           "font " + gothic + " 48",
                           "print (905,120) \"-3\" break " + gothic + " 48 #000000"}));
    EXPECT_EQ(r.s.baseFontSize, 48);
    EXPECT_EQ(r.s.powerX, 300);
    EXPECT_EQ(r.s.powerY, 120);
}

TEST(PowerText, TwoAndThreeExponentsFromTheCurrentPoint) {
    struct Case {
        const char* text;
        QStringList pieces;
    };
    const Case cases[] = {
        {"(-3)^2-2^2", {"(-3)@20.25", "2@20", "-2@48", "2@20", "@48|"}},
        {"(2x)^2+3x^2", {"(2x)@20.25", "2@20", "+3x@48", "2@20", "@48|"}},
        // Pieces are stripped of blanks; a blank after "^" is an empty exponent.
        {"x ^ 2 + y^2 -1", {"x@20.25", "@20", "2 + y@48", "2@20", "-1@48|"}},
        // Three: the whole line is set in the exponent font at the base size first.
        {"a^2b^3c^4+1", {"a@48", "2@20", "b@48", "3@20", "c@48", "4@20", "+1@48|"}},
        // A fourth "^" stays in the rest and is printed as it is.
        {"a^2b^3c^4d^5", {"a@48", "2@20", "b@48", "3@20", "c@48", "4@20", "d^5@48|"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PowerRig r;
        r.picture2.setPen(500, 60);
        r.picture2.forgetLog();
        r.drawProblem(QString::fromUtf8(c.text));
        EXPECT_EQ(printedPieces(r.picture2), c.pieces);
        const std::vector<DrawOp> drawn = r.picture2.drawing();
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn.front().x, 500);
        EXPECT_EQ(drawn.front().y, 60);
    }
}

TEST(PowerText, ThreeExponentsSetTheExponentFontBeforeEachExponent) {
    PowerRig r;
    r.drawProblem(QStringLiteral("a^2b^3c^4"));
    const QStringList ops = layoutOps(r.picture2);
    EXPECT_EQ(ops.mid(0, 2), (QStringList{"font " + gothic + " 20.25", "font " + gothic + " 48"}));
    // Size and name before each of the three exponents.
    EXPECT_EQ(ops.count("font " + gothic + " 20"), 6);
}

TEST(PowerText, SmallLayoutUsesEighteenPointExponents) {
    PowerRig r;
    r.s.baseFontSize = 24;
    r.drawProblem(QStringLiteral("x^2+2x^3"));
    EXPECT_EQ(printedPieces(r.picture2),
              (QStringList{"x@20.25", "2@18", "+2x@24", "3@18", "@24|"}));
    EXPECT_EQ(r.s.baseFontSize, 24);
    EXPECT_EQ(r.picture2.fontSize(), 24);
}

TEST(PowerText, StayOnLineHoldsTheLastPieceOnceAndIsReset) {
    const char* texts[] = {"2^2", "3x", "a^2b^3", "a^2b^3c^4"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        PowerRig r;
        r.s.stayOnLine = 1;
        r.drawProblem(QString::fromUtf8(text));
        EXPECT_EQ(r.picture2.ops().back().end, LineEnd::Stay);
        EXPECT_EQ(r.s.stayOnLine, 0);
        r.drawProblem(QString::fromUtf8(text));
        EXPECT_EQ(r.picture2.ops().back().end, LineEnd::Break);
    }
}

TEST(PowerText, PlainTextsAndTheLeadingOne) {
    struct Case {
        const char* text;
        QStringList pieces;
    };
    const Case cases[] = {
        {"1x+2", {"x+2@20.25|"}},
        {"12x-1", {"12x-1@20.25|"}},
        {"1.5x", {"1.5x@20.25|"}},
        {"1-(-2)", {"1-(-2)@20.25|"}},
        {"1", {"1@20.25|"}},
        {"1x^2", {"x@20.25", "2@20", "@48|"}},
        {"2^2", {"2@20.25", "2@20", "@48|"}},
        // A caret at the end gives an empty exponent; one at the start an empty base.
        {"x^", {"x@20.25", "@20", "@48|"}},
        {"^2x", {"@20.25", "2@20", "x@48|"}},
        // A fraction without brackets cannot be raised: only the rest is printed.
        {"2/3^2+1", {"+1@20.25|"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PowerRig r;
        r.drawProblem(QString::fromUtf8(c.text));
        EXPECT_EQ(printedPieces(r.picture2), c.pieces);
    }
}

TEST(PowerText, AdjacentCaretsStayCalm) {
    PowerRig r;
    r.drawProblem(QStringLiteral("x^^2"));
    EXPECT_EQ(printedPieces(r.picture2), (QStringList{"x@20.25", "^@20", "@48", "2@20", "@48|"}));
}

// The fraction is stacked by the fraction-term procedure; its closing bracket leaves the
// origin where the exponent is placed.
TEST(PowerText, BracketedFractionRaisesTheExponentAtTheBracket) {
    PowerRig r;
    r.drawProblem(QStringLiteral("(2/3)^2+1"));
    const QStringList texts = r.picture2.printedTexts();
    EXPECT_EQ(texts, (QStringList{"(", "2", "3", ")", "", "2", "+1"}));
    std::vector<DrawOp> prints;
    for (const DrawOp& op : r.picture2.ops()) {
        if (op.kind == DrawOp::Kind::Print) {
            prints.push_back(op);
        }
    }
    ASSERT_EQ(prints.size(), 7u);
    // The closing bracket's term ends at x = 1254 (its lead, 350 and no bar).
    EXPECT_EQ(prints[5].toString(), "print (1054,200) \"2\" stay " + gothic + " 20 #000000");
    EXPECT_EQ(prints[6].size, 48);
    EXPECT_EQ(r.s.layoutX, 0);
    EXPECT_EQ(r.s.layoutY, 0);
}

TEST(PowerText, BracketedFractionSigns) {
    struct Case {
        const char* text;
        const char* lead;
        const char* numerator;
        const char* denominator;
    };
    const Case cases[] = {
        {"(2/3)^2", "(", "2", "3"},
        {"(-2/5)^2", "(-", "2", "5"},
        {"-(2/3)^2", "-(", "2", "3"},
        {"-(-12/7)^3", "-(-", "12", "7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PowerRig r;
        r.drawProblem(QString::fromUtf8(c.text));
        const QStringList texts = r.picture2.printedTexts();
        ASSERT_GE(texts.size(), 3);
        EXPECT_EQ(texts[0], QString::fromUtf8(c.lead));
        EXPECT_EQ(texts[1], QString::fromUtf8(c.numerator));
        EXPECT_EQ(texts[2], QString::fromUtf8(c.denominator));
        EXPECT_EQ(r.s.termSign, QStringLiteral(")"));
    }
}

TEST(TypedPower, ExponentsAtTwentyTextAtFortyEight) {
    struct Case {
        const char* text;
        QStringList pieces;
        double sizeAfter;
    };
    const Case cases[] = {
        {"x^2", {"x@36", "2@20", "@48|"}, 48},
        {"x^2y^3", {"x@36", "2@20", "y@48", "3@20", "@48|"}, 48},
        // Exactly three: no font is set before the first piece.
        {"a^2b^3c^4", {"a@36", "2@20", "b@48", "3@20", "c@48", "4@20", "@48|"}, 48},
        // Four: everything after the fourth "^" is small, and the size stays small.
        {"-3x^2y^3÷x^2y^2",
         {"-3x@36", "2@20", "y@48", "3@20", "÷x@48", "2@20", "y@48", "2@20|"},
         20},
        {"a^1b^2c^3d^4e^5",
         {"a@36", "1@20", "b@48", "2@20", "c@48", "3@20", "d@48", "4e^5@20|"},
         20},
        // No bracket handling: a fraction before the "^" is printed as it is.
        {"2/3^2", {"2/3@36", "2@20", "@48|"}, 48},
        {"1x^2", {"x@36", "2@20", "@48|"}, 48},
        {"12^2", {"12@36", "2@20", "@48|"}, 48},
        {"1.5^2", {"1.5@36", "2@20", "@48|"}, 48},
        {"x=5", {"x=5@36|"}, 36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PowerRig r;
        r.drawTyped(QString::fromUtf8(c.text));
        EXPECT_EQ(printedPieces(r.picture3), c.pieces);
        EXPECT_EQ(r.picture3.fontSize(), c.sizeAfter);
        EXPECT_TRUE(r.picture2.ops().empty());
    }
}

TEST(TypedPower, PositionsFollowThePenAndIgnoreThePowerPoint) {
    PowerRig r;
    r.s.powerX = 900;
    r.s.powerY = 900;
    r.s.baseFontSize = 24;
    r.drawTyped(QStringLiteral("x^2+1"));
    EXPECT_EQ(
        layoutOps(r.picture3),
        (QStringList{"print (0,0) \"x\" stay MS PGothic 36 #000000", "font MS PGothic 20",
                     "font " + gothic + " 20", "print (360,0) \"2\" stay " + gothic + " 20 #000000",
                     "font " + gothic + " 48",
                     "print (560,0) \"+1\" break " + gothic + " 48 #000000"}));
    EXPECT_EQ(r.s.baseFontSize, 24);
}

TEST(TypedPower, FourthCaseThreeExponentCaseAndStayOnLine) {
    PowerRig r;
    r.s.stayOnLine = 1;
    r.drawTyped(QStringLiteral("a^1b^2c^3d^4"));
    EXPECT_EQ(r.picture3.ops().back().end, LineEnd::Stay);
    EXPECT_EQ(r.s.stayOnLine, 0);
    r.drawTyped(QStringLiteral("a^1b^2c^3"));
    EXPECT_EQ(r.picture3.ops().back().end, LineEnd::Break);
    // Exactly three: the first font operation comes after the base.
    PowerRig three;
    three.drawTyped(QStringLiteral("a^2b^3c^4"));
    EXPECT_EQ(three.picture3.ops().front().kind, DrawOp::Kind::Print);
}

} // namespace
} // namespace minamo
