// Answers a drill on the real window (offscreen) with its real services, as main() sets it
// up, so that the answer sounds play through the real sound module: 方程式基本 → 基本１ from
// the menu, then one step per argument:
//
//   right    types the current problem's answer and presses Enter
//   wrong    types "x=9999" and presses Enter
//   MS       waits MS milliseconds, the event loop running
//
// Before a right answer after a miss the entry is emptied with 「ていせい」. Prints the
// steady-clock time of every Enter ("enter right N" / "enter wrong N", in ns) and quits.
//
// Usage: bench-answer-sounds right 1200 wrong 1000 wrong 0 right 1500

#include "drivers/fake_drive.h"
#include "system/system_services.h"
#include "qt/fonts.h"
#include "drill_program/main_window.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>
#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("minamo-drill"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    minamo::useDesignFonts();

    minamo::LocalFileSystem files(QCoreApplication::applicationDirPath());
    minamo::SystemClock clock;
    minamo::SeededRandom random(minamo::SeededRandom::seedFromClock());
    minamo::LockFileInstance lock;
    minamo::MainWindow window({files, clock, random, lock});
    if (!window.load() || !QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "bench-answer-sounds: the window did not come up\n");
        return 1;
    }
    window.menuAction(QStringLiteral("tosiki1"))->trigger();
    minamo::DrillState& s = window.form().state();
    bool missed = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray step(argv[i]);
        if (step != "right" && step != "wrong") {
            QTest::qWait(step.toInt());
            continue;
        }
        if (step == "right" && missed) {
            static_cast<QPushButton*>(window.controlWidget(minamo::ControlId::Command1))->click();
        }
        missed = step == "wrong";
        QTest::keyClicks(window.answerBox(), missed ? QStringLiteral("x=9999")
                                                    : minamo::pupilKeys(s.answer[s.currentIndex]));
        const auto enter = std::chrono::steady_clock::now().time_since_epoch();
        QTest::keyClick(window.answerBox(), Qt::Key_Return);
        std::printf("enter %s %lld\n", step.constData(),
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(enter).count()));
    }
    std::printf("rights %d misses %d\n", int{s.correctCount}, int{s.missCount});
    return 0;
}
