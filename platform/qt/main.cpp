#include "platform/qt/fonts.h"
#include "platform/qt/main_window.h"
#include "platform/system_services.h"

#include <QApplication>
#include <QStyleFactory>
#include <chrono>

namespace {
constexpr int soundLoadWaitMs = 3000;
} // namespace

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
    window.setStartupProbe(probe.get());
    if (!window.load()) {
        return 0; // another copy runs: end at once, silently
    }
    const int exitCode = app.exec();
    // Qt Multimedia 6.4 hangs at exit while a sound is still loading: its sample cache, torn
    // down, waits for the loading thread under the lock that thread needs (and leaks the
    // sample). The program would never end and would keep its single-copy lock. Loads take
    // milliseconds; a quit right after the start lets them finish first.
    window.waitForSoundLoads(soundLoadWaitMs);
    return exitCode;
}
