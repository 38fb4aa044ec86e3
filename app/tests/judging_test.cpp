#include "app/judging.h"

#include "app/presentation.h"
#include "drivers/fake_drive.h"
#include "fake/qstring_printer.h"
#include "fake/solution_reading.h"
#include "platform/key_codes.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

struct Problem {
    const char* question;
    const char* answer;
};

// A loaded window with a drill of the given problems running, problem 1 on screen.
struct Drilling : FakeForm {
    explicit Drilling(std::initializer_list<Problem> problems, const DrillOptions& options = {})
        : FakeForm(options) {
        EXPECT_TRUE(form.Form_Load());
        DrillState& st = s();
        int i = 0;
        for (const Problem& p : problems) {
            ++i;
            st.question[i] = QString::fromUtf8(p.question);
            st.answer[i] = QString::fromUtf8(p.answer);
        }
        st.bankCount = static_cast<int16>(i);
        st.drillRunning = 1;
        st.clockMinutes = 10; // time is left
        st.currentIndex = 0;
        advanceProblem(d());
    }

    // The entry as the editor would leave it.
    void enter(const QString& typed) {
        fake.text2.setText(typed);
        fake.text4.setText(typed);
        s().answerText = typed;
    }
    int16 pressEnter() { return pressKey(form, fake, key::enter); }
    int rightSounds() const { return fake.mmControl1.plays(); }
    int wrongSounds() const { return fake.mmControl2.plays(); }
};

const Problem equation{"4x+2=2x 方程式を解いて。", "x=-1"};
const Problem fractionAnswer{"-3x=8 方程式を解いて。", "x=-8/3"};
const Problem bare{"x+8=6", "x=-2"};

TEST(Judging, EmptyEntryOnlyResetsTheSolutionCount) {
    Drilling w{equation};
    w.s().solutionLineCount = 5;
    w.enter(QString());
    EXPECT_EQ(w.pressEnter(), key::consumed);
    EXPECT_EQ(w.s().solutionLineCount, 0);
    EXPECT_EQ(w.rightSounds() + w.wrongSounds(), 0);
    EXPECT_EQ(w.s().correctCount, 0);
    EXPECT_EQ(w.s().missCount, 0);
    EXPECT_EQ(w.s().currentIndex, 1);
    EXPECT_FALSE(w.fake.command3.isVisible());
}

TEST(Judging, EntryIsComparedExactlyAsText) {
    const struct {
        const char* text4;
        bool right;
    } cases[] = {
        {"x=-8/3", true},  {"x=-16/6", false}, {"-8/3", false},
        {"x=-3/8", false}, {" x=-8/3", false}, {"x=-8/3 ", false},
        {"X=-8/3", false}, {"x=－8/3", false}, {"x=-8/3x", false},
    };
    for (const auto& c : cases) {
        Drilling w{fractionAnswer, equation};
        w.fake.text2.setText(QStringLiteral("(raw box text)"));
        w.fake.text4.setText(QString::fromUtf8(c.text4));
        w.pressEnter();
        EXPECT_EQ(w.s().correctCount, c.right ? 1 : 0) << c.text4;
        EXPECT_EQ(w.s().missCount, c.right ? 0 : 1) << c.text4;
        EXPECT_EQ(w.s().currentIndex, c.right ? 2 : 1) << c.text4;
    }
}

TEST(Judging, FractionTypedDenominatorFirstIsRightNumeratorFirstWrong) {
    Drilling right{fractionAnswer, equation};
    typeKeys(right.form, right.fake, QStringLiteral("x=-3/8"));
    ASSERT_EQ(right.fake.text4.text(), QStringLiteral("x=-8/3"));
    right.pressEnter();
    EXPECT_EQ(right.s().correctCount, 1);
    EXPECT_EQ(right.rightSounds(), 1);

    Drilling wrong{fractionAnswer, equation};
    typeKeys(wrong.form, wrong.fake, QStringLiteral("x=-8/3"));
    wrong.pressEnter();
    EXPECT_EQ(wrong.s().correctCount, 0);
    EXPECT_EQ(wrong.s().missCount, 1);
    EXPECT_EQ(wrong.wrongSounds(), 1);
}

// Answers as a pupil types them (fractions denominator first) against the expected one, in
// both editions. The plain program compares the text exactly; the fresh edition points out a
// right value in another form (the message drawn line by line, "|" between lines, and what
// a screen reader is told) and judges every other text as the plain program does.
TEST(Judging, RightValueInAnotherFormIsPointedOutOnlyWithFreshNumbers) {
    enum class Plain { Right, Miss };
    const struct {
        const char* expected;
        const char* keys;
        const char* typed; // Text4 after the keys
        const char* drawn; // the fresh edition's message; none: judged as in the plain one
        const char* spoken;
        Plain plain;
    } cases[] = {
        {"x=2/3", "x=6/4", "x=4/6", "約分しましょう", "約分しましょう", Plain::Miss},
        {"x=-2/3", "x=-6/4", "x=-4/6", "約分しましょう", "約分しましょう", Plain::Miss},
        {"x=3/2", "x=1.5", "x=1.5", "分数で|答えましょう", "分数で答えましょう", Plain::Miss},
        {"x=3/2", "x=1.50", "x=1.50", "分数で|答えましょう", "分数で答えましょう", Plain::Miss},
        {"x=1/2", "x=.5", "x=.5", "分数で|答えましょう", "分数で答えましょう", Plain::Miss},
        {"x=3", "x=2/6", "x=6/2", "整数で|答えましょう", "整数で答えましょう", Plain::Miss},
        {"x=3", "x=3.0", "x=3.0", "整数で|答えましょう", "整数で答えましょう", Plain::Miss},
        {"x=5", "5", "5", "x= をつけて|答えましょう", "x= をつけて答えましょう", Plain::Miss},
        {"x=-8/3", "-3/8", "-8/3", "x= をつけて|答えましょう", "x= をつけて答えましょう",
         Plain::Miss},
        {"x=3", "x=+3", "x=+3", "+ をとって|答えましょう", "プラスをとって答えましょう",
         Plain::Miss},
        {"x=2/3", "x=+3/2", "x=2/+3", "+ をとって|答えましょう", "プラスをとって答えましょう",
         Plain::Miss},
        {"x=0", "x=-0", "x=-0", "- をとって|答えましょう", "マイナスをとって答えましょう",
         Plain::Miss},
        {"x=3", "x=03", "x=03", "よけいな 0 を|とりましょう", "よけいな 0 をとりましょう",
         Plain::Miss},
        {"x=1/3", "x=03/1", "x=1/03", "よけいな 0 を|とりましょう", "よけいな 0 をとりましょう",
         Plain::Miss},
        // Another value, or a text that is not a number: a miss in both editions.
        {"x=1/3", "x=0.3333", "x=0.3333", nullptr, nullptr, Plain::Miss},
        {"x=2/3", "x=6/2", "x=2/6", nullptr, nullptr, Plain::Miss},
        {"x=3", "x=--3", "x=--3", nullptr, nullptr, Plain::Miss},
        {"x=3", "x=0/3", "x=3/0", nullptr, nullptr, Plain::Miss},
        {"x=0", "x=0/0", "x=0/0", nullptr, nullptr, Plain::Miss},
        {"x=3", "x=", "x=", nullptr, nullptr, Plain::Miss},
        {"x=3", "y=3", "y=3", nullptr, nullptr, Plain::Miss},
        // The expected text itself is right in both.
        {"x=-8/3", "x=-3/8", "x=-8/3", nullptr, nullptr, Plain::Right},
        {"x=0", "x=0", "x=0", nullptr, nullptr, Plain::Right},
    };
    for (const auto& c : cases) {
        for (const Numbers numbers : {Numbers::Bank, Numbers::Fresh}) {
            const bool fresh = numbers == Numbers::Fresh;
            SCOPED_TRACE(std::string(c.keys) + (fresh ? " fresh" : " plain"));
            const QString expected = QString::fromUtf8(c.expected);
            Drilling w({{"3x=1 方程式を解いて。", c.expected}, equation}, {.numbers = numbers});
            typeKeys(w.form, w.fake, QString::fromUtf8(c.keys));
            ASSERT_EQ(w.fake.text4.text(), QString::fromUtf8(c.typed));
            w.pressEnter();

            if (fresh && c.drawn) {
                // Twice: the same message again, never a miss.
                for (int enter = 1; enter <= 2; ++enter) {
                    EXPECT_EQ(w.rightSounds() + w.wrongSounds(), 0);
                    EXPECT_EQ(w.s().correctCount + w.s().missCount, 0);
                    EXPECT_EQ(w.fake.label4.caption(), QString());
                    EXPECT_EQ(w.fake.picture4.printedTexts().join(u'|'),
                              QString::fromUtf8(c.drawn));
                    EXPECT_EQ(w.fake.picture4.spokenText(), QString::fromUtf8(c.spoken));
                    EXPECT_TRUE(w.fake.picture4.isVisible());
                    EXPECT_FALSE(w.fake.command3.isVisible());
                    EXPECT_TRUE(w.fake.picture7.printedTexts().isEmpty());
                    EXPECT_EQ(w.fake.text4.text(), QString::fromUtf8(c.typed));
                    EXPECT_EQ(w.s().currentIndex, 1);
                    if (enter == 1) {
                        w.pressEnter();
                    }
                }
                // The corrected answer is right and the message goes.
                w.enter(expected);
                w.pressEnter();
                EXPECT_EQ(w.s().correctCount, 1);
                EXPECT_FALSE(w.fake.picture4.isVisible());
                continue;
            }
            const bool right = c.plain == Plain::Right;
            EXPECT_EQ(w.rightSounds(), right ? 1 : 0);
            EXPECT_EQ(w.wrongSounds(), right ? 0 : 1);
            EXPECT_EQ(w.s().correctCount, right ? 1 : 0);
            EXPECT_EQ(w.s().missCount, right ? 0 : 1);
            EXPECT_EQ(w.s().currentIndex, right ? 2 : 1);
            if (!right) {
                EXPECT_EQ(w.fake.picture4.printedTexts(), QStringList{expected});
                EXPECT_FALSE(w.fake.picture7.drawing().empty());
            }
        }
    }
}

TEST(Judging, CapitalXIsRight) {
    Drilling w{{"x-5=2 方程式を解いて。", "x=7"}, equation};
    typeKeys(w.form, w.fake, QStringLiteral("X=7"));
    w.pressEnter();
    EXPECT_EQ(w.s().correctCount, 1);
    EXPECT_EQ(w.s().missCount, 0);
}

TEST(Judging, RightAnswerCountsClearsAndPresentsTheNext) {
    Drilling w{equation, fractionAnswer};
    w.s().explainedEquation = QStringLiteral("old");
    w.s().sideExpanded = QStringLiteral("old");
    w.fake.picture4.setVisible(true);
    w.fake.label12.setVisible(true);
    w.enter(QStringLiteral("x=-1"));
    w.pressEnter();

    EXPECT_EQ(w.rightSounds(), 1);
    EXPECT_EQ(w.wrongSounds(), 0);
    EXPECT_EQ(w.s().correctCount, 1);
    EXPECT_EQ(w.fake.label3.caption(), QStringLiteral("1"));
    EXPECT_EQ(w.s().currentIndex, 2);
    EXPECT_EQ(w.fake.text1.text(), QStringLiteral("2"));
    EXPECT_EQ(w.s().explainedEquation, QString());
    EXPECT_EQ(w.s().sideExpanded, QString());
    EXPECT_FALSE(w.fake.picture4.isVisible());
    EXPECT_FALSE(w.fake.picture5.isVisible());
    EXPECT_FALSE(w.fake.label12.isVisible());
    EXPECT_FALSE(w.fake.label13.isVisible());
    EXPECT_EQ(w.fake.text2.text(), QString());
    EXPECT_EQ(w.fake.text4.text(), QString());
    EXPECT_EQ(w.s().answerText, QString());
    EXPECT_EQ(w.s().exponentReady, 0);
    EXPECT_TRUE(w.fake.text2.hasFocus());
    EXPECT_EQ(w.s().missCount, 0);
}

TEST(Judging, MissAtAnEquationShowsAnswerAndWorkedSolution) {
    Drilling w{equation, fractionAnswer};
    w.enter(QStringLiteral("x=1"));
    w.pressEnter();

    EXPECT_EQ(w.wrongSounds(), 1);
    EXPECT_EQ(w.rightSounds(), 0);
    EXPECT_EQ(w.s().missCount, 1);
    EXPECT_EQ(w.fake.label4.caption(), QStringLiteral("1"));
    EXPECT_EQ(w.s().explainedEquation, QStringLiteral("4x+2=2x"));
    EXPECT_TRUE(w.fake.picture4.isVisible());
    EXPECT_TRUE(w.fake.command3.isVisible());
    EXPECT_EQ(w.fake.picture4.printedTexts(), QStringList{QStringLiteral("x=-1")});
    const QStringList solution = w.fake.picture7.printedTexts();
    EXPECT_TRUE(solution.contains(QStringLiteral("4x+2=2x")));
    EXPECT_EQ(solution.back(), QStringLiteral("x=-1"));
    // The problem stays, and so does the wrong entry.
    EXPECT_EQ(w.s().currentIndex, 1);
    EXPECT_EQ(w.fake.text2.text(), QStringLiteral("x=1"));
    EXPECT_EQ(w.fake.text4.text(), QStringLiteral("x=1"));
    EXPECT_EQ(w.s().answerText, QStringLiteral("x=1"));
    EXPECT_EQ(w.s().correctCount, 0);

    // Enter again without a correction: another miss, the answer shown once more.
    w.pressEnter();
    EXPECT_EQ(w.s().missCount, 2);
    EXPECT_EQ(w.fake.label4.caption(), QStringLiteral("2"));
    EXPECT_EQ(w.wrongSounds(), 2);
    EXPECT_EQ(w.fake.picture4.printedTexts(), QStringList{QStringLiteral("x=-1")});
    EXPECT_EQ(w.fake.picture7.printedTexts().count(QStringLiteral("x=-1")), 2);

    // A corrected entry is then judged right and goes on.
    w.enter(QStringLiteral("x=-1"));
    w.pressEnter();
    EXPECT_EQ(w.s().correctCount, 1);
    EXPECT_EQ(w.s().missCount, 2);
    EXPECT_EQ(w.s().currentIndex, 2);
}

TEST(Judging, MissAtABareProblemCountsNothingAndExplainsNothing) {
    Drilling w{bare, equation};
    w.s().missCount = 3;
    w.fake.picture7.forgetLog();
    w.enter(QStringLiteral("x=2"));
    w.pressEnter();

    EXPECT_EQ(w.wrongSounds(), 1);
    EXPECT_EQ(w.s().missCount, 3);
    EXPECT_EQ(w.fake.label4.caption(), QStringLiteral("3"));
    EXPECT_TRUE(w.fake.picture4.isVisible());
    EXPECT_TRUE(w.fake.command3.isVisible());
    EXPECT_EQ(w.fake.picture4.printedTexts(), QStringList{QStringLiteral("x=-2")});
    EXPECT_TRUE(w.fake.picture7.drawing().empty());
    EXPECT_EQ(w.s().explainedEquation, QString());
    EXPECT_EQ(w.s().currentIndex, 1);
    EXPECT_EQ(w.fake.text4.text(), QStringLiteral("x=2"));
}

TEST(Judging, StoredAnswerIsCutAtItsFirstColon) {
    const Problem noted{"2x=4 方程式を解いて。", "x=2:整数:check"};
    Drilling right{noted, equation};
    right.enter(QStringLiteral("x=2"));
    right.pressEnter();
    EXPECT_EQ(right.s().correctCount, 1);

    Drilling whole{noted, equation};
    whole.enter(QStringLiteral("x=2:整数:check"));
    whole.pressEnter();
    EXPECT_EQ(whole.s().correctCount, 0);
    EXPECT_EQ(whole.s().missCount, 1);
    // The expected answer is shown whole.
    EXPECT_EQ(whole.fake.picture4.printedTexts(), QStringList{QStringLiteral("x=2:整数:check")});
}

TEST(Judging, NothingIsJudgedOutsideADrill) {
    // Before a set is chosen: the placeholder list must not be judged.
    FakeForm idle;
    ASSERT_TRUE(idle.form.Form_Load());
    idle.fake.text2.setText(QStringLiteral("x=1"));
    idle.fake.text4.setText(QStringLiteral("x=1"));
    idle.s().solutionLineCount = 4;
    judgeAnswer(idle.d());
    EXPECT_EQ(idle.s().correctCount, 0);
    EXPECT_EQ(idle.s().missCount, 0);
    EXPECT_EQ(idle.s().currentIndex, 1);
    EXPECT_EQ(idle.s().solutionLineCount, 4);
    EXPECT_EQ(idle.fake.mmControl1.plays() + idle.fake.mmControl2.plays(), 0);

    // After the end: the recorded score stays as it is.
    Drilling ended{equation};
    ended.s().drillFinished = 1;
    ended.s().drillRunning = 0;
    ended.enter(QStringLiteral("x=1"));
    judgeAnswer(ended.d());
    ended.enter(QStringLiteral("x=-1"));
    judgeAnswer(ended.d());
    EXPECT_EQ(ended.s().correctCount, 0);
    EXPECT_EQ(ended.s().missCount, 0);
    EXPECT_EQ(ended.rightSounds() + ended.wrongSounds(), 0);
}

TEST(Judging, APositionWithoutAProblemIsNeverRight) {
    Drilling w{equation};
    for (int16 position : {int16{2}, int16{3}, int16{200}, int16{201}, int16{-1}, int16{0}}) {
        w.s().currentIndex = position;
        w.enter(QStringLiteral("anything"));
        judgeAnswer(w.d());
        EXPECT_EQ(w.s().correctCount, 0) << position;
        EXPECT_EQ(w.s().missCount, 0) << position;
        EXPECT_EQ(w.s().currentIndex, position);
    }
    EXPECT_EQ(w.rightSounds() + w.wrongSounds(), 0);
}

TEST(Judging, RightAnswerToTheLastProblemEndsTheDrillAndEmptiesTheEntry) {
    Drilling w{equation};
    w.enter(QStringLiteral("x=-1"));
    w.pressEnter();
    EXPECT_EQ(w.s().correctCount, 1);
    EXPECT_EQ(w.s().drillFinished, 1);
    EXPECT_EQ(w.fake.text2.text(), QString()); // "終り" is overwritten by the empty entry
    EXPECT_EQ(w.fake.text1.text(), QStringLiteral("2"));

    // Further Enters change nothing.
    w.enter(QStringLiteral("x=-1"));
    judgeAnswer(w.d());
    EXPECT_EQ(w.s().correctCount, 1);
    EXPECT_EQ(w.s().missCount, 0);
    EXPECT_EQ(w.rightSounds(), 1);
}

TEST(Judging, MissInADrillStartedFromTheMenuExplainsTheProblemOnScreen) {
    FakeForm w;
    ASSERT_TRUE(w.form.Form_Load());
    w.form.Menu_Click(u"bunhayasa"); // fraction problems
    ASSERT_EQ(w.s().drillRunning, 1);
    const QString question = w.s().question[w.s().currentIndex];
    const QString expected = w.s().answer[w.s().currentIndex];
    typeKeys(w.form, w.fake, QStringLiteral("x=99"));
    pressKey(w.form, w.fake, key::enter);

    EXPECT_EQ(w.s().missCount, 1);
    const QString equation = question.left(question.indexOf(QStringLiteral(" 方程式を")));
    EXPECT_EQ(w.s().explainedEquation, equation);
    const QStringList shown = trace::readSolutionLines(w.fake.picture7.ops(), w.s(), equation);
    ASSERT_GE(shown.size(), 4);
    EXPECT_EQ(shown.back(), expected);

    // 確認 goes on to the next problem with a clean solution area.
    w.form.Command3_Click();
    EXPECT_EQ(w.s().currentIndex, 2);
    EXPECT_TRUE(w.fake.picture7.printedTexts().isEmpty());
    EXPECT_FALSE(w.fake.command3.isVisible());
}

} // namespace
} // namespace minamo
