#include "platform/system_services.h"
#include "qt/fonts.h"
#include "qt/main_window.h"
#include "qt/startup_probe.h"

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
        // Another copy runs: it is asked to come to the front, and this one ends at once.
        minamo::FrontDoor::knock();
        return 0;
    }
    minamo::FrontDoor door;
    door.open([&window] { window.comeForward(); });
    // The window, going, lets sounds that are still loading finish first (see MainWindow).
    return app.exec();
}
