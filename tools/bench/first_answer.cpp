// The first right answer after the start, given faster than any pupil could: the program's
// window with its real services, set up as main() does (sounds and sound module from this
// program's folder, history files in the current one); once the idle window has been
// painted, the menu entry 方程式基本 → 基本１, the answer's keys and Enter, all at once.
// Prints one line, then quits:
//
//   first-answer enter-ns=N sound-ns=N problem=N right=N
//
// enter-ns is when the Enter key was sent (steady clock); sound-ns when the right-answer
// sound was playing with its sample loaded, taken in a queued slot after Qt Multimedia said
// so (its audio output has been started by then), or -1 when that did not happen within
// two seconds (no sound module, no audio device). problem and right are the problem number
// shown and the right-answer count after the Enter: the drill goes on with or without sound.
//
// Usage: bench-first-answer [--quit]
//   --quit  quits right after the Enter, while the sounds are still loading.

#include "app/sounds.h"
#include "drivers/fake_drive.h"
#include "qt/fonts.h"
#include "qt/main_window.h"
#include "platform/system_services.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMetaProperty>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

long long nanoseconds(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

// Watches the right-answer sound's QSoundEffect through its properties and signals, so
// that this program links no more of Qt Multimedia than the program does.
class SoundWatcher : public QObject {
    Q_OBJECT
public:
    // Starts watching the sound effect among the window's children that plays fileName.
    bool watch(QObject* window, const QString& fileName) {
        for (QObject* child : window->findChildren<QObject*>()) {
            if (qstrcmp(child->metaObject()->className(), "QSoundEffect") == 0 &&
                child->property("source").toUrl().fileName() == fileName) {
                effect_ = child;
            }
        }
        if (!effect_) {
            return false;
        }
        const QMetaObject* meta = effect_->metaObject();
        ready_ = meta->property(meta->indexOfProperty("status")).enumerator().keyToValue("Ready");
        // Queued: the slot runs once Qt Multimedia has finished starting the sound.
        connect(effect_, SIGNAL(statusChanged()), this, SLOT(check()), Qt::QueuedConnection);
        connect(effect_, SIGNAL(playingChanged()), this, SLOT(check()), Qt::QueuedConnection);
        check();
        return true;
    }
    long long startedNs() const { return startedNs_; }

Q_SIGNALS:
    void started();

private Q_SLOTS:
    void check() {
        if (startedNs_ < 0 && effect_->property("playing").toBool() &&
            effect_->property("status").toInt() == ready_) {
            startedNs_ = nanoseconds(Clock::now());
            Q_EMIT started();
        }
    }

private:
    QObject* effect_ = nullptr;
    int ready_ = -1;
    long long startedNs_ = -1;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("minamo-drill"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    minamo::installFontSubstitutions();
    QApplication::setFont(minamo::designFont(QStringLiteral("MS PGothic"), 10));
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

    SoundWatcher watcher;
    bool reported = false;
    const auto report = [&] {
        if (reported) {
            return;
        }
        reported = true;
        const auto* problem =
            qobject_cast<QLineEdit*>(window.controlWidget(minamo::ControlId::Text1));
        std::printf("first-answer enter-ns=%lld sound-ns=%lld problem=%s right=%d\n",
                    nanoseconds(enter), watcher.startedNs(), qPrintable(problem->text()),
                    int{s.correctCount});
        std::fflush(stdout);
        QCoreApplication::quit();
    };
    if (quitAtOnce) {
        QTimer::singleShot(0, &app, report);
    } else {
        QObject::connect(&watcher, &SoundWatcher::started, &app, report, Qt::QueuedConnection);
        QTimer::singleShot(std::chrono::seconds(2), &app, report);
        watcher.watch(&window, minamo::rightSoundFile);
    }
    return app.exec();
}

#include "first_answer.moc"
