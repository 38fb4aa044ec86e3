// The floor of the start-up benchmarks: a bare Qt window of the program's size, nothing
// in it, timed by the same probe as the program (MINAMO_STARTUP_PROBE, see StartupProbe).
// Usage: bench-bare-window [WIDTHxHEIGHT]

#include "platform/qt/main_window.h"

#include <QApplication>
#include <QWidget>
#include <chrono>

int main(int argc, char** argv) {
    const auto entered = std::chrono::steady_clock::now();
    QApplication app(argc, argv);

    QSize size(693, 484);
    if (argc > 1) {
        const QStringList parts = QString::fromLocal8Bit(argv[1]).split(u'x');
        if (parts.size() == 2 && parts[0].toInt() > 0 && parts[1].toInt() > 0) {
            size = QSize(parts[0].toInt(), parts[1].toInt());
        }
    }

    const auto probe = minamo::StartupProbe::fromEnvironment(entered);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.setFixedSize(size);
    if (probe) {
        probe->watch(&window, minamo::StartupProbe::DeferredWork::None);
    }
    window.show();
    return app.exec();
}
