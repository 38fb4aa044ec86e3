#include "qt/fonts.h"
#include "qt/main_window.h"
#include "qt/startup_probe.h"
#include "platform/system_services.h"

#include <QApplication>
#include <QStyleFactory>
#include <chrono>

int main(int argc, char** argv) {
    const auto entered = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("minamo-drill"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    minamo::installFontSubstitutions();
    QApplication::setFont(minamo::designFont(QStringLiteral("MS PGothic"), 10));

    minamo::LocalFileSystem files(QCoreApplication::applicationDirPath());
    minamo::SystemClock clock;
    minamo::SeededRandom random(minamo::SeededRandom::seedFromClock());
    minamo::LockFileInstance lock;

    // Benchmarks only: MINAMO_STARTUP_PROBE reports the start-up times (see StartupProbe).
    const auto probe = minamo::StartupProbe::fromEnvironment(entered);
    minamo::MainWindow window({files, clock, random, lock});
    if (probe) {
        probe->watch(&window);
    }
    if (!window.load()) {
        return 0; // another copy runs: end at once, silently
    }
    // The window, going, lets sounds that are still loading finish first (see MainWindow).
    return app.exec();
}
