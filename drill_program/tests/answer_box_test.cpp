#include "drivers/fake_drive.h"
#include "fake/qstring_printer.h"
#include "platform/key_codes.h"
#include "drill_program/main_window.h"

#include <QApplication>
#include <QDir>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace minamo {
namespace {

// A real window on the offscreen platform with fake services, a drill running.
struct AnswerWindow {
    AnswerWindow() : window({files, clock, random, lock}) {
        loaded = window.load();
        window.form().state().drillRunning = 1;
    }
    FakeFileSystem files;
    FakeClock clock;
    FakeRandom random;
    FakeInstanceLock lock;
    MainWindow window;
    bool loaded = false;

    AnswerBox* box() { return window.answerBox(); }
    QString text4() {
        return qobject_cast<QLineEdit*>(window.controlWidget(ControlId::Text4))->text();
    }
    DrillState& s() { return window.form().state(); }

    // One key as a pupil presses it on the keyboard.
    void press(int16 code) {
        switch (code) {
        case key::backspace:
            QTest::keyClick(box(), Qt::Key_Backspace);
            return;
        case key::tab:
            QTest::keyClick(box(), Qt::Key_Tab);
            return;
        case key::escape:
            QTest::keyClick(box(), Qt::Key_Escape);
            return;
        default:
            break;
        }
        const QString character = characterForKeyCode(code);
        if (code > 0 && code < 128) {
            QTest::keyClicks(box(), character);
            return;
        }
        // A key with a character the test keyboard does not know, such as "あ".
        QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        QCoreApplication::sendEvent(box(), &event);
    }
};

// The same keys typed into the fake answer box.
struct FakeAnswer {
    FakeAnswer() {
        f.form.Form_Load();
        f.s().drillRunning = 1;
    }
    FakeForm f;
};

TEST(AnswerBoxKeys, TypedKeysReachTheEditorFirst) {
    AnswerWindow w;
    ASSERT_TRUE(w.loaded);
    QTest::keyClicks(w.box(), QStringLiteral("x=-3/8"));
    EXPECT_EQ(w.s().answerText, QStringLiteral("x=-8/3"));
    EXPECT_EQ(w.text4(), QStringLiteral("x=-8/3"));
    EXPECT_EQ(w.box()->text(), QStringLiteral("x=-8/3"));
}

TEST(AnswerBoxKeys, RewrittenKeysShowInTheBox) {
    struct Case {
        const char* keys;
        const char* shown;
    };
    const Case cases[] = {
        {"X=5", "x=5"}, {"x2", "x^2"},   {"2*3", "2×3"},
        {"r2", "√2"},   {"x=5 ", "x=5"}, {"xq=1", "x=1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        AnswerWindow w;
        QTest::keyClicks(w.box(), QString::fromUtf8(c.keys));
        EXPECT_EQ(w.box()->text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(w.text4(), QString::fromUtf8(c.shown));
    }
}

// Backspace, control keys, blanks, double-byte characters: the real box ends up exactly
// as the recording fake that the logic tests use.
TEST(AnswerBoxKeys, RealBoxMatchesTheFakeBox) {
    const char* sequences[] = {
        "x=5\\b",    "x=-3/8\\b\\b5", "x=-3/ 5",        "x=-3/\\t7", "x=-3/\\x1b",
        "2/9\\b\\b", "x=-3//8",       "x=-3/8c",        "3x2\\b=1",  "x=あ5",
        "x=-3/あ",   "3/2+4/5",       "\\b\\bx\\b\\b=", "x=-3/8x=1", "x==--++5",
    };
    for (const char* keys : sequences) {
        SCOPED_TRACE(keys);
        AnswerWindow w;
        FakeAnswer fake;
        for (const int16 code : parseKeyNotation(QString::fromUtf8(keys))) {
            w.press(code);
            pressKey(fake.f.form, fake.f.fake, code);
            ASSERT_EQ(w.box()->text(), fake.f.fake.text2.text());
            ASSERT_EQ(w.text4(), fake.f.fake.text4.text());
            ASSERT_EQ(w.s().answerText, fake.f.s().answerText);
        }
    }
}

TEST(AnswerBoxKeys, TabStaysInTheBox) {
    AnswerWindow w;
    QApplication::processEvents();
    w.window.activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), w.box());
    QTest::keyClicks(w.box(), QStringLiteral("x=-3/"));
    QTest::keyClick(w.box(), Qt::Key_Tab);
    EXPECT_EQ(w.s().answerText, QStringLiteral("x=-"));
    EXPECT_EQ(w.s().fractionMode, 0);
    EXPECT_EQ(QApplication::focusWidget(), w.box());
}

// Whether an input method may compose in a box is the focus object's answer to ImEnabled,
// asked through QInputMethod and through the query event. A plain box put into the same
// window says yes, so the question is one that can tell.
TEST(AnswerBoxKeys, FocusedAnswerBoxRefusesComposition) {
    AnswerWindow w;
    ASSERT_TRUE(w.loaded);
    QApplication::processEvents();
    w.window.activateWindow();
    QApplication::processEvents();
    QLineEdit plain(w.window.centralWidget());
    plain.show();
    struct Case {
        const char* box;
        QWidget* widget;
        bool composes;
    };
    const Case cases[] = {
        {"Text2", w.box(), false},
        {"a plain QLineEdit", &plain, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        c.widget->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        ASSERT_EQ(QGuiApplication::focusObject(), c.widget);
        const QVariant asked = QInputMethod::queryFocusObject(Qt::ImEnabled, QVariant());
        ASSERT_TRUE(asked.isValid());
        EXPECT_EQ(asked.toBool(), c.composes);
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QCoreApplication::sendEvent(QGuiApplication::focusObject(), &query);
        EXPECT_EQ(query.value(Qt::ImEnabled).toBool(), c.composes);
    }
    // Refusing composition leaves the box itself as it was: keys still type into it.
    w.box()->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(w.box(), QStringLiteral("x=5"));
    EXPECT_EQ(w.box()->text(), QStringLiteral("x=5"));
}

TEST(AnswerBoxKeys, CommittedTextIsTypedKeyByKey) {
    AnswerWindow w;
    QInputMethodEvent ascii;
    ascii.setCommitString(QStringLiteral("x=-3/8"));
    QCoreApplication::sendEvent(w.box(), &ascii);
    EXPECT_EQ(w.text4(), QStringLiteral("x=-8/3"));
    // Full-width characters are other keys: in a fraction they drop it.
    QInputMethodEvent wide;
    wide.setCommitString(QStringLiteral("５"));
    QCoreApplication::sendEvent(w.box(), &wide);
    EXPECT_EQ(w.s().answerText, QStringLiteral("x=-"));

    // Outside a fraction they change nothing.
    AnswerWindow plain;
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("x=5"));
    QCoreApplication::sendEvent(plain.box(), &typed);
    QInputMethodEvent full;
    full.setCommitString(QStringLiteral("ｘ＝５"));
    QCoreApplication::sendEvent(plain.box(), &full);
    EXPECT_EQ(plain.text4(), QStringLiteral("x=5"));
    EXPECT_EQ(plain.box()->text(), QStringLiteral("x=5"));
}

TEST(AnswerBoxKeys, TheTypedFractionIsDrawnInPicture3) {
    AnswerWindow w;
    QTest::keyClicks(w.box(), QStringLiteral("x=-3/8"));
    const QImage image = w.window.picture(ControlId::Picture3).image();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            dark += qGray(image.pixel(x, y)) < 100;
        }
    }
    EXPECT_GT(dark, 100);
}

} // namespace
} // namespace minamo

namespace minamo {
namespace {

// The lowest pixel row of an image that holds dark (text) pixels, in device pixels.
int lowestInkRow(const QImage& image) {
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 96) {
                return y;
            }
        }
    }
    return -1;
}

TEST(AnswerBoxKeys, TypedDenominatorIsShownWhole) {
    AnswerWindow w;
    ASSERT_TRUE(w.loaded);
    QTest::keyClicks(w.box(), QStringLiteral("x=-3/8"));
    ASSERT_EQ(w.text4(), QStringLiteral("x=-8/3"));
    const QImage& image = w.window.picture(ControlId::Picture3).image();
    const int lowest = lowestInkRow(image);
    // The denominator reaches into the lower part of the area but ends above its edge.
    EXPECT_GT(lowest, image.height() * 3 / 4);
    EXPECT_LT(lowest, image.height() - 1);
}

} // namespace
} // namespace minamo

namespace minamo {
namespace {

// The same keys typed into the real box and into the fake one.
struct BothBoxes {
    AnswerWindow real;
    FakeAnswer fake;

    void press(int16 code) {
        real.press(code);
        pressKey(fake.f.form, fake.f.fake, code);
    }
    // What the fake Picture3 shows: its drawing since the last clear.
    QStringList fakePicture() const {
        QStringList shown;
        for (const DrawOp& op : fake.f.fake.picture3.drawing()) {
            if (op.kind == DrawOp::Kind::Clear) {
                shown.clear();
            } else {
                shown << op.toString();
            }
        }
        return shown;
    }
    const QImage& realPicture() { return real.window.picture(ControlId::Picture3).image(); }
};

// Backspace in a typed fraction takes back the last key the pupil typed, in the order typed.
// After every key the answer, Text4 and the box agree, on the real box and the fake one, and
// Picture3 shows what it shows when the keys are typed without the slips Backspace took back.
TEST(AnswerBoxKeys, BackspaceTakesBackTheLastKeyTyped) {
    struct Row {
        const char* keys;
        const char* text4;
    };
    const Row rows[] = {
        {"x=-3/8\\b7", "x=-7/3"},     // the numerator 8 was a slip
        {"x=-3/12\\b", "x=-1/3"},     // one digit too many
        {"x=2/9\\b", "x=/2"},         // the numerator emptied, the bar and 2 stay
        {"x=-3/8\\b\\b", "x=-3"},     // back before the "/"
        {"x=3/\\b5", "x=35"},         // the "/" was a slip
        {"x=3/\\b\\b4", "x=4"},       // then the plain text as before
        {"x=5/\\b/2", "x=2/5"},       // the fraction started again
        {"x=-3/8\\b\\b\\b5", "x=-5"}, // back into the plain text
    };
    // The display after each key of these rows is saved for review.
    const QString folder = QStringLiteral(MINAMO_BUILD_DIR "/screenshots/backspace");
    const int reviewed[] = {1, 7};
    ASSERT_TRUE(QDir().mkpath(folder));

    int number = 0;
    for (const Row& row : rows) {
        ++number;
        SCOPED_TRACE(row.keys);
        BothBoxes typed;
        ASSERT_TRUE(typed.real.loaded);
        std::vector<int16> withoutSlips;
        int step = 0;
        for (const int16 code : parseKeyNotation(QString::fromUtf8(row.keys))) {
            ++step;
            SCOPED_TRACE(step);
            typed.press(code);
            if (code != key::backspace) {
                withoutSlips.push_back(code);
            } else if (!withoutSlips.empty()) {
                withoutSlips.pop_back();
            }
            BothBoxes straight;
            for (const int16 kept : withoutSlips) {
                straight.press(kept);
            }

            const QString answer = typed.real.s().answerText;
            EXPECT_EQ(typed.real.box()->text(), answer);
            EXPECT_EQ(typed.real.text4(), answer);
            EXPECT_EQ(typed.fake.f.s().answerText, answer);
            EXPECT_EQ(typed.fake.f.fake.text2.text(), answer);
            EXPECT_EQ(typed.fake.f.fake.text4.text(), answer);
            EXPECT_EQ(answer, straight.real.s().answerText);
            EXPECT_EQ(typed.fakePicture(), straight.fakePicture());
            EXPECT_TRUE(typed.realPicture() == straight.realPicture());

            if (std::find(std::begin(reviewed), std::end(reviewed), number) != std::end(reviewed)) {
                const QString name = QStringLiteral("/row%1-key%2.png").arg(number).arg(step);
                EXPECT_TRUE(typed.realPicture().save(folder + name));
            }
        }
        EXPECT_EQ(typed.real.text4(), QString::fromUtf8(row.text4));
    }
}

} // namespace
} // namespace minamo
