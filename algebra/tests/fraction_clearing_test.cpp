#include "algebra/fraction_clearing.h"
#include "render/fraction_equation.h"

#include "core/fixed_list.h"
#include "fake/fake_drill.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

// A loaded window: the prime table is filled, as the common denominator needs it.
struct Loaded : FakeDrill {};

TEST(FractionClearing, LinesOfTheDesignTable) {
    const struct {
        const char* equation;
        const char* sorted;
        const char* overCommon;
        const char* cleared;
    } cases[] = {
        {"1/3x+5=7", "1/3x+5/1=7/1", "1x/3+15/3=21/3", "1x+15=21"},
        {"3/5x=1/5", "3/5x=1/5", "3x/5=1/5", "3x=1"},
        {"x-1/3=1/3", "x/1-1/3=1/3", "3x/3-1/3=1/3", "3x-1=1"},
        {"5x/12-3/8=5x/8-1", "5x/12-3/8=5x/8-1/1", "10x/24-9/24=15x/24-24/24", "10x-9=15x-24"},
        {"-x/15-1/12=-x+1/2", "-x/15-1/12=-x/1+1/2", "-4x/60-5/60=-60x/60+30/60", "-4x-5=-60x+30"},
        {"5/6-3/4x=+2/3-1/2x", "-3/4x+5/6=-1/2x+2/3", "-9x/12+10/12=-6x/12+8/12", "-9x+10=-6x+8"},
        {"2/5=1/2x+1/2", "2/5=1/2x+1/2", "4/10=5x/10+5/10", "4=5x+5"},
        // more of the banks' forms
        {"8-5/6x=-2", "-5/6x+8/1=-2/1", "-5x/6+48/6=-12/6", "-5x+48=-12"},
        {"2/9x=0", "2/9x=0/1", "2x/9=0/9", "2x=0"},
        {"1/6x-4=7/2+8/3x", "1/6x-4/1=8/3x+7/2", "1x/6-24/6=16x/6+21/6", "1x-24=16x+21"},
        {"x-3/2=-3/2", "x/1-3/2=-3/2", "2x/2-3/2=-3/2", "2x-3=-3"},
        {"-7x/10=1/2", "-7x/10=1/2", "-7x/10=5/10", "-7x=5"},
    };
    for (const auto& c : cases) {
        Loaded w;
        DrillState& s = w.s();
        s.currentLine = QString::fromUtf8(c.equation);
        s.solutionLineCount = 0;
        clearFractions(s);
        SCOPED_TRACE(c.equation);
        EXPECT_EQ(s.fractionLines[1], QString::fromUtf8(c.sorted));
        EXPECT_EQ(s.fractionLines[2], QString::fromUtf8(c.overCommon));
        EXPECT_EQ(s.fractionLines[3], QString::fromUtf8(c.cleared));
        EXPECT_EQ(s.pendingEquation, QString::fromUtf8(c.cleared));
        EXPECT_EQ(s.solutionLineCount, 3);
        EXPECT_EQ(s.currentLine, QString::fromUtf8(c.equation));
    }
}

TEST(FractionClearing, LinesFollowTheEntryCount) {
    Loaded w;
    DrillState& s = w.s();
    s.currentLine = QStringLiteral("3/5x=1/5");
    s.solutionLineCount = 4;
    clearFractions(s);
    EXPECT_EQ(s.solutionLineCount, 7);
    EXPECT_EQ(s.fractionLines[1], QString());
    EXPECT_EQ(s.fractionLines[5], QStringLiteral("3/5x=1/5"));
    EXPECT_EQ(s.fractionLines[6], QStringLiteral("3x/5=1/5"));
    EXPECT_EQ(s.fractionLines[7], QStringLiteral("3x=1"));

    // Past the end of the list the lines are not kept, and nothing is written elsewhere.
    const auto violations = rangeViolations();
    s.solutionLineCount = 9;
    clearFractions(s);
    EXPECT_EQ(s.solutionLineCount, 12);
    EXPECT_EQ(s.fractionLines[10], QStringLiteral("3/5x=1/5"));
    EXPECT_EQ(s.pendingEquation, QStringLiteral("3x=1"));
    EXPECT_EQ(rangeViolations(), violations);
}

TEST(FractionClearing, WorkedLineIsDrawnInPicture7FromTheLayoutOrigin) {
    Loaded w;
    DrillState& s = w.s();
    w.fake.picture2.forgetLog();
    s.layoutText = QStringLiteral("3/5x=1/5");
    s.layoutX = 0;
    s.layoutY = 400;
    drawWorkedFractionLine(w.d());

    QStringList log;
    for (const DrawOp& op : w.fake.picture7.drawing()) {
        log << op.toString();
    }
    const QString font = QStringLiteral(" MS Gothic 21.75 #000000");
    EXPECT_EQ(log, (QStringList{
                       QStringLiteral("print (40,200) \"\" stay") + font,
                       QStringLiteral("print (80,0) \"3\" stay") + font,
                       QStringLiteral("line (40,400)-(290,400) #008000"),
                       QStringLiteral("print (290,200) \"x\" break") + font,
                       QStringLiteral("print (40,400) \"5\" stay") + font,
                       QStringLiteral("print (530,200) \"=\" stay") + font,
                       QStringLiteral("print (787.5,0) \"1\" stay") + font,
                       QStringLiteral("line (747.5,400)-(997.5,400) #008000"),
                       QStringLiteral("print (747.5,400) \"5\" stay") + font,
                   }));
    EXPECT_EQ(s.layoutY, 1200); // the pen's y after the last denominator, plus 800
    EXPECT_EQ(s.layoutX, 0);
    EXPECT_TRUE(w.fake.picture2.drawing().empty());

    // The next line starts where the caller leaves layoutX: after a typed fraction the
    // answer editor has moved it on.
    s.layoutText = QStringLiteral("3x/5=1/5");
    s.layoutX = 1000;
    w.fake.picture7.forgetLog();
    drawWorkedFractionLine(w.d());
    const std::vector<DrawOp> second = w.fake.picture7.drawing();
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second.front().x, 1040);
    EXPECT_EQ(second.front().y, 1000);
    EXPECT_EQ(s.layoutY, 2000);
}

TEST(FractionClearing, MalformedEquationsEndCalmly) {
    const char* equations[] = {
        "",
        "=",
        "/",
        "1/0x=1/0",
        "0/0=0/0",
        "x/=/",
        "1/3x",
        "=1/2",
        "1/2=",
        "//=//",
        "-/-=-/-",
        "1/-2x=3",
        "(x+1)/2=3",
        "1/2+1/3+1/4+1/5+1/6=1/7",
        "a/b=c/d",
        "1/30000x=1/29999",
        "99999/1x=1/99999",
        "x=x=x/2",
        "=-=-/",
        "1/2x+=3/4",
        "方程式/=",
    };
    const auto violations = rangeViolations();
    for (const char* equation : equations) {
        Loaded w;
        DrillState& s = w.s();
        s.currentLine = QString::fromUtf8(equation);
        s.solutionLineCount = 0;
        clearFractions(s);
        EXPECT_EQ(s.solutionLineCount, 3) << equation;
        EXPECT_EQ(s.pendingEquation, s.fractionLines[3]) << equation;
        s.layoutText = s.fractionLines[2];
        s.layoutY = 400;
        drawWorkedFractionLine(w.d());
    }
    EXPECT_EQ(rangeViolations(), violations);
}

} // namespace
} // namespace minamo
