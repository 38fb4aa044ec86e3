#include "app/countdown.h"
#include "app/drill_start.h"
#include "app/end_of_drill.h"
#include "app/sounds.h"
#include "drivers/fake_drive.h"
#include "fake/qstring_printer.h"
#include "history/history_file.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

const QString basicFile = QStringLiteral("/home/pupil/方程式基本.txt");
const QString closingText =
    QStringLiteral("おつかれさまでした。伸びていこう、少しでいいから。消すをおして終わろう");
const QString closingTitle = QStringLiteral("終わる？");

// A small bank filled by hand, so that these tests do not depend on the built-in sets.
const BankProblem three[] = {
    {u"x+1=2 方程式を解いて。", u"x=1"},
    {u"x+2=3 方程式を解いて。", u"x=1"},
    {u"x+3=4 方程式を解いて。", u"x=1"},
};
const Bank threeBank{.builder = u"fillThree", .problems = three};

QByteArray sjis(const QString& text) {
    return encodeHistoryText(text).value();
}

const CatalogueEntry threeProblems{.menu = QStringLiteral("bunsu"),
                                   .name = QStringLiteral("tosiki1"),
                                   .caption = QStringLiteral("基本１"),
                                   .bank = &threeBank,
                                   .record = RecordName(QStringLiteral("方程式基本"), u'1')};

struct DrillRun : FakeForm {
    explicit DrillRun(const DrillOptions& options = {}) : FakeForm(options) {
        EXPECT_TRUE(form.Form_Load());
    }
    void start() { startDrill(d(), threeProblems); }
    // A tick with exactly `left` seconds of the drill to go.
    void tickWithLeft(double left) {
        fake.clock.monotonic = s().startMonotonic + (s().drillSeconds - left);
        form.Timer1_Timer();
    }
    bool ended() { return s().drillFinished == 1; }
    QByteArray file() const { return fake.files.files.value(basicFile); }
};

// The plain clock as it always read; the fresh one with the whole seconds left, "m:ss".
TEST(Countdown, ClockReadings) {
    const struct {
        double left;
        const char* shown;
        const char* fresh;
        bool ends;
    } cases[] = {
        {600.0, "10:0", "10:00", false},
        {599.7, "10:59", "9:59", false},
        {599.5, "10:59", "9:59", false},
        {599.3, "9:59", "9:59", false},
        {545.2, "9:5", "9:05", false},
        {60.4, "1:0", "1:00", false},
        {59.6, "1:59", "0:59", false},
        {59.4, "0:59", "0:59", false},
        {29.5, "0:29", "0:29", false},
        {1.0, "0:1", "0:01", false},
        {0.7, "0:0", "0:00", true},
        {0.0, "0:0", "0:00", true},
        // A late tick finds the time already past: it still ends at 0:0.
        {-0.4, "0:0", "0:00", true},
        {-200.0, "0:0", "0:00", true},
    };
    for (const auto& c : cases) {
        for (const Numbers numbers : {Numbers::Bank, Numbers::Fresh}) {
            SCOPED_TRACE(std::to_string(c.left) + (numbers == Numbers::Fresh ? " fresh" : ""));
            DrillRun w({.numbers = numbers});
            w.start();
            w.tickWithLeft(c.left);
            EXPECT_EQ(w.fake.label2.caption(),
                      QString::fromUtf8(numbers == Numbers::Fresh ? c.fresh : c.shown));
            EXPECT_EQ(w.ended(), c.ends);
            EXPECT_EQ(w.fake.timer1.interval(), c.ends ? 0 : 300);
            EXPECT_EQ(w.s().drillRunning, c.ends ? 0 : 1);
        }
    }
}

TEST(Countdown, ScoreInLabel5AndFocusBackToTheAnswerBox) {
    DrillRun w;
    w.start();
    w.s().correctCount = 5;
    w.s().missCount = 7;
    w.fake.focus.focused = QStringLiteral("Text1");
    w.tickWithLeft(300);
    EXPECT_EQ(w.s().score, -2);
    EXPECT_EQ(w.fake.label5.caption(), QStringLiteral("-2"));
    EXPECT_TRUE(w.fake.text2.hasFocus());
}

TEST(Countdown, TimeOutEndsTheDrill) {
    DrillRun w;
    w.start();
    w.s().correctCount = 6;
    w.s().missCount = 1;
    w.tickWithLeft(0.7);

    EXPECT_EQ(w.fake.text2.text(), QStringLiteral("終り"));
    EXPECT_EQ(w.s().drillRunning, 0);
    EXPECT_EQ(w.fake.timer1.interval(), 0);
    EXPECT_TRUE(w.fake.picture1.isVisible());
    for (const FakePictureArea* p : {&w.fake.picture2, &w.fake.picture3, &w.fake.picture4,
                                     &w.fake.picture5, &w.fake.picture7}) {
        EXPECT_FALSE(p->isVisible()) << p->name().toStdString();
    }
    EXPECT_TRUE(w.fake.command2.isVisible());
    ASSERT_EQ(w.fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(w.fake.messageBox.shown[0].text, closingText);
    EXPECT_EQ(w.fake.messageBox.shown[0].title, closingTitle);
    EXPECT_EQ(w.file(), sjis(QStringLiteral("2026/12/09\r\n5,261209#方程式基本1.txt\r\n")));
}

TEST(Countdown, DrillAcrossMidnightLastsItsFullLength) {
    DrillRun w;
    w.fake.clock.timeOfDay = 86400.0 - 100.0; // 23:58:20
    w.start();
    EXPECT_FLOAT_EQ(w.s().startTime, 86300.0f);
    EXPECT_FLOAT_EQ(w.s().endTime, 86900.0f);

    w.fake.clock.advance(300.0); // 0:03:20 the next day
    w.form.Timer1_Timer();
    EXPECT_EQ(w.fake.label2.caption(), QStringLiteral("5:0"));
    w.fake.clock.advance(298.5);
    w.form.Timer1_Timer();
    EXPECT_EQ(w.fake.label2.caption(), QStringLiteral("0:1"));
    EXPECT_FALSE(w.ended());
    w.fake.clock.advance(1.0);
    w.form.Timer1_Timer();
    EXPECT_EQ(w.fake.label2.caption(), QStringLiteral("0:0"));
    EXPECT_TRUE(w.ended());
}

TEST(Countdown, PausedClockDoesNothing) {
    DrillRun w;
    w.fake.clock.advance(1000);
    w.form.Timer1_Timer();
    EXPECT_EQ(w.fake.label2.caption(), QStringLiteral("Label2"));
    EXPECT_FALSE(w.ended());
}

TEST(EndDrill, ScoreZeroRecordsNothingAndShowsNothing) {
    DrillRun w;
    w.start();
    w.s().correctCount = 2;
    w.s().missCount = 2;
    const QByteArray created = w.file();
    EXPECT_EQ(created, QByteArray("2026/12/09\r\n"));
    endDrill(w.d());

    EXPECT_EQ(w.s().score, 0);
    EXPECT_EQ(w.file(), created);
    EXPECT_EQ(w.fake.files.writes, 1); // only the creation at the start
    EXPECT_TRUE(w.fake.messageBox.shown.empty());
    EXPECT_FALSE(w.fake.command2.isVisible());
    EXPECT_TRUE(w.fake.picture1.isVisible());
    EXPECT_FALSE(w.fake.picture2.isVisible());
    for (const DrawOp& op : w.fake.picture1.drawing()) {
        EXPECT_NE(op.kind, DrawOp::Kind::Box);
    }
}

TEST(EndDrill, RunsOncePerDrill) {
    DrillRun w;
    w.start();
    w.s().correctCount = 3;
    // The list used up: the advance runs the end of the drill before the time is up.
    endDrill(w.d());
    EXPECT_EQ(w.fake.timer1.interval(), 0);
    const int writes = w.fake.files.writes;
    const auto picture1Ops = w.fake.picture1.ops().size();

    // Neither a tick that was already due nor another call repeats it.
    w.tickWithLeft(0.5);
    endDrill(w.d());
    EXPECT_EQ(w.fake.files.writes, writes);
    EXPECT_EQ(w.fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(w.fake.picture1.ops().size(), picture1Ops);
    EXPECT_EQ(w.file(), sjis(QStringLiteral("2026/12/09\r\n3,261209#方程式基本1.txt\r\n")));
}

TEST(EndDrill, ListUsedUpThenTimeOutRecordsOnce) {
    DrillRun w;
    w.start();
    for (int i = 0; i < 3; ++i) {
        typeKeys(w.form, w.fake, QStringLiteral("x=1"));
        pressKey(w.form, w.fake, 13);
    }
    EXPECT_EQ(w.s().correctCount, 3);
    EXPECT_TRUE(w.ended());
    EXPECT_EQ(w.fake.timer1.interval(), 0);
    EXPECT_EQ(w.fake.mmControl1.plays(), 3);
    // Even if the clock were still ticking, its end would not run the end again.
    w.tickWithLeft(0.1);
    EXPECT_EQ(w.fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(w.file(), sjis(QStringLiteral("2026/12/09\r\n3,261209#方程式基本1.txt\r\n")));
}

TEST(EndDrill, AfterTheEndMenuAndEnterDoNothing) {
    DrillRun w;
    w.start();
    w.s().correctCount = 3;
    endDrill(w.d());
    w.s().bankQuestion[1] = QStringLiteral("kept");

    w.form.Menu_Click(u"mosiki1");
    EXPECT_EQ(w.s().drillRunning, 0);
    EXPECT_EQ(w.s().recordName, QStringLiteral("方程式基本1.txt"));
    EXPECT_EQ(w.s().bankQuestion[1], QStringLiteral("kept"));

    EXPECT_EQ(pressKey(w.form, w.fake, 13), 0);
    EXPECT_EQ(w.s().correctCount, 3);
    EXPECT_EQ(w.s().missCount, 0);
}

TEST(EndDrill, UnreadableHistoryGetsACalmNoticeAndStaysUntouched) {
    DrillRun w;
    w.fake.files.unreadable.insert(basicFile);
    w.start();
    EXPECT_EQ(w.s().clockPaused, 0);
    w.s().correctCount = 4;
    w.tickWithLeft(0.2);

    EXPECT_EQ(w.fake.files.writes, 0);
    ASSERT_EQ(w.fake.messageBox.shown.size(), 2u);
    EXPECT_EQ(w.fake.messageBox.shown[0].title, QStringLiteral("記録できません"));
    EXPECT_EQ(
        w.fake.messageBox.shown[0].text,
        QStringLiteral(
            "今回の結果を記録できませんでした。\n理由: そのファイルかフォルダーを"
            "使う許可がないか、読み取り専用の場所です。\n記録ファイル: /home/pupil/方程式基本.txt\n"
            "ファイルはそのまま残してあります。"));
    EXPECT_EQ(w.fake.messageBox.shown[1].text, closingText);
    EXPECT_TRUE(w.fake.command2.isVisible());
}

TEST(EndDrill, FailedWriteGetsTheNoticeAndKeepsTheOldFile) {
    DrillRun w;
    const QByteArray old = QByteArray("2026/01/03\r\n5,260101#x\r\n");
    w.fake.files.files.insert(basicFile, old);
    w.start();
    w.fake.files.failWrites = true;
    w.s().correctCount = 4;
    endDrill(w.d());

    EXPECT_EQ(w.s().historySaveFailed, 1);
    EXPECT_EQ(w.file(), old);
    ASSERT_EQ(w.fake.messageBox.shown.size(), 2u);
    EXPECT_TRUE(w.fake.messageBox.shown[0].text.startsWith(
        QStringLiteral("今回の結果を記録できませんでした。")));
    EXPECT_EQ(w.fake.messageBox.shown[1].text, closingText);
}

TEST(Sounds, RightAndWrongAnswerCommands) {
    DrillRun w;
    w.fake.text5.setText(QStringLiteral("a"));
    w.fake.text6.setText(QStringLiteral("b"));
    playRightSound(w.d());
    EXPECT_EQ(w.fake.mmControl1.log,
              (QStringList{"close", "file /opt/minamo/Maru.wav", "open", "prev", "play"}));
    EXPECT_EQ(w.fake.text5.text(), QString());
    EXPECT_EQ(w.fake.text6.text(), QString());
    EXPECT_TRUE(w.fake.mmControl2.log.isEmpty());

    w.fake.text5.setText(QStringLiteral("a"));
    playWrongSound(w.d());
    EXPECT_EQ(w.fake.mmControl2.log,
              (QStringList{"close", "file /opt/minamo/SD05.wav", "open", "prev", "play"}));
    EXPECT_EQ(w.fake.text5.text(), QStringLiteral("a"));
    EXPECT_EQ(w.fake.mmControl1.plays(), 1);
}

TEST(Sounds, FolderAtTheRoot) {
    EXPECT_EQ(soundPath(QStringLiteral("/"), rightSoundFile), QStringLiteral("/Maru.wav"));
    EXPECT_EQ(soundPath(QStringLiteral("/opt/minamo"), wrongSoundFile),
              QStringLiteral("/opt/minamo/SD05.wav"));
}

} // namespace
} // namespace minamo
