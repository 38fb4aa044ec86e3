#include "startup_bench.h"

#include "server_process.h"
#include "stats.h"

#include "sound/sound_module.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QSize>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <sched.h>

#ifdef MINAMO_BENCH_XCB
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <xcb/xcb.h>
#endif

namespace minamo::bench {

namespace {

using Clock = std::chrono::steady_clock;

constexpr double targetRatio = 1.10;
const QString ratioTarget = QStringLiteral("<= 1.10x floor");
const QString windowTitle = QStringLiteral("ミナモ塾");
constexpr int startTimeoutMs = 20000;

qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

double nsToMs(qint64 ns) {
    return static_cast<double>(ns) / 1e6;
}

// What the program's start-up probe prints (steady-clock nanoseconds; -1 for never).
struct ProbeReport {
    qint64 mainNs = -1;
    qint64 paintNs = -1;
    int libraries = -1;
    QSize size;
    QString platform;
};

std::optional<ProbeReport> parseProbe(const QByteArray& output) {
    for (const QByteArray& line : output.split('\n')) {
        if (!line.startsWith("startup-probe ")) {
            continue;
        }
        ProbeReport report;
        for (const QByteArray& field : line.split(' ')) {
            const auto eq = field.indexOf('=');
            if (eq < 0) {
                continue;
            }
            const QByteArray key = field.left(eq);
            const QByteArray value = field.mid(eq + 1);
            if (key == "main-ns") {
                report.mainNs = value.toLongLong();
            } else if (key == "first-paint-end-ns") {
                report.paintNs = value.toLongLong();
            } else if (key == "libraries") {
                report.libraries = value.toInt();
            } else if (key == "size") {
                const QList<QByteArray> wh = value.split('x');
                if (wh.size() == 2) {
                    report.size = QSize(wh[0].toInt(), wh[1].toInt());
                }
            } else if (key == "platform") {
                report.platform = QString::fromLatin1(value);
            }
        }
        if (report.mainNs > 0 && report.paintNs > report.mainNs) {
            return report;
        }
    }
    return std::nullopt;
}

// Whether a live process has mapped the sound module or the audio libraries behind it.
bool soundStackMapped(qint64 pid) {
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    if (!maps.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray all = maps.readAll();
    return all.contains(SoundModule::fileName().toUtf8()) || all.contains("libcanberra") ||
           all.contains("libpulse");
}

// Peak resident set (VmHWM) of a live process, in KiB.
std::optional<double> peakMemoryKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
        }
    }
    return std::nullopt;
}

#ifdef MINAMO_BENCH_XCB
// Sees top-level windows mapped on an X server, by the process that owns them.
class MapWatcher {
public:
    static std::unique_ptr<MapWatcher> connect(const QString& display) {
        int screenNumber = 0;
        xcb_connection_t* c = xcb_connect(display.toLocal8Bit().constData(), &screenNumber);
        if (xcb_connection_has_error(c)) {
            xcb_disconnect(c);
            return nullptr;
        }
        return std::unique_ptr<MapWatcher>(new MapWatcher(c, screenNumber));
    }
    ~MapWatcher() { xcb_disconnect(c_); }

    // When a window of the process was seen mapped (steady-clock ns), or -1; its title.
    qint64 waitForMap(qint64 pid, qint64 deadlineNs, QString& title) {
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(c_)) {
                const qint64 seen = nowNs();
                const bool mapped = (event->response_type & ~0x80) == int{XCB_MAP_NOTIFY};
                const xcb_window_t window =
                    mapped ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window : 0;
                std::free(event);
                if (mapped && ownerPid(window) == pid) {
                    title = windowName(window);
                    return seen;
                }
            }
            const qint64 left = deadlineNs - nowNs();
            if (left <= 0 || xcb_connection_has_error(c_)) {
                return -1;
            }
            pollfd fd{xcb_get_file_descriptor(c_), POLLIN, 0};
            ::poll(&fd, 1, static_cast<int>(std::min<qint64>(left / 1000000 + 1, 100)));
        }
    }

private:
    MapWatcher(xcb_connection_t* c, int screenNumber) : c_(c) {
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c_));
        for (int i = 0; i < screenNumber && it.rem > 0; ++i) {
            xcb_screen_next(&it);
        }
        const xcb_window_t root = it.data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c_, root, XCB_CW_EVENT_MASK, &mask);
        pidAtom_ = atom("_NET_WM_PID");
        nameAtom_ = atom("_NET_WM_NAME");
        utf8Atom_ = atom("UTF8_STRING");
        xcb_flush(c_);
    }
    xcb_atom_t atom(const char* name) {
        const auto cookie =
            xcb_intern_atom(c_, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c_, cookie, nullptr);
        const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return result;
    }
    QByteArray property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
        const auto cookie = xcb_get_property(c_, 0, window, name, type, 0, 256);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(c_, cookie, nullptr);
        QByteArray value;
        if (reply) {
            value = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                               xcb_get_property_value_length(reply));
            std::free(reply);
        }
        return value;
    }
    qint64 ownerPid(xcb_window_t window) {
        const QByteArray value = property(window, pidAtom_, XCB_ATOM_CARDINAL);
        std::uint32_t pid = 0;
        if (value.size() != sizeof pid) {
            return -1;
        }
        std::memcpy(&pid, value.constData(), sizeof pid);
        return pid;
    }
    QString windowName(xcb_window_t window) {
        return QString::fromUtf8(property(window, nameAtom_, utf8Atom_));
    }

    xcb_connection_t* c_;
    xcb_atom_t pidAtom_ = XCB_ATOM_NONE, nameAtom_ = XCB_ATOM_NONE, utf8Atom_ = XCB_ATOM_NONE;
};
#else
class MapWatcher {
public:
    static std::unique_ptr<MapWatcher> connect(const QString&) { return nullptr; }
    qint64 waitForMap(qint64, qint64, QString&) { return -1; }
};
#endif

// A virtual X server at 96 dpi on a display number of its own choosing.
class Xvfb {
public:
    ~Xvfb() { endServer(process_); }
    static bool installed() {
        return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty();
    }

    // The display name (":N"), or empty when the server did not come up.
    QString start() {
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start(QStandardPaths::findExecutable(QStringLiteral("Xvfb")),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"),
                        QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1024x768x24"), QStringLiteral("-dpi"), QStringLiteral("96"),
                        QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        QByteArray number;
        while (!number.contains('\n') && process_.waitForReadyRead(10000)) {
            number += process_.readAllStandardOutput();
        }
        bool ok = false;
        const int display = number.trimmed().toInt(&ok);
        return ok ? QStringLiteral(":%1").arg(display) : QString();
    }

private:
    QProcess process_;
};

// The core every timed window runs on: the last one this benchmark may use. A Qt window
// fills its first frame with the help of a thread pool of one thread a core, and on a
// virtual machine a thread woken on an idle core starts after a delay of its own that
// makes the start-up times fall into two groups milliseconds apart, at random; the median
// would flip between them. On one core both windows do the same work with no such wait.
int startupCore() {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) {
        return -1;
    }
    for (int cpu = CPU_SETSIZE - 1; cpu >= 0; --cpu) {
        if (CPU_ISSET(cpu, &allowed)) {
            return cpu;
        }
    }
    return -1;
}

enum class Program { Drill, Floor };
enum class Wait { Quit, StayForMemory };

struct Display {
    QString label;    // in the table: "offscreen", "Xvfb"
    QString platform; // QT_QPA_PLATFORM
    QString name;     // DISPLAY, for an X server
    MapWatcher* watcher = nullptr;
};

struct Run {
    ProbeReport probe;
    qint64 spawnNs = -1;
    qint64 mappedNs = -1;
    QString mappedTitle;
    double peakKiB = -1;
    bool soundStackMapped = false;
};

class Launcher {
public:
    Launcher(const StartupOptions& options, QTextStream& log) : options_(options), log_(log) {
        QDir(temp_.path()).mkpath(QStringLiteral("work"));
    }

    std::optional<Run> run(Program program, const Display& display, Wait wait) {
        Run result;
        // A runtime folder per start: every start takes the single-copy lock afresh.
        const QString runtime = runtime_.filePath(QStringLiteral("run-%1").arg(++starts_));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), display.platform);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("MINAMO_STARTUP_PROBE"),
                   wait == Wait::Quit ? QStringLiteral("quit") : QStringLiteral("stay"));
        if (!display.name.isEmpty()) {
            env.insert(QStringLiteral("DISPLAY"), display.name);
        } else {
            env.remove(QStringLiteral("DISPLAY"));
        }

        QProcess process;
        process.setProcessEnvironment(env);
        if (const int core = startupCore(); core >= 0) {
            process.setChildProcessModifier([core] {
                cpu_set_t one;
                CPU_ZERO(&one);
                CPU_SET(core, &one);
                sched_setaffinity(0, sizeof one, &one);
            });
        }
        process.setWorkingDirectory(temp_.filePath(QStringLiteral("work")));
        const QString path =
            options_.binDir + (program == Program::Drill ? QStringLiteral("/minamo-drill")
                                                         : QStringLiteral("/bench-floor-window"));
        QStringList args;
        const QSize programSize = programSizes_.value(display.platform);
        if (program == Program::Floor && programSize.isValid()) {
            args << QStringLiteral("%1x%2").arg(programSize.width()).arg(programSize.height());
        }
        result.spawnNs = nowNs();
        process.start(path, args);
        if (!process.waitForStarted(startTimeoutMs)) {
            log_ << "bench: could not start " << path << ": " << process.errorString() << '\n';
            return std::nullopt;
        }
        const qint64 pid = process.processId();
        if (display.watcher) {
            result.mappedNs = display.watcher->waitForMap(
                pid, result.spawnNs + qint64(startTimeoutMs) * 1000000, result.mappedTitle);
        }
        if (wait == Wait::StayForMemory) {
            // The idle window must be up before its memory counts: a slow build (the
            // sanitizers) may take longer than the wait to print its report.
            const qint64 reportBy = result.spawnNs + qint64(startTimeoutMs) * 1000000;
            while (!process.peek(1 << 16).contains('\n') && nowNs() < reportBy &&
                   process.state() == QProcess::Running) {
                process.waitForReadyRead(50);
            }
            const qint64 readAt =
                std::max(result.spawnNs + qint64(options_.memoryWaitMs) * 1000000, nowNs());
            while (nowNs() < readAt && process.state() == QProcess::Running) {
                QThread::usleep(static_cast<unsigned long>(
                    std::min<qint64>((readAt - nowNs()) / 1000 + 1, 20000)));
            }
            if (const auto peak = peakMemoryKiB(pid)) {
                result.peakKiB = *peak;
            }
            result.soundStackMapped = soundStackMapped(pid);
            process.terminate();
        }
        if (!process.waitForFinished(startTimeoutMs)) {
            process.kill();
            process.waitForFinished(5000);
        }
        const QByteArray output = process.readAllStandardOutput();
        const auto probe = parseProbe(output);
        if (!probe) {
            log_ << "bench: " << path << " on " << display.label
                 << " printed no start-up report; its error output:\n"
                 << process.readAllStandardError() << '\n';
            return std::nullopt;
        }
        result.probe = *probe;
        if (program == Program::Drill && !programSize.isValid()) {
            programSizes_.insert(display.platform, probe->size);
        }
        if (display.watcher && result.mappedNs < 0) {
            log_ << "bench: " << path << " on " << display.label << " was never seen mapped\n";
            return std::nullopt;
        }
        if (display.watcher && program == Program::Drill && result.mappedTitle != windowTitle) {
            log_ << "bench: the mapped window is titled \"" << result.mappedTitle << "\"\n";
            return std::nullopt;
        }
        return result;
    }

private:
    const StartupOptions& options_;
    QTextStream& log_;
    QTemporaryDir temp_;
    // A desktop session's runtime folder (XDG_RUNTIME_DIR) is a tmpfs, where the single-copy
    // lock is written without a wait for the disk; so is this one, where the machine has one.
    QTemporaryDir runtime_{QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                               ? QStringLiteral("/dev/shm/minamo-bench-XXXXXX")
                               : QDir::tempPath() + QStringLiteral("/minamo-bench-XXXXXX")};
    int starts_ = 0;
    // The program's window size on each platform, learnt from its first start there.
    QMap<QString, QSize> programSizes_;
};

struct Series {
    std::vector<double> drill, floor;
};

Row ratioRow(const QString& measure, const Series& series, QString (*format)(double)) {
    Row row;
    row.measure = measure;
    const double figure = median(series.drill);
    const double floor = median(series.floor);
    row.figure = format(figure);
    row.floor = format(floor);
    row.target = ratioTarget;
    if (series.drill.empty() || series.floor.empty() || floor <= 0) {
        row.figure = QStringLiteral("n/a");
        row.verdict = Verdict::Missed;
        row.missedNote = measure + QStringLiteral(": not measured");
        return row;
    }
    const double ratio = figure / floor;
    row.ratio = times(ratio);
    row.verdict = ratio <= targetRatio ? Verdict::Ok : Verdict::Missed;
    row.missedNote = QStringLiteral("%1: %2 is %3 the floor window's %4 (target %5)")
                         .arg(measure, format(figure), times(ratio), format(floor), ratioTarget);
    return row;
}

struct DisplayResults {
    Series mainToPaint, spawnToPaint, mainToMapped, peak, libraries;
    int idleRuns = 0;
    int idleWithSound = 0;
};

// The shared libraries mapped at the end of the first paint: what start-up loaded.
Row librariesRow(const QString& label, const Series& libraries) {
    Row row;
    row.measure = QStringLiteral("%1: shared libraries mapped at first paint end").arg(label);
    const auto count = [](double n) { return QString::number(n, 'f', 0); };
    row.figure = libraries.drill.empty() ? QStringLiteral("n/a") : count(median(libraries.drill));
    row.floor = libraries.floor.empty() ? QStringLiteral("n/a") : count(median(libraries.floor));
    if (!libraries.drill.empty() && !libraries.floor.empty() && median(libraries.floor) > 0) {
        row.ratio = times(median(libraries.drill) / median(libraries.floor));
    }
    return row;
}

// The idle window has not loaded the sound module nor libcanberra when its memory is read.
Row idleSoundRow(const QString& label, const DisplayResults& r, int waitMs) {
    Row row;
    row.measure = QStringLiteral("%1: sound stack mapped in the idle window %2 s after start")
                      .arg(label)
                      .arg(waitMs / 1000.0, 0, 'g', 2);
    row.figure = QStringLiteral("%1/%2 runs").arg(r.idleWithSound).arg(r.idleRuns);
    row.floor = QStringLiteral("-");
    row.target = QStringLiteral("in no run");
    row.verdict = r.idleRuns > 0 && r.idleWithSound == 0 ? Verdict::Ok : Verdict::Missed;
    row.missedNote = QStringLiteral("%1: the idle window had loaded its sound stack in %2 of %3 "
                                    "runs")
                         .arg(label)
                         .arg(r.idleWithSound)
                         .arg(r.idleRuns);
    return row;
}

} // namespace

std::vector<Row> runStartupBenchmarks(const StartupOptions& options, QTextStream& log,
                                      bool& failed) {
    Launcher launcher(options, log);
    std::vector<Display> displays{{QStringLiteral("offscreen"), QStringLiteral("offscreen"), {}}};

    std::unique_ptr<Xvfb> xvfb;
    std::unique_ptr<MapWatcher> watcher;
    QString noXvfb;
    if (!Xvfb::installed()) {
        noXvfb = QStringLiteral("Xvfb is not installed");
    } else {
        xvfb = std::make_unique<Xvfb>();
        const QString name = xvfb->start();
        watcher = name.isEmpty() ? nullptr : MapWatcher::connect(name);
        if (name.isEmpty()) {
            noXvfb = QStringLiteral("Xvfb did not start");
        } else if (!watcher) {
#ifdef MINAMO_BENCH_XCB
            noXvfb = QStringLiteral("cannot connect to Xvfb");
#else
            noXvfb = QStringLiteral("built without libxcb");
#endif
        } else {
            displays.push_back(
                {QStringLiteral("Xvfb"), QStringLiteral("xcb"), name, watcher.get()});
        }
    }

    std::vector<Row> rows;
    std::vector<DisplayResults> results(displays.size());
    for (std::size_t d = 0; d < displays.size(); ++d) {
        const Display& display = displays[d];
        DisplayResults& r = results[d];
        // One start of each first, not counted: it fills the file caches and tells the floor
        // window the program's size.
        for (Program program : {Program::Drill, Program::Floor}) {
            if (!launcher.run(program, display, Wait::Quit)) {
                failed = true;
            }
        }
        // The program and the floor window take turns, so both see the same machine.
        for (int i = 0; i < options.startupRuns; ++i) {
            for (Program program : {Program::Drill, Program::Floor}) {
                const auto run = launcher.run(program, display, Wait::Quit);
                if (!run) {
                    failed = true;
                    continue;
                }
                auto pick = [&](Series& s) -> std::vector<double>& {
                    return program == Program::Drill ? s.drill : s.floor;
                };
                const ProbeReport& p = run->probe;
                pick(r.mainToPaint).push_back(nsToMs(p.paintNs - p.mainNs));
                pick(r.spawnToPaint).push_back(nsToMs(p.paintNs - run->spawnNs));
                if (run->mappedNs >= 0) {
                    pick(r.mainToMapped).push_back(nsToMs(run->mappedNs - p.mainNs));
                }
                pick(r.libraries).push_back(p.libraries);
            }
        }
        for (int i = 0; i < options.memoryRuns; ++i) {
            for (Program program : {Program::Drill, Program::Floor}) {
                const auto run = launcher.run(program, display, Wait::StayForMemory);
                if (!run || run->peakKiB < 0) {
                    failed = true;
                    continue;
                }
                (program == Program::Drill ? r.peak.drill : r.peak.floor).push_back(run->peakKiB);
                if (program == Program::Drill) {
                    ++r.idleRuns;
                    r.idleWithSound += run->soundStackMapped ? 1 : 0;
                }
            }
        }
    }

    for (std::size_t d = 0; d < displays.size(); ++d) {
        const QString& label = displays[d].label;
        const DisplayResults& r = results[d];
        rows.push_back(ratioRow(label + QStringLiteral(": main() to first paint end"),
                                r.mainToPaint, milliseconds));
        if (displays[d].watcher) {
            rows.push_back(ratioRow(label + QStringLiteral(": main() to window mapped"),
                                    r.mainToMapped, milliseconds));
        }
        rows.push_back(ratioRow(label + QStringLiteral(": process start to first paint end"),
                                r.spawnToPaint, milliseconds));
        rows.push_back(ratioRow(label + QStringLiteral(": peak memory (VmHWM) %1 s after start")
                                            .arg(options.memoryWaitMs / 1000.0, 0, 'g', 2),
                                r.peak, kibibytes));
        rows.push_back(idleSoundRow(label, r, options.memoryWaitMs));
        rows.push_back(librariesRow(label, r.libraries));
        rows.push_back(separator());
    }
    if (!noXvfb.isEmpty()) {
        Row row;
        row.measure = QStringLiteral("Xvfb: start-up on a real X server");
        row.figure = QStringLiteral("not run: ") + noXvfb;
        rows.push_back(row);
        rows.push_back(separator());
    }
    return rows;
}

} // namespace minamo::bench
