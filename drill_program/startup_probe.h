#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <memory>

namespace minamo {

// Start-up timing for the benchmarks (tools/bench). Inert unless the environment variable
// MINAMO_STARTUP_PROBE is set ("quit" or "stay"): then, once the watched window's first
// paint has ended, one line goes to stdout with the steady-clock times of main() and of the
// first paint's end and the number of shared libraries mapped at that end, and the program
// quits ("quit") or keeps running ("stay"). Header-only, so that the benchmark's floor window is
// timed by the very same code.
class StartupProbe : public QObject {
public:
    using Clock = std::chrono::steady_clock;
    enum class AfterReport { Quit, Stay };

    static std::unique_ptr<StartupProbe> fromEnvironment(Clock::time_point mainEntered) {
        const QByteArray mode = qgetenv("MINAMO_STARTUP_PROBE");
        if (mode.isEmpty()) {
            return nullptr;
        }
        return std::make_unique<StartupProbe>(mainEntered, mode == "stay" ? AfterReport::Stay
                                                                          : AfterReport::Quit);
    }

    StartupProbe(Clock::time_point mainEntered, AfterReport after)
        : mainEntered_(mainEntered), after_(after) {}

    // Call before the window is first shown.
    void watch(QWidget* window) {
        window_ = window;
        qApp->installEventFilter(this);
        // A window that is never painted still gets its report, and the program its end.
        QTimer::singleShot(std::chrono::seconds(20), this, [this] { report(); });
    }

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (window_ == nullptr || reported_) {
            return false;
        }
        const bool windowEvent =
            event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest;
        if (windowEvent && firstPaintEnd_ == Clock::time_point{} && window_->windowHandle() &&
            target == window_->windowHandle()) {
            // The window paints while it handles this event; handled here, the time after
            // it is the end of the paint.
            forwarding_ = true;
            target->event(event);
            forwarding_ = false;
            if (paintSeen_) {
                firstPaintEnd_ = Clock::now();
                librariesAtPaint_ = mappedLibraries();
                report();
            }
            return true;
        }
        if (forwarding_ && event->type() == QEvent::Paint && target->isWidgetType() &&
            static_cast<QWidget*>(target)->window() == window_) {
            paintSeen_ = true;
        }
        return false;
    }

private:
    // The shared objects mapped into this process (the program itself not counted).
    static int mappedLibraries() {
        QFile maps(QStringLiteral("/proc/self/maps"));
        if (!maps.open(QIODevice::ReadOnly)) {
            return -1;
        }
        QSet<QByteArray> libraries;
        for (const QByteArray& line : maps.readAll().split('\n')) {
            const auto path = line.indexOf('/');
            if (path >= 0 && line.indexOf(".so", path) >= 0) {
                libraries.insert(line.mid(path));
            }
        }
        return static_cast<int>(libraries.size());
    }
    static long long nanoseconds(Clock::time_point t) {
        return t == Clock::time_point{}
                   ? -1
                   : std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch())
                         .count();
    }
    void report() {
        if (reported_) {
            return;
        }
        reported_ = true;
        const QSize size = window_ ? window_->size() : QSize();
        std::printf("startup-probe main-ns=%lld first-paint-end-ns=%lld size=%dx%d platform=%s "
                    "libraries=%d\n",
                    nanoseconds(mainEntered_), nanoseconds(firstPaintEnd_), size.width(),
                    size.height(), qPrintable(QGuiApplication::platformName()), librariesAtPaint_);
        std::fflush(stdout);
        if (after_ == AfterReport::Quit) {
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
    }

    Clock::time_point mainEntered_;
    AfterReport after_;
    QWidget* window_ = nullptr;
    bool forwarding_ = false;
    bool paintSeen_ = false;
    bool reported_ = false;
    int librariesAtPaint_ = -1;
    Clock::time_point firstPaintEnd_{};
};

} // namespace minamo
