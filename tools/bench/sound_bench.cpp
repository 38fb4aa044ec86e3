#include "sound_bench.h"

#include "server_process.h"
#include "stats.h"

#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <optional>

namespace minamo::bench {

namespace {

constexpr double firstSoundTargetMs = 50.0;
constexpr int startTimeoutMs = 20000;

// A PulseAudio server with nothing but a null sink, on a socket in a folder of its own.
class NullSinkServer {
public:
    ~NullSinkServer() { endServer(process_); }
    static QString program() {
        return QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    }

    // The server address for PULSE_SERVER, or empty when the server did not come up.
    QString start() {
        const QString socket = folder_.filePath(QStringLiteral("native"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), folder_.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder_.path());
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(
            program(),
            {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
             QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
             QStringLiteral("--log-level=error"), QStringLiteral("-L"),
             QStringLiteral("module-null-sink sink_name=null"), QStringLiteral("-L"),
             QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket});
        for (int i = 0; i < 100 && process_.state() != QProcess::NotRunning; ++i) {
            if (QFileInfo::exists(socket)) {
                return QStringLiteral("unix:") + socket;
            }
            process_.waitForFinished(50);
        }
        output_ = process_.readAll();
        return {};
    }
    QByteArray output() const { return output_; }

private:
    QTemporaryDir folder_;
    QProcess process_;
    QByteArray output_;
};

struct FirstAnswer {
    double enterToSoundMs = -1;
};

std::optional<FirstAnswer> runFirstAnswer(const SoundOptions& options, const QString& server,
                                          QTextStream& log) {
    QTemporaryDir work;
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("PULSE_SERVER"), server);
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(work.path());
    const QString path = options.binDir + QStringLiteral("/bench-first-answer");
    process.start(path, {});
    if (!process.waitForFinished(startTimeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        log << "bench: " << path << " did not end\n";
        return std::nullopt;
    }
    QMap<QByteArray, QByteArray> fields;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        if (line.startsWith("first-answer ")) {
            for (const QByteArray& field : line.mid(13).split(' ')) {
                const auto eq = field.indexOf('=');
                fields[field.left(eq)] = field.mid(eq + 1);
            }
        }
    }
    const qint64 enter = fields.value("enter-ns", "-1").toLongLong();
    const qint64 sound = fields.value("sound-ns", "-1").toLongLong();
    if (fields.value("problem") != "2" || fields.value("right") != "1" || enter <= 0 ||
        sound < enter) {
        log << "bench: " << path
            << " gave no right answer with its sound: " << process.readAllStandardError() << '\n';
        return std::nullopt;
    }
    return FirstAnswer{static_cast<double>(sound - enter) / 1e6};
}

} // namespace

std::vector<Row> runSoundBenchmarks(const SoundOptions& options, QTextStream& log, bool& failed) {
    Row row;
    row.measure = QStringLiteral("first right-answer sound, Enter at once after the menu: Enter "
                                 "to playing");
    row.floor = QStringLiteral("-");
    row.target = QStringLiteral("< %1 ms").arg(firstSoundTargetMs);
    if (NullSinkServer::program().isEmpty()) {
        row.figure = QStringLiteral("not run: PulseAudio is not installed");
        row.verdict = Verdict::Missed;
        row.missedNote = row.measure + QStringLiteral(": not measured (no PulseAudio)");
        return {row, separator()};
    }
    NullSinkServer server;
    const QString address = server.start();
    if (address.isEmpty()) {
        log << "bench: the PulseAudio server did not start: " << server.output() << '\n';
        failed = true;
        return {};
    }
    std::vector<double> samples;
    // One start first, not counted: it fills the file caches.
    for (int i = 0; i <= options.runs; ++i) {
        const auto run = runFirstAnswer(options, address, log);
        if (!run) {
            failed = true;
        } else if (i > 0) {
            samples.push_back(run->enterToSoundMs);
        }
    }
    if (samples.empty()) {
        row.figure = QStringLiteral("n/a");
        row.verdict = Verdict::Missed;
        row.missedNote = row.measure + QStringLiteral(": not measured");
        return {row, separator()};
    }
    const double worst = *std::max_element(samples.begin(), samples.end());
    row.figure =
        QStringLiteral("%1 (worst %2)").arg(milliseconds(median(samples)), milliseconds(worst));
    row.verdict = median(samples) < firstSoundTargetMs ? Verdict::Ok : Verdict::Missed;
    row.missedNote = QStringLiteral("%1: %2 (target %3)").arg(row.measure, row.figure, row.target);
    return {row, separator()};
}

} // namespace minamo::bench
