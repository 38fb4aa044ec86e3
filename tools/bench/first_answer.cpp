// The first right answer after the start, given faster than any pupil could: the program's
// window with its real services, set up as main() does (sounds and sound module from this
// program's folder, history files in the current one); once the idle window has been
// painted, the menu entry 方程式基本 → 基本１, the answer's keys and Enter, all at once.
// Prints one line, then quits:
//
//   first-answer enter-ns=N sound-ns=N problem=N right=N
//
// enter-ns is when the Enter key was sent (steady clock); sound-ns when the sound server took
// the right-answer sound to play (the sound module notes it as the server answers), or -1
// when that did not happen within two seconds (no sound module, no audio device). problem
// and right are the problem number shown and the right-answer count after the Enter: the
// drill goes on with or without sound.
//
// Usage: bench-first-answer [--quit]
//   --quit  quits right after the Enter, while the sounds are still loading.

#include "app/sounds.h"
#include "drivers/fake_drive.h"
#include "system/system_services.h"
#include "qt/fonts.h"
#include "drill_program/main_window.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

long long nanoseconds(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

// How often the right-answer sound is asked whether the server has taken it.
constexpr std::chrono::milliseconds soundPoll{1};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("minamo-drill"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    minamo::useDesignFonts();
    const bool quitAtOnce = argc > 1 && qstrcmp(argv[1], "--quit") == 0;

    minamo::LocalFileSystem files(QCoreApplication::applicationDirPath());
    minamo::SystemClock clock;
    minamo::SeededRandom random(minamo::SeededRandom::seedFromClock());
    minamo::LockFileInstance lock;
    minamo::MainWindow window({files, clock, random, lock});
    if (!window.load()) {
        std::fprintf(stderr, "bench-first-answer: another copy runs\n");
        return 1;
    }
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "bench-first-answer: the window was never shown\n");
        return 1;
    }

    window.menuAction(QStringLiteral("tosiki1"))->trigger();
    minamo::DrillState& s = window.form().state();
    QTest::keyClicks(window.answerBox(), minamo::pupilKeys(s.answer[s.currentIndex]));
    const auto enter = Clock::now();
    QTest::keyClick(window.answerBox(), Qt::Key_Return);

    bool reported = false;
    const auto report = [&] {
        if (reported) {
            return;
        }
        reported = true;
        const auto* problem =
            qobject_cast<QLineEdit*>(window.controlWidget(minamo::ControlId::Text1));
        std::printf("first-answer enter-ns=%lld sound-ns=%lld problem=%s right=%d\n",
                    nanoseconds(enter), static_cast<long long>(window.rightSound().startedNs()),
                    qPrintable(problem->text()), int{s.correctCount});
        std::fflush(stdout);
        QCoreApplication::quit();
    };
    if (quitAtOnce) {
        QTimer::singleShot(0, &app, report);
    } else {
        // The module notes the moment itself; polling only finds out that it has.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &app, [&] {
            if (window.rightSound().startedNs() >= 0) {
                report();
            }
        });
        poll.start(soundPoll);
        QTimer::singleShot(std::chrono::seconds(2), &app, report);
        return app.exec();
    }
    return app.exec();
}
