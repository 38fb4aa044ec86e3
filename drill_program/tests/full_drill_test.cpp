// A whole short drill on the real widgets: the menu, keys typed into the answer box, a
// miss with its worked solution, the confirm button, the end with its chart, the history
// file on disk and the closing message.

#include "drivers/fake_drive.h"
#include "fake/qstring_printer.h"
#include "system/system_services.h"
#include "drill_program/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace minamo {
namespace {

int countPixels(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == colour;
        }
    }
    return count;
}

int inkRows(const QImage& image) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 96) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

// Closes the modal message boxes as they appear, remembering their texts.
struct MessageCloser {
    QStringList seen;
    QTimer timer;
    MessageCloser() {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen << box->windowTitle() + QStringLiteral("|") + box->text();
                box->accept();
            }
        });
        timer.start();
    }
};

TEST(FullDrill, FromTheMenuToTheHistoryChart) {
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(work.path()));

    // The family file holds a record of another set: the drill asks the bank in order.
    const QString familyPath = QDir(work.path()).filePath(QStringLiteral("方程式難.txt"));
    {
        QFile file(familyPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QStringEncoder encoder("Shift_JIS");
        file.write(encoder.encode(QStringLiteral("2026/12/01\r\n15,261201#方程式難2.txt\r\n")));
    }

    LocalFileSystem files(QStringLiteral(MINAMO_BIN_DIR));
    FakeClock clock;
    FakeRandom random;
    FakeInstanceLock lock;
    MainWindow window({files, clock, random, lock});
    ASSERT_TRUE(window.load());
    DrillState& s = window.form().state();
    auto* box = window.answerBox();
    auto text = [&](ControlId id) {
        return qobject_cast<QLineEdit*>(window.controlWidget(id))->text();
    };
    auto caption = [&](ControlId id) {
        return qobject_cast<QLabel*>(window.controlWidget(id))->text();
    };

    window.menuAction(QStringLiteral("mojiarawa1"))->trigger();
    ASSERT_EQ(s.drillRunning, 1);
    ASSERT_EQ(s.bankCount, 20);
    EXPECT_EQ(text(ControlId::Text1), QStringLiteral("1"));

    MessageCloser closer;
    for (int i = 1; i <= 20; ++i) {
        ASSERT_EQ(text(ControlId::Text1), QString::number(i));
        clock.advance(4);
        window.form().Timer1_Timer();
        if (i == 4) {
            // A miss: "-3(4x-3)-4x=-5(3x+4)" has the answer x=29.
            QTest::keyClicks(box, QStringLiteral("x=2"));
            QTest::keyClick(box, Qt::Key_Return);
            EXPECT_EQ(caption(ControlId::Label4), QStringLiteral("1"));
            EXPECT_FALSE(window.controlWidget(ControlId::Command3)->isHidden());
            EXPECT_FALSE(window.controlWidget(ControlId::Picture4)->isHidden());
            EXPECT_EQ(s.explainedEquation, QStringLiteral("-3(4x-3)-4x=-5(3x+4)"));
            // Picture7 holds the worked solution: several lines of text.
            EXPECT_GE(inkRows(window.picture(ControlId::Picture7).image()), 4 * 20);
            EXPECT_GT(countPixels(window.picture(ControlId::Picture7).image(), QColor(255, 0, 0)),
                      0);
            QTest::mouseClick(window.controlWidget(ControlId::Command3), Qt::LeftButton);
            EXPECT_TRUE(window.controlWidget(ControlId::Command3)->isHidden());
            continue;
        }
        QTest::keyClicks(box, pupilKeys(s.answer[s.currentIndex]));
        EXPECT_EQ(text(ControlId::Text4), s.answer[s.currentIndex]);
        QTest::keyClick(box, Qt::Key_Return);
    }

    EXPECT_EQ(s.correctCount, 19);
    EXPECT_EQ(s.missCount, 1);
    EXPECT_EQ(caption(ControlId::Label3), QStringLiteral("19"));
    EXPECT_EQ(caption(ControlId::Label5), QStringLiteral("18"));
    ASSERT_EQ(closer.seen.size(), 1);
    EXPECT_EQ(closer.seen[0],
              QStringLiteral("終わる？|おつかれさまでした。伸びていこう、少しでいいから。"
                             "消すをおして終わろう"));

    // The chart replaced the problem area; the new bar is solid teal.
    EXPECT_FALSE(window.controlWidget(ControlId::Picture1)->isHidden());
    EXPECT_TRUE(window.controlWidget(ControlId::Picture2)->isHidden());
    EXPECT_GT(countPixels(window.picture(ControlId::Picture1).image(), QColor(0, 128, 128)), 50);
    EXPECT_FALSE(window.controlWidget(ControlId::Command2)->isHidden());

    // The record went into the family file, in Shift_JIS with CRLF.
    QFile file(familyPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder("Shift_JIS");
    EXPECT_EQ(
        decoder.decode(bytes),
        QStringLiteral("2026/12/09\r\n15,261201#方程式難2.txt\r\n18,261209#方程式難1.txt\r\n"));
    EXPECT_TRUE(bytes.contains(QByteArray("18,261209#\x95\xfb\x92\xf6\x8e\xae\x93\xef"
                                          "1.txt\r\n")));

    const QString shots = QStringLiteral(MINAMO_BUILD_DIR "/screenshots");
    QDir().mkpath(shots);
    window.grab().save(shots + QStringLiteral("/end-of-drill.png"));

    // 消す closes the window.
    QTest::mouseClick(window.controlWidget(ControlId::Command2), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    QDir::setCurrent(previous);
}

} // namespace
} // namespace minamo
