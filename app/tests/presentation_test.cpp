#include "app/presentation.h"

#include "app/drill_start.h"
#include "core/fixed_list.h"
#include "drivers/fake_drive.h"
#include "fake/qstring_printer.h"
#include "render/fraction_equation.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

const QString endText = QStringLiteral("終り");

QStringList drawn(const FakePictureArea& area) {
    QStringList lines;
    for (const DrawOp& op : area.drawing()) {
        lines << op.toString();
    }
    return lines;
}

// A window after start-up with a drill list filled by hand.
struct Presenter : FakeForm {
    Presenter() { EXPECT_TRUE(form.Form_Load()); }

    void fill(const QStringList& problems) {
        for (int i = 0; i < problems.size(); ++i) {
            s().question[i + 1] = problems[i];
            s().answer[i + 1] = QStringLiteral("x=1");
        }
        s().bankCount = static_cast<int16>(problems.size());
        s().currentIndex = 0;
        s().clockMinutes = 9; // a running countdown
        s().clockSeconds = 30;
    }
    void advance() {
        fake.picture2.forgetLog();
        advanceProblem(d());
    }
    // What the problem area shows after the last clear.
    QStringList shown() const { return fake.picture2.printedTexts(); }
};

TEST(AdvanceProblem, PlainProblemsArePrintedOnLinesOfTwentyOneCharacters) {
    const struct {
        const char* problem;
        int length;
        QStringList lines;
    } cases[] = {
        {"-6x+444=-7x 方程式を解いて。", 20, {QStringLiteral("-6x+444=-7x 方程式を解いて。")}},
        {"-6x+4444=-7x 方程式を解いて。",
         21,
         {QStringLiteral("-6x+4444=-7x 方程式を解いて。"), QString()}},
        {"-6x+44444=-7x 方程式を解いて。",
         22,
         {QStringLiteral("-6x+44444=-7x 方程式を解いて"), QStringLiteral("。")}},
        {"-8(-6x-5)+6(-6x-6)=7(x-3) 方程式を解いて。",
         34,
         {QStringLiteral("-8(-6x-5)+6(-6x-6)=7("), QStringLiteral("x-3) 方程式を解いて。")}},
        {"-5(-9x-2)-5(-4x+7)=-5(x-9) 方程式を解いて。",
         35,
         {QStringLiteral("-5(-9x-2)-5(-4x+7)=-5"), QStringLiteral("(x-9) 方程式を解いて。")}},
        {"x+8=6", 5, {QStringLiteral("x+8=6")}},
        {"", 0, {QString()}},
        {"123456789012345678901234567890123456789012",
         42,
         {QStringLiteral("123456789012345678901"), QStringLiteral("234567890123456789012"),
          QString()}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        Presenter p;
        const QString problem = QString::fromUtf8(c.problem);
        ASSERT_EQ(problem.size(), c.length);
        p.fill({problem, QStringLiteral("x=2")});
        p.advance();
        EXPECT_EQ(p.shown(), c.lines);
        // Line after line from the top left corner, each followed by a line break.
        const std::vector<DrawOp> ops = p.fake.picture2.drawing();
        ASSERT_EQ(ops.size(), c.lines.size() + 1);
        EXPECT_EQ(ops[0].kind, DrawOp::Kind::Clear);
        for (int k = 0; k < c.lines.size(); ++k) {
            EXPECT_EQ(ops[k + 1].x, 0);
            EXPECT_EQ(ops[k + 1].y, k * FakePictureArea::lineHeightTwips(20.25));
            EXPECT_EQ(ops[k + 1].end, LineEnd::Break);
        }
        EXPECT_EQ(p.s().layoutText, problem);
    }
}

TEST(AdvanceProblem, FirstAdvanceShowsPositionOneAndResetsTheProblemState) {
    Presenter p;
    p.fill({QStringLiteral("x+3=4 方程式を解いて。"), QStringLiteral("3x=6 方程式を解いて。")});
    DrillState& s = p.s();
    s.termNumerator = QStringLiteral("2");
    s.termDenominator = QStringLiteral("3");
    s.typedNumerator = QStringLiteral("5");
    s.fractionMode = 1;
    s.answerText = QStringLiteral("x=");
    s.fractionSuffix = QStringLiteral("x");
    s.exponentReady = 1;
    s.sideExpanded = QStringLiteral("3x+1");
    s.solutionLineCount = 4;
    for (int k = 0; k <= 4; ++k) {
        s.eqTerm[k] = QStringLiteral("t");
    }
    s.layoutX = 1200;
    s.layoutY = 400;
    p.fake.picture3.forgetLog();
    p.fake.picture7.forgetLog();
    p.fake.focus.focused.clear();
    const int shows = p.fake.form1.shows;

    p.advance();

    EXPECT_EQ(s.currentIndex, 1);
    EXPECT_EQ(p.fake.text1.text(), QStringLiteral("1"));
    EXPECT_EQ(p.shown(), QStringList{QStringLiteral("x+3=4 方程式を解いて。")});
    EXPECT_EQ(s.termNumerator, QString());
    EXPECT_EQ(s.termDenominator, QString());
    EXPECT_EQ(s.typedNumerator, QString());
    EXPECT_EQ(s.fractionMode, 0);
    EXPECT_EQ(s.answerText, QString());
    EXPECT_EQ(s.fractionSuffix, QString());
    EXPECT_EQ(s.exponentReady, 0);
    EXPECT_EQ(s.sideExpanded, QString());
    EXPECT_EQ(s.solutionLineCount, 0);
    for (int k = 0; k <= 4; ++k) {
        EXPECT_EQ(s.eqTerm[k], QString()) << k;
    }
    EXPECT_EQ(s.layoutX, 0);
    EXPECT_EQ(s.layoutY, 0);
    EXPECT_EQ(drawn(p.fake.picture3), QStringList{QStringLiteral("clear")});
    EXPECT_EQ(drawn(p.fake.picture7), QStringList{QStringLiteral("clear")});
    EXPECT_EQ(p.fake.form1.shows, shows + 1);
    EXPECT_TRUE(p.fake.text2.hasFocus());
    // The countdown is running: the labels are the tick's business.
    EXPECT_EQ(p.fake.label2.caption(), QStringLiteral("Label2"));

    p.advance();
    EXPECT_EQ(p.fake.text1.text(), QStringLiteral("2"));
    EXPECT_EQ(p.shown(), QStringList{QStringLiteral("3x=6 方程式を解いて。")});
}

// The drawing the fraction display makes of an equation on a fresh problem area.
QStringList fractionDrawing(const QString& equation) {
    FakePlatform fake;
    DrillState s;
    Drill d{s, fake.platform()};
    s.layoutText = equation;
    drawFractionEquation(d);
    return QStringList{QStringLiteral("clear")} + drawn(fake.picture2);
}

TEST(AdvanceProblem, FractionProblemsShowOnlyTheirEquation) {
    const std::pair<const char*, const char*> cases[] = {
        {"x+1=3/2 方程式を解いて。", "x+1=3/2"},
        {"5/6-3/4x=+2/3-1/2x 方程式を解いて。", "5/6-3/4x=+2/3-1/2x"},
        {"-x/15-1/12=-x+1/2 方程式を解いて。", "-x/15-1/12=-x+1/2"},
        // A problem of 基本2 has no instruction: it is drawn whole.
        {"x+1=5/2", "x+1=5/2"},
        {"x-1/3=1/3", "x-1/3=1/3"},
    };
    for (const auto& [problem, equation] : cases) {
        SCOPED_TRACE(problem);
        Presenter p;
        p.fill({QString::fromUtf8(problem)});
        p.advance();
        EXPECT_EQ(p.s().layoutText, QString::fromUtf8(equation));
        EXPECT_EQ(drawn(p.fake.picture2), fractionDrawing(QString::fromUtf8(equation)));
        EXPECT_EQ(p.s().layoutX, 0);
        EXPECT_EQ(p.s().layoutY, 400);
        for (const QString& text : p.shown()) {
            EXPECT_FALSE(text.contains(QStringLiteral("方程式")));
        }
    }
}

TEST(AdvanceProblem, InstructionAtTheVeryStartLeavesAnEmptyEquation) {
    Presenter p;
    p.fill({QStringLiteral("方程式 1/2")});
    const auto violations = rangeViolations();
    p.advance();
    EXPECT_EQ(p.s().layoutText, QString());
    EXPECT_EQ(rangeViolations(), violations);
}

TEST(AdvanceProblem, PowerTextsGoToThePowerRenderer) {
    Presenter p;
    p.fill({QStringLiteral("x^2=4 方程式を解いて。")});
    p.advance();
    EXPECT_EQ(p.s().powerText, QStringLiteral("x^2=4 方程式を解いて。"));
    EXPECT_EQ(p.s().layoutText, QStringLiteral("x^2=4 方程式を解いて。"));
    EXPECT_FALSE(p.shown().contains(QStringLiteral("x^2=4 方程式を解いて。")));
    EXPECT_TRUE(p.fake.text2.hasFocus());
    EXPECT_EQ(p.fake.text1.text(), QStringLiteral("1"));
}

TEST(AdvanceProblem, TheEndOfTheListEndsTheDrillOnce) {
    Presenter p;
    p.fill({QStringLiteral("x+1=2"), QStringLiteral("x+2=3"), QStringLiteral("x+3=4")});
    p.s().drillRunning = 1;
    p.s().correctCount = 3;
    for (int i = 1; i <= 3; ++i) {
        p.advance();
        EXPECT_EQ(p.fake.text1.text(), QString::number(i));
        EXPECT_NE(p.fake.text2.text(), endText);
    }
    EXPECT_EQ(p.s().drillRunning, 1);
    EXPECT_TRUE(p.fake.picture2.isVisible());

    // The last right answer advances past the list.
    p.advance();
    EXPECT_EQ(p.fake.text2.text(), endText);
    EXPECT_EQ(p.fake.text1.text(), QStringLiteral("4"));
    EXPECT_EQ(p.s().currentIndex, 4);
    EXPECT_EQ(p.s().drillRunning, 0);
    EXPECT_FALSE(p.fake.picture2.isVisible());
    EXPECT_TRUE(p.fake.picture1.isVisible());

    // Judging writes the empty entry back; further advances change nothing.
    p.fake.text2.setText(QString());
    const auto violations = rangeViolations();
    const std::size_t chartOps = p.fake.picture1.ops().size();
    const std::size_t messages = p.fake.messageBox.shown.size();
    for (int i = 0; i < 3; ++i) {
        p.advance();
    }
    EXPECT_EQ(p.s().currentIndex, 4);
    EXPECT_EQ(p.fake.text1.text(), QStringLiteral("4"));
    EXPECT_EQ(p.fake.text2.text(), QString());
    EXPECT_TRUE(p.fake.picture2.ops().empty());
    EXPECT_EQ(p.fake.picture1.ops().size(), chartOps);
    EXPECT_EQ(p.fake.messageBox.shown.size(), messages);
    EXPECT_EQ(rangeViolations(), violations);
}

TEST(AdvanceProblem, EmptyListEndsAtOnce) {
    Presenter p;
    p.fill({});
    p.advance();
    EXPECT_EQ(p.fake.text2.text(), endText);
    EXPECT_EQ(p.fake.text1.text(), QStringLiteral("1"));
    EXPECT_EQ(p.s().currentIndex, 1);
}

TEST(AdvanceProblem, ListLongerThanItsSlotsStopsAtTheLastSlot) {
    Presenter p;
    p.fill({QStringLiteral("x=1")});
    p.s().bankCount = 500;
    p.s().currentIndex = 198;
    const auto violations = rangeViolations();
    for (int i = 0; i < 5; ++i) {
        p.advance();
    }
    EXPECT_EQ(p.s().currentIndex, 200);
    EXPECT_EQ(p.fake.text2.text(), endText);
    EXPECT_EQ(rangeViolations(), violations);
}

TEST(AdvanceProblem, ScoreGoesIntoTheClockOnceTheTimeIsUp) {
    const struct {
        int minutes, seconds, right, misses;
        const char* label2;
        const char* label5;
    } cases[] = {
        {0, 0, 7, 2, "5", "5"},     {0, 0, 1, 4, "-3", "-3"},   {0, -1, 0, 0, "0", "0"},
        {-1, 0, 3, 0, "3", "3"},    {0, 1, 7, 2, "Label2", ""}, // one second left: still the clock
        {1, 0, 7, 2, "Label2", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minutes << ":" << c.seconds);
        Presenter p;
        p.fill({QStringLiteral("x+1=2"), QStringLiteral("x+2=3"), QStringLiteral("x+3=4")});
        p.s().clockMinutes = static_cast<int16>(c.minutes);
        p.s().clockSeconds = static_cast<int16>(c.seconds);
        p.s().correctCount = static_cast<int16>(c.right);
        p.s().missCount = static_cast<int16>(c.misses);
        // Every advance does it, not only the first.
        for (int i = 0; i < 2; ++i) {
            p.fake.label2.setCaption(QStringLiteral("Label2"));
            p.fake.label5.setCaption(QString());
            p.advance();
            EXPECT_EQ(p.fake.label2.caption(), QString::fromUtf8(c.label2));
            EXPECT_EQ(p.fake.label5.caption(), QString::fromUtf8(c.label5));
        }
    }
}

TEST(Command3Click, HidesTheMissDisplayAndMovesOn) {
    Presenter p;
    p.fill({QStringLiteral("x+1=2"), QStringLiteral("x+2=3")});
    p.advance();
    p.fake.command3.setVisible(true);
    p.fake.label12.setVisible(true);
    p.fake.label13.setVisible(true);
    p.fake.picture4.setVisible(true);
    p.fake.picture5.setVisible(true);
    p.fake.picture7.print(QStringLiteral("3x=6"), LineEnd::Break);
    p.s().solutionLineCount = 5;

    p.form.Command3_Click();

    EXPECT_FALSE(p.fake.command3.isVisible());
    EXPECT_FALSE(p.fake.label12.isVisible());
    EXPECT_FALSE(p.fake.label13.isVisible());
    EXPECT_FALSE(p.fake.picture4.isVisible());
    EXPECT_FALSE(p.fake.picture5.isVisible());
    EXPECT_TRUE(p.fake.picture7.printedTexts().isEmpty());
    EXPECT_EQ(p.s().solutionLineCount, 0);
    EXPECT_EQ(p.s().currentIndex, 2);
    EXPECT_EQ(p.fake.text1.text(), QStringLiteral("2"));
    EXPECT_EQ(p.shown(), QStringList{QStringLiteral("x+2=3")});
}

// Ten problems, so that the selection takes one whole group.
const BankProblem ten[] = {
    {u"x+1=11 方程式を解いて。", u"x=10"}, {u"x+2=12 方程式を解いて。", u"x=10"},
    {u"x+3=13 方程式を解いて。", u"x=10"}, {u"x+4=14 方程式を解いて。", u"x=10"},
    {u"x+5=15 方程式を解いて。", u"x=10"}, {u"x+6=16 方程式を解いて。", u"x=10"},
    {u"x+7=17 方程式を解いて。", u"x=10"}, {u"x+8=18 方程式を解いて。", u"x=10"},
    {u"x+9=19 方程式を解いて。", u"x=10"}, {u"x+10=20 方程式を解いて。", u"x=10"},
};
const Bank tenBank{.builder = u"fillTen", .problems = ten};

const CatalogueEntry tenProblems{.menu = QStringLiteral("bunsu"),
                                 .name = QStringLiteral("tosiki1"),
                                 .caption = QStringLiteral("基本１"),
                                 .bank = &tenBank,
                                 .record = RecordName(QStringLiteral("方程式基本"), u'1')};

TEST(DrillStart, FirstProblemIsPositionOneWhateverCameBefore) {
    Presenter p;
    p.s().currentIndex = 7;
    startDrill(p.d(), tenProblems);
    EXPECT_EQ(p.s().currentIndex, 1);
    EXPECT_EQ(p.fake.text1.text(), QStringLiteral("1"));
    EXPECT_EQ(p.shown(), QStringList{p.s().question[1]});
    EXPECT_TRUE(p.s().question[1].startsWith(QStringLiteral("x+")));
}

TEST(DrillStart, MenuClickDuringADrillChangesNothing) {
    Presenter p;
    startDrill(p.d(), tenProblems);
    p.advance();
    ASSERT_EQ(p.s().currentIndex, 2);
    QStringList list;
    for (int i = 1; i <= 10; ++i) {
        list << p.s().question[i];
    }
    const float startTime = p.s().startTime;
    const QString shownBefore = p.shown().join(u'|');
    p.fake.picture2.forgetLog();
    p.fake.clock.advance(5);

    p.form.Menu_Click(u"mosiki1");
    p.form.Menu_Click(u"tosiki1");

    EXPECT_EQ(p.s().currentIndex, 2);
    EXPECT_EQ(p.fake.text1.text(), QStringLiteral("2"));
    EXPECT_EQ(p.s().bankCount, 10);
    EXPECT_EQ(p.s().startTime, startTime);
    EXPECT_EQ(p.s().drillRunning, 1);
    EXPECT_TRUE(p.fake.picture2.ops().empty());
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(p.s().question[i], list[i - 1]) << i;
    }
    EXPECT_FALSE(shownBefore.isEmpty());
}

} // namespace
} // namespace minamo
