// Whole drills through the window's handlers on the fake: the menu, the keys, Enter, the
// confirm button, the clock and the end.

#include "app/countdown.h"
#include "app/drill_start.h"
#include "app/form1.h"
#include "drivers/fake_drive.h"
#include "fake/qstring_printer.h"
#include "stories/fresh_set.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace minamo {
namespace {

QByteArray shiftJis(const QString& text) {
    QStringEncoder encoder("Shift_JIS");
    return encoder.encode(text);
}

// A loaded window whose family file already holds a record of another set of the family,
// so the drill asks the bank in its own order and the answers are known.
struct Drilling : FakeForm {
    explicit Drilling(const QString& family, const QString& otherSet) {
        fake.files.files.insert(fake.files.currentDirectory() + QStringLiteral("/") + family,
                                shiftJis(QStringLiteral("2026/12/01\r\n15,261201#") + otherSet +
                                         QStringLiteral("\r\n")));
        EXPECT_TRUE(form.Form_Load());
    }
    void answer(const QString& keys) {
        typeKeys(form, fake, keys);
        pressKey(form, fake, 13);
    }
    void answerRight() { answer(pupilKeys(s().answer[s().currentIndex])); }
    QString familyFile(const QString& family) const {
        QStringDecoder decoder("Shift_JIS");
        return decoder.decode(
            fake.files.files.value(fake.files.currentDirectory() + QStringLiteral("/") + family));
    }
};

TEST(DrillFlow, StartShowsProblemOneWithoutFlashingAScoreIntoTheClock) {
    Drilling w(QStringLiteral("方程式難.txt"), QStringLiteral("方程式難2.txt"));
    w.form.Menu_Click(u"mojiarawa1");
    EXPECT_EQ(w.fake.text1.text(), QStringLiteral("1"));
    EXPECT_EQ(w.s().question[1], QStringLiteral("-3(6x+2)-9x=7(-3x+6) 方程式を解いて。"));
    // Until the first tick the clock keeps its text; the score label stays empty.
    EXPECT_EQ(w.fake.label2.caption(), QStringLiteral("Label2"));
    EXPECT_EQ(w.fake.label5.caption(), QString());
    // 599.7 seconds left read 10:59 (minutes rounded, seconds rounded down).
    w.fake.clock.advance(0.3);
    w.form.Timer1_Timer();
    EXPECT_EQ(w.fake.label2.caption(), QStringLiteral("10:59"));
    EXPECT_EQ(w.fake.label5.caption(), QStringLiteral("0"));
}

TEST(DrillFlow, MissedEntryIsNotJudgedAgainAtTheNextProblem) {
    Drilling w(QStringLiteral("方程式難.txt"), QStringLiteral("方程式難2.txt"));
    w.form.Menu_Click(u"mojiarawa1");
    w.answer(QStringLiteral("x=5"));
    ASSERT_EQ(w.s().missCount, 1);
    ASSERT_TRUE(w.fake.command3.isVisible());

    w.form.Command3_Click();
    EXPECT_EQ(w.fake.text1.text(), QStringLiteral("2"));
    EXPECT_EQ(w.fake.text2.text(), QString());
    EXPECT_EQ(w.fake.text4.text(), QString());
    // Enter on the empty entry of the new problem counts nothing and plays nothing.
    const int sounds = w.fake.mmControl2.plays();
    pressKey(w.form, w.fake, 13);
    EXPECT_EQ(w.s().missCount, 1);
    EXPECT_EQ(w.s().correctCount, 0);
    EXPECT_EQ(w.fake.mmControl2.plays(), sounds);
    // The new problem is then answered as usual.
    w.answerRight();
    EXPECT_EQ(w.s().correctCount, 1);
    EXPECT_EQ(w.fake.text1.text(), QStringLiteral("3"));
}

TEST(DrillFlow, WholeDrillToTheEndRecordsTheFinalScoreOnce) {
    Drilling w(QStringLiteral("方程式難.txt"), QStringLiteral("方程式難2.txt"));
    w.form.Menu_Click(u"mojiarawa1");
    ASSERT_EQ(w.s().bankCount, 20);
    for (int i = 1; i <= 20; ++i) {
        ASSERT_EQ(w.fake.text1.text(), QString::number(i));
        if (i == 7) {
            w.answer(QStringLiteral("x=100"));
            w.form.Command3_Click();
            continue;
        }
        w.fake.clock.advance(5);
        w.form.Timer1_Timer();
        w.answerRight();
    }
    EXPECT_EQ(w.s().correctCount, 19);
    EXPECT_EQ(w.s().missCount, 1);
    EXPECT_EQ(w.s().drillRunning, 0);
    EXPECT_EQ(w.fake.timer1.interval(), 0);
    // The labels agree with the chart and the record: 19 right, 1 miss.
    EXPECT_EQ(w.fake.label5.caption(), QStringLiteral("18"));
    EXPECT_EQ(w.fake.label3.caption(), QStringLiteral("19"));
    EXPECT_EQ(w.fake.label4.caption(), QStringLiteral("1"));
    EXPECT_EQ(w.fake.text2.text(), QString());
    EXPECT_TRUE(w.fake.command2.isVisible());
    ASSERT_EQ(w.fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(w.fake.messageBox.shown[0].title, QStringLiteral("終わる？"));
    EXPECT_EQ(
        w.familyFile(QStringLiteral("方程式難.txt")),
        QStringLiteral("2026/12/09\r\n15,261201#方程式難2.txt\r\n18,261209#方程式難1.txt\r\n"));

    // Afterwards nothing moves: ticks, keys, Enter and the menu.
    for (int i = 0; i < 5; ++i) {
        w.fake.clock.advance(100);
        w.form.Timer1_Timer();
    }
    w.answer(QStringLiteral("x=1"));
    w.form.Menu_Click(u"tosiki1");
    EXPECT_EQ(w.s().correctCount, 19);
    EXPECT_EQ(w.fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(w.fake.files.writes, 1);
    EXPECT_EQ(w.fake.label5.caption(), QStringLiteral("18"));
}

// 「ていせい」 in the middle of a typed fraction: the editor starts afresh.
TEST(DrillFlow, CorrectionButtonInAFractionStartsAfresh) {
    const auto typedAfterCorrection = [](const QString& before, const QString& after) {
        FakeForm f;
        EXPECT_TRUE(f.form.Form_Load());
        f.s().drillRunning = 1;
        typeKeys(f.form, f.fake, before);
        f.form.Command1_Click();
        // The button leaves the fraction state; the next key notices the emptied entry.
        EXPECT_EQ(f.s().fractionMode, 1);
        typeKeys(f.form, f.fake, after);
        return f.s().answerText;
    };
    EXPECT_EQ(typedAfterCorrection(QStringLiteral("x=4/9"), QStringLiteral("x=-3/8")),
              QStringLiteral("x=-8/3"));
    EXPECT_EQ(typedAfterCorrection(QStringLiteral("x=4/9"), QStringLiteral("/5")),
              QStringLiteral("5/"));
}

// Fresh numbers: the fresh bank of the seed, its record in a family file of its own; the
// fixed sets' file stays as it was, byte for byte.
TEST(DrillFlow, FreshNumbersRecordIntoTheirOwnFamilyFile) {
    FakeForm w({.numbers = Numbers::Fresh, .seed = 3});
    const QString folder = w.fake.files.currentDirectory() + QStringLiteral("/");
    const QByteArray fixed =
        shiftJis(QStringLiteral("2026/12/01\r\n15,261201#方程式基本1.txt\r\n"));
    w.fake.files.files.insert(folder + QStringLiteral("方程式基本.txt"), fixed);
    ASSERT_TRUE(w.form.Form_Load());
    w.form.Menu_Click(u"tosiki1");
    const auto fresh = makeFreshBank(basicA, 3);
    ASSERT_TRUE(fresh);
    QStringList asked, freshOnes;
    for (int i = 1; i <= w.s().bankCount; ++i) {
        asked << w.s().question[i] + u'=' + w.s().answer[i];
    }
    for (const BankProblem& p : fresh->bank().problems) {
        freshOnes << p.question.toString() + u'=' + p.answer.toString();
    }
    asked.sort();
    freshOnes.sort();
    EXPECT_EQ(asked, freshOnes);
    EXPECT_EQ(w.s().recordName, QStringLiteral("方程式基本新1.txt"));

    for (int i = 0; i < 3; ++i) {
        typeKeys(w.form, w.fake, pupilKeys(w.s().answer[w.s().currentIndex]));
        pressKey(w.form, w.fake, 13);
    }
    w.fake.clock.advance(drillLengthSeconds);
    w.form.Timer1_Timer();
    EXPECT_EQ(w.fake.files.files.value(folder + QStringLiteral("方程式基本.txt")), fixed);
    EXPECT_EQ(w.fake.files.files.value(folder + QStringLiteral("方程式基本新.txt")),
              shiftJis(QStringLiteral("2026/12/09\r\n3,261209#方程式基本新1.txt\r\n")));
}

// The sets only fresh numbers ask: greyed in the plain program; with fresh numbers each runs
// its twenty problems to the end (a miss shows the problem's own working), and the record goes
// into its own family file after the one there.
TEST(DrillFlow, EveryWordProblemSetRunsWholeIntoItsOwnFamilyFile) {
    for (const CatalogueEntry& entry : catalogue()) {
        if (entry.generator.isEmpty()) {
            continue;
        }
        SCOPED_TRACE(entry.name.toStdString());
        FakeForm plain;
        ASSERT_TRUE(plain.form.Form_Load());
        plain.form.Menu_Click(entry.name);
        EXPECT_EQ(plain.s().drillRunning, 0);

        FakeForm w({.numbers = Numbers::Fresh, .seed = 5});
        const RecordName record = recordNameFor(entry, Numbers::Fresh);
        const QString family = w.fake.files.currentDirectory() + u'/' + record.familyFile();
        const QString earlier =
            QStringLiteral("12,261201#") + record.text() + QStringLiteral("\r\n");
        w.fake.files.files.insert(family, shiftJis(QStringLiteral("2026/12/01\r\n") + earlier));
        ASSERT_TRUE(w.form.Form_Load());
        w.form.Menu_Click(entry.name);
        ASSERT_EQ(w.s().drillRunning, 1);
        const auto made = makeFreshSet(entry, 5);
        ASSERT_TRUE(made);
        QStringList asked, freshOnes;
        for (int i = 1; i <= w.s().bankCount; ++i) {
            asked << w.s().question[i] + u'=' + w.s().answer[i];
        }
        for (const BankProblem& p : made->bank().problems) {
            freshOnes << p.question.toString() + u'=' + p.answer.toString();
        }
        // Shuffled within each group of ten; the easier group first.
        for (const qsizetype group : {0, storyGroupSize}) {
            QStringList a = asked.mid(group, storyGroupSize);
            QStringList f = freshOnes.mid(group, storyGroupSize);
            a.sort();
            f.sort();
            EXPECT_EQ(a, f);
        }

        typeKeys(w.form, w.fake, QStringLiteral("x=0"));
        pressKey(w.form, w.fake, 13);
        const Working& working = w.s().workings.at(w.s().question[w.s().currentIndex]);
        EXPECT_TRUE(w.fake.picture7.isVisible());
        EXPECT_TRUE(w.fake.picture7.spokenText().contains(working.setUp.front()));
        EXPECT_TRUE(w.fake.picture7.spokenText().endsWith(working.conclusion))
            << w.fake.picture7.spokenText().toStdString();
        w.form.Command3_Click();
        while (w.s().drillRunning == 1) {
            typeKeys(w.form, w.fake, pupilKeys(w.s().answer[w.s().currentIndex]));
            pressKey(w.form, w.fake, 13);
        }
        EXPECT_EQ(w.s().correctCount, storySetSize - 1);
        EXPECT_EQ(w.fake.files.files.value(family),
                  shiftJis(QStringLiteral("2026/12/09\r\n") + earlier +
                           QStringLiteral("18,261209#") + record.text() + QStringLiteral("\r\n")));
    }
}

// No fresh bank to be had: the pupil is told, nothing starts and nothing is written.
TEST(DrillFlow, AFreshBankThatCannotBeMadeStartsNothing) {
    FakeForm w({.numbers = Numbers::Fresh, .seed = 3, .limits = {.triesPerProblem = 0}});
    ASSERT_TRUE(w.form.Form_Load());
    w.form.Menu_Click(u"bunhayasa");
    EXPECT_EQ(w.s().drillRunning, 0);
    ASSERT_EQ(w.fake.messageBox.shown.size(), 1u);
    // Which set, why, and what to do instead.
    EXPECT_EQ(w.fake.messageBox.shown[0].text,
              QStringLiteral(
                  "「分数問題 → 基本3」の新しい数の問題を作れませんでした。1番目の問題の形"
                  "で、数を0回かえても、答えを確かめられる問題ができませんでした（種 3）。\n") +
                  freshFailureAdvice);
    EXPECT_EQ(w.fake.files.writes, 0);
    EXPECT_EQ(w.s().question[1], QStringLiteral("問題をくーれ"));
}

} // namespace
} // namespace minamo
