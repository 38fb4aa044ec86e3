// minamo-bench: start-up, memory and the drill's own work on the real window, each figure
// beside a floor measured in the same run, printed as one table. ./bench runs it on a
// Release build; --quick runs every benchmark once, so that the tools keep working (its
// figures are not measurements); --startup-only and --window-only run one half.

#include "report_bench.h"
#include "sheet_bench.h"
#include "sound_bench.h"
#include "startup_bench.h"
#include "table.h"
#include "window_bench.h"

#include "qt/fonts.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QStyleFactory>
#include <QSysInfo>
#include <cstdio>
#include <thread>

namespace {

QString cpuModel() {
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : cpuinfo.readAll().split('\n')) {
            if (line.startsWith("model name")) {
                return QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
            }
        }
    }
    return QSysInfo::currentCpuArchitecture();
}

// Qt's own warnings (no audio device, the offscreen platform's limits) would bury the
// table; the benchmark's own messages are written directly.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

// The load averages: other work on the machine shows in every figure.
QString loadAverage() {
    QFile loadavg(QStringLiteral("/proc/loadavg"));
    if (!loadavg.open(QIODevice::ReadOnly)) {
        return QStringLiteral("unknown");
    }
    const QList<QByteArray> fields = loadavg.readAll().split(' ');
    return QString::fromLatin1(fields.mid(0, 3).join(' '));
}

} // namespace

int main(int argc, char** argv) {
    bool quick = false;
    bool startupPart = true;
    bool windowPart = true;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--quick") {
            quick = true;
        } else if (arg == "--startup-only") {
            windowPart = false;
        } else if (arg == "--window-only") {
            startupPart = false;
        } else {
            std::fprintf(stderr,
                         "usage: minamo-bench [--quick] [--startup-only | --window-only]\n");
            return 2;
        }
    }
    // The in-process benchmarks draw offscreen; the start-up ones choose their own display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(quietQt);
    QApplication app(argc, argv);
    // As the program sets itself up.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    minamo::useDesignFonts();

    QTextStream out(stdout);
    QTextStream log(stderr);
    bool failed = false;

    const QString binDir = QCoreApplication::applicationDirPath();
    const minamo::bench::StartupOptions startup{binDir, quick ? 1 : 41, quick ? 1 : 5,
                                                quick ? 300 : 2000};
    const minamo::bench::WindowOptions window{.programFolder = binDir,
                                              .keySamples = quick ? 5 : 1000,
                                              .advanceSamples = quick ? 3 : 201,
                                              .solutionRounds = quick ? 1 : 21,
                                              .freshStarts = quick ? 1 : 21,
                                              .freshRounds = quick ? 1 : 11};
    const minamo::bench::SoundOptions sound{binDir, quick ? 1 : 11};
    const minamo::bench::ReportOptions report{quick ? 1 : 11};
    const minamo::bench::SheetOptions sheet{binDir, quick ? 1 : 11};

    std::vector<minamo::bench::Row> rows;
    if (startupPart) {
        rows = minamo::bench::runStartupBenchmarks(startup, log, failed);
        for (auto& row : minamo::bench::runSoundBenchmarks(sound, log, failed)) {
            rows.push_back(std::move(row));
        }
    }
    if (windowPart) {
        for (auto& row : minamo::bench::runWindowBenchmarks(window, log, failed)) {
            rows.push_back(std::move(row));
        }
        rows.push_back(minamo::bench::separator());
        for (auto& row : minamo::bench::runReportBenchmarks(report, log, failed)) {
            rows.push_back(std::move(row));
        }
        for (auto& row : minamo::bench::runSheetBenchmarks(sheet, log, failed)) {
            rows.push_back(std::move(row));
        }
    }

    const QStringList heading{
        QStringLiteral("ミナモ塾 benchmarks, %1 build, %2")
            .arg(QStringLiteral(MINAMO_BENCH_BUILD_TYPE),
                 QDateTime::currentDateTime().toString(Qt::ISODate)),
        QStringLiteral("machine: %1, %2 cores, %3 %4, Qt %5, load average %6 at the end")
            .arg(cpuModel())
            .arg(std::thread::hardware_concurrency())
            .arg(QSysInfo::kernelType(), QSysInfo::kernelVersion(), QString::fromLatin1(qVersion()),
                 loadAverage()),
        quick ? QStringLiteral("QUICK MODE: every benchmark ran once; these figures are not "
                               "measurements")
              : QStringLiteral("medians: start-up of %1 runs, memory of %2 runs, first sounds of "
                               "%3 runs, %4 keys of each kind, %5 presentations, %6 rounds of "
                               "solutions, %7 drill starts, %8 rounds of fresh sets, %9 class "
                               "reports, %10 worksheets")
                    .arg(startup.startupRuns)
                    .arg(startup.memoryRuns)
                    .arg(sound.runs)
                    .arg(window.keySamples)
                    .arg(window.advanceSamples)
                    .arg(window.solutionRounds)
                    .arg(window.freshStarts)
                    .arg(window.freshRounds)
                    .arg(report.runs)
                    .arg(sheet.runs),
        QStringLiteral("floor: start-up and memory, the idle window's menus, controls, captions "
                       "and fonts as plain Qt widgets with no drill behind them (each start on "
                       "one core); keys, the same "
                       "key in a bare QLineEdit; drawing, the same text printed as one line "
                       "(both painted); the class report, reading the same files' bytes; a "
                       "worksheet, its equations as lines of a PDF"),
    };
    minamo::bench::printTable(out, heading, rows);
    if (failed) {
        log << "bench: some measurements failed (see above)\n";
        return 1;
    }
    return 0;
}
