#include "app/startup.h"
#include "drivers/fake_drive.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

TEST(Startup, IdleWindowShowsTheInvitationAndWaits) {
    FakeForm w;
    ASSERT_TRUE(w.form.Form_Load());
    const DrillState& s = w.s();

    EXPECT_EQ(s.clockPaused, 1);
    EXPECT_EQ(s.drillRunning, 0);
    EXPECT_EQ(s.currentIndex, 1);
    EXPECT_EQ(s.bankCount, 44);
    EXPECT_EQ(s.question[1], QStringLiteral("問題をくーれ"));
    EXPECT_EQ(s.drillSeconds, 600);
    EXPECT_EQ(s.programFolder, w.fake.files.programFolder());

    const int16 expectedPrimes[] = {1,  2,  3,  5,  7,  11, 13, 17, 19,
                                    23, 29, 31, 37, 41, 43, 47, 53, 59};
    for (int i = 0; i <= 17; ++i) {
        EXPECT_EQ(s.primes[i], expectedPrimes[i]) << "primes(" << i << ")";
    }

    // The invitation is printed once, at the top left corner, followed by a line break.
    ASSERT_EQ(w.fake.picture2.drawing().size(), 1u);
    const DrawOp op = w.fake.picture2.drawing().front();
    EXPECT_EQ(op.toString(),
              QStringLiteral("print (0,0) \"問題をくーれ\" break MS PGothic 20.25 #000000"));

    EXPECT_FALSE(w.fake.picture1.isVisible());
    EXPECT_FALSE(w.fake.command2.isVisible());
    EXPECT_FALSE(w.fake.command3.isVisible());
    EXPECT_FALSE(w.fake.label12.isVisible());
    EXPECT_FALSE(w.fake.label13.isVisible());
    EXPECT_FALSE(w.fake.label14.isVisible());
    EXPECT_TRUE(w.fake.picture2.isVisible());
    EXPECT_TRUE(w.fake.command1.isVisible());

    EXPECT_EQ(w.fake.text1.text(), QStringLiteral("Text1"));
    EXPECT_EQ(w.fake.text4.text(), QStringLiteral("Text4"));
    EXPECT_EQ(w.fake.label2.caption(), QStringLiteral("Label2"));
    EXPECT_EQ(w.fake.text2.text(), QString());
    EXPECT_TRUE(w.fake.text2.hasFocus());
    EXPECT_EQ(w.fake.form1.shows, 1);
    EXPECT_TRUE(w.fake.picture7.drawing().empty());
    EXPECT_TRUE(w.fake.picture3.drawing().empty());
}

TEST(Startup, SecondCopyEndsAtOnceAndSilently) {
    FakeForm w;
    w.fake.instanceLock.available = false;
    EXPECT_FALSE(w.form.Form_Load());
    EXPECT_TRUE(w.fake.form1.closed);
    EXPECT_EQ(w.fake.form1.shows, 0);
    EXPECT_TRUE(w.fake.messageBox.shown.empty());
    EXPECT_TRUE(w.fake.picture2.drawing().empty());
}

TEST(Startup, IdleTicksChangeNothing) {
    FakeForm w;
    ASSERT_TRUE(w.form.Form_Load());
    for (int i = 0; i < 10; ++i) {
        w.fake.clock.advance(0.3);
        w.form.Timer1_Timer();
    }
    EXPECT_EQ(w.fake.label2.caption(), QStringLiteral("Label2"));
    EXPECT_EQ(w.fake.label5.caption(), QString());
    EXPECT_EQ(w.s().clockMinutes, 0);
    EXPECT_EQ(w.s().clockSeconds, 0);
    EXPECT_EQ(w.fake.timer1.interval(), 300);
}

TEST(Startup, KeysAndEnterBeforeAnyDrillCountNothing) {
    FakeForm w;
    ASSERT_TRUE(w.form.Form_Load());
    typeKeys(w.form, w.fake, QStringLiteral("x=5"));
    EXPECT_EQ(pressKey(w.form, w.fake, 13), 0);
    EXPECT_EQ(w.s().correctCount, 0);
    EXPECT_EQ(w.s().missCount, 0);
    EXPECT_EQ(w.fake.text2.text(), QString());
    EXPECT_EQ(w.fake.mmControl1.plays() + w.fake.mmControl2.plays(), 0);
    EXPECT_EQ(w.fake.label3.caption(), QString());
}

TEST(Command1, EmptiesTheEntryAndNothingElse) {
    FakeForm w;
    ASSERT_TRUE(w.form.Form_Load());
    w.s().answerText = QStringLiteral("x=-3");
    w.s().exponentReady = 1;
    w.s().fractionPrefix = QStringLiteral("x=-");
    w.fake.text2.setText(QStringLiteral("x=-3"));
    w.fake.text4.setText(QStringLiteral("x=-3"));
    const auto picture3Ops = w.fake.picture3.ops().size();

    w.form.Command1_Click();
    EXPECT_EQ(w.fake.text2.text(), QString());
    EXPECT_EQ(w.s().answerText, QString());
    EXPECT_EQ(w.s().exponentReady, 0);
    // The fraction state and the drawing stay until the next key.
    EXPECT_EQ(w.s().fractionPrefix, QStringLiteral("x=-"));
    EXPECT_EQ(w.fake.text4.text(), QStringLiteral("x=-3"));
    EXPECT_EQ(w.fake.picture3.ops().size(), picture3Ops);

    // Pressed again with nothing typed: still empty, nothing else changes.
    w.form.Command1_Click();
    EXPECT_EQ(w.fake.text2.text(), QString());
}

TEST(Command2, ClosesTheWindow) {
    FakeForm w;
    ASSERT_TRUE(w.form.Form_Load());
    w.form.Command2_Click();
    EXPECT_TRUE(w.fake.form1.closed);
}

} // namespace
} // namespace minamo
