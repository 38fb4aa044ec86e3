#pragma once

#include "app/form1.h"
#include "app/form_layout.h"
#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_picture_area.h"
#include "platform/qt/twips.h"

#include <QApplication>
#include <QMainWindow>
#include <QMap>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <memory>

class QAction;

namespace minamo {

// Start-up timing for the benchmarks (tools/bench). Inert unless the environment variable
// MINAMO_STARTUP_PROBE is set ("quit" or "stay"): then, once the watched window's first
// paint has ended and the work deferred past it has run, one line goes to stdout with the
// steady-clock times of main(), of the first paint's end and of the deferred work, and the
// program quits ("quit") or keeps running ("stay"). Header-only, so that the benchmark's
// bare window is timed by the very same code.
class StartupProbe : public QObject {
public:
    using Clock = std::chrono::steady_clock;
    enum class AfterReport { Quit, Stay };
    enum class DeferredWork { None, Expected };

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
    void watch(QWidget* window, DeferredWork deferred) {
        window_ = window;
        deferredExpected_ = deferred == DeferredWork::Expected;
        qApp->installEventFilter(this);
        // A deferred step that never comes must not keep the report back for ever.
        QTimer::singleShot(std::chrono::seconds(20), this, [this] { report(); });
    }
    void deferredWorkStarted() { deferredStart_ = Clock::now(); }
    void deferredWorkFinished() {
        deferredEnd_ = Clock::now();
        reportWhenDone();
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
                reportWhenDone();
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
    static long long nanoseconds(Clock::time_point t) {
        return t == Clock::time_point{}
                   ? -1
                   : std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch())
                         .count();
    }
    void reportWhenDone() {
        if (firstPaintEnd_ != Clock::time_point{} &&
            (!deferredExpected_ || deferredEnd_ != Clock::time_point{})) {
            report();
        }
    }
    void report() {
        if (reported_) {
            return;
        }
        reported_ = true;
        const QSize size = window_ ? window_->size() : QSize();
        std::printf("startup-probe main-ns=%lld first-paint-end-ns=%lld deferred-start-ns=%lld "
                    "deferred-end-ns=%lld size=%dx%d platform=%s\n",
                    nanoseconds(mainEntered_), nanoseconds(firstPaintEnd_),
                    nanoseconds(deferredStart_), nanoseconds(deferredEnd_), size.width(),
                    size.height(), qPrintable(QGuiApplication::platformName()));
        std::fflush(stdout);
        if (after_ == AfterReport::Quit) {
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
    }

    Clock::time_point mainEntered_;
    AfterReport after_;
    QWidget* window_ = nullptr;
    bool deferredExpected_ = false;
    bool forwarding_ = false;
    bool paintSeen_ = false;
    bool reported_ = false;
    Clock::time_point firstPaintEnd_{}, deferredStart_{}, deferredEnd_{};
};

// The window Form1: its controls are built from the design tables, their events go to the
// drill's handlers.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Services {
        FileSystem& files;
        Clock& clock;
        RandomSource& random;
        InstanceLock& instanceLock;
    };

    explicit MainWindow(Services services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs the start-up; false when another copy runs and this one must end.
    bool load();

    Form1& form() { return *form_; }
    const TwipsScale& scale() const { return scale_; }
    QWidget* client() const { return client_; }
    QtPictureArea& picture(ControlId id);
    QWidget* controlWidget(ControlId id) const;
    AnswerBox* answerBox() const { return answerBox_; }
    // The menu action of an entry, by its control name ("tosiki1", "hbunbig2").
    QAction* menuAction(const QString& name) const;
    QTimer* timer() const { return timer_; }
    // Times the start-up for the benchmarks; the sound preload is the deferred work.
    void setStartupProbe(StartupProbe* probe);
    // Lets sounds that are still loading finish, for at most timeoutMs (see main()).
    void waitForSoundLoads(int timeoutMs);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void preloadSounds();

    TwipsScale scale_;
    QWidget* client_ = nullptr;
    AnswerBox* answerBox_ = nullptr;
    QTimer* timer_ = nullptr;
    QMap<ControlId, QWidget*> widgets_;
    QMap<QString, QAction*> actions_;
    std::map<ControlId, std::unique_ptr<QtPictureArea>> pictures_;
    std::map<ControlId, std::unique_ptr<QtTextBox>> textBoxes_;
    std::map<ControlId, std::unique_ptr<QtLabel>> labels_;
    std::map<ControlId, std::unique_ptr<QtButton>> buttons_;
    std::unique_ptr<QtTimer> timer1_;
    std::unique_ptr<QtSoundPlayer> mmControl1_, mmControl2_;
    std::unique_ptr<QtWindow> window_;
    std::unique_ptr<QtMessageBox> messageBox_;
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<Form1> form_;
    Services services_;
    bool soundsPreloaded_ = false;
    StartupProbe* probe_ = nullptr;
};

} // namespace minamo
