#include "command_line/command_line.h"
#include "desktop/front_door.h"
#include "drill_program/main_window.h"
#include "drill_program/startup_probe.h"
#include "fresh/fresh_bank.h"
#include "qt/fonts.h"
#include "system/system_services.h"

#include <QApplication>
#include <QStyleFactory>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {
const QString programName = QStringLiteral("minamo-drill");
} // namespace

int main(int argc, char** argv) {
    const auto entered = std::chrono::steady_clock::now();
    // --help needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            minamo::sayUsage(minamo::drillUsage());
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(programName);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    minamo::useDesignFonts();

    // Started plainly the program asks the banks' own problems; --fresh asks fresh numbers.
    // Qt has taken its own options (-platform, -style) out of the arguments by now.
    const minamo::Result<minamo::DrillOptions> options =
        minamo::parseDrillOptions(app.arguments().mid(1), minamo::clockSeed());
    if (!options) {
        return minamo::sayMistake(programName, options.reason(), minamo::drillUsage());
    }

    minamo::LocalFileSystem files(QCoreApplication::applicationDirPath());
    minamo::SystemClock clock;
    minamo::SeededRandom random(minamo::SeededRandom::seedFromClock());
    minamo::LockFileInstance lock;

    // Benchmarks only: MINAMO_STARTUP_PROBE reports the start-up times (see StartupProbe).
    const auto probe = minamo::StartupProbe::fromEnvironment(entered);
    minamo::MainWindow window({files, clock, random, lock}, *options);
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
