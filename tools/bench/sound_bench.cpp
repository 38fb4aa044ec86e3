#include "sound_bench.h"

#include "server_process.h"
#include "stats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <optional>

namespace minamo::bench {

namespace {

constexpr double firstSoundTargetMs = 50.0;
constexpr int startTimeoutMs = 20000;
// A sound is played whole when its played length is the file's within this.
constexpr double wholeToleranceMs = 10.0;
constexpr int recordRate = 48000;

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
        // One rate: a null sink that changes its rate while it is recorded garbles the
        // recording's timing.
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder_.path());
        QDir(folder_.path()).mkpath(QStringLiteral("pulse"));
        QFile config(folder_.filePath(QStringLiteral("pulse/daemon.conf")));
        if (config.open(QIODevice::WriteOnly)) {
            config.write("default-sample-rate = 48000\nalternate-sample-rate = 48000\n");
        }
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(
            program(),
            {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
             QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
             QStringLiteral("--log-level=error"), QStringLiteral("-L"),
             QStringLiteral("module-null-sink sink_name=null rate=48000"), QStringLiteral("-L"),
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

// A cached sample would be played from the server's memory: each start uploads its sounds
// afresh, as at the first start after the desktop's.
void forgetCachedSounds(const QString& server) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), server);
    QProcess list;
    list.setProcessEnvironment(env);
    list.start(QStringLiteral("pactl"),
               {QStringLiteral("list"), QStringLiteral("samples"), QStringLiteral("short")});
    list.waitForFinished(5000);
    for (const QByteArray& line : list.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() > 1 && fields[1].startsWith("minamo-drill-")) {
            QProcess remove;
            remove.setProcessEnvironment(env);
            remove.start(QStringLiteral("pactl"),
                         {QStringLiteral("remove-sample"), QString::fromLatin1(fields[1])});
            remove.waitForFinished(5000);
        }
    }
}

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

// A program the benchmark runs to its end, its output returned.
QByteArray runTool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(startTimeoutMs);
    return process.readAllStandardOutput();
}

// The sounding stretches (ms) of one band of a recording, as sox finds them: the band
// filtered out, split where it stays below -50 dB for 30 ms. The chime's two notes lie
// between 1 and 1.4 kHz, the buzz's low note below 300 Hz, so each sound is measured apart.
std::vector<double> stretches(const QString& wav, const QString& band, const QString& folder) {
    const QString parts = folder + QStringLiteral("/part.wav");
    runTool(QStringLiteral("sox"), {wav,
                                    QStringLiteral("-r"),
                                    QString::number(recordRate),
                                    QStringLiteral("-c"),
                                    QStringLiteral("1"),
                                    parts,
                                    QStringLiteral("sinc"),
                                    QStringLiteral("-n"),
                                    QStringLiteral("2048"),
                                    band,
                                    QStringLiteral("silence"),
                                    QStringLiteral("1"),
                                    QStringLiteral("0.0005"),
                                    QStringLiteral("-50d"),
                                    QStringLiteral("1"),
                                    QStringLiteral("0.03"),
                                    QStringLiteral("-50d"),
                                    QStringLiteral(":"),
                                    QStringLiteral("newfile"),
                                    QStringLiteral(":"),
                                    QStringLiteral("restart")});
    std::vector<double> lengths;
    for (const QFileInfo& part :
         QDir(folder).entryInfoList({QStringLiteral("part*.wav")}, QDir::Files, QDir::Name)) {
        const double ms = runTool(QStringLiteral("soxi"), {QStringLiteral("-D"), part.filePath()})
                              .trimmed()
                              .toDouble() *
                          1000.0;
        QFile::remove(part.filePath());
        // Shorter ones are clicks, not plays.
        if (ms >= 100.0) {
            lengths.push_back(ms);
        }
    }
    return lengths;
}

// The answer sounds' played lengths: a drill on the real window plays each sound twice,
// recorded on the null sink (a quiet tone above both bands keeps the sink running, so
// that the recording holds every moment), beside each file's length. What sox's splitting
// adds to a length is taken off as it is measured on the file itself.
std::vector<Row> playedLengthRows(const SoundOptions& options, const QString& server,
                                  QTextStream& log, bool& failed) {
    struct Sound {
        QString file;
        QString band;
        QString name;
    };
    const Sound sounds[] = {
        {QStringLiteral("Maru.wav"), QStringLiteral("1000-1400"), QStringLiteral("right-answer")},
        {QStringLiteral("SD05.wav"), QStringLiteral("-300"), QStringLiteral("wrong-answer")},
    };
    std::vector<Row> rows;
    for (const char* tool : {"sox", "soxi", "parec", "pacat"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            Row row{.measure = QStringLiteral("answer sounds, played length"),
                    .figure = QStringLiteral("not run: %1 is not installed").arg(tool),
                    .floor = QStringLiteral("-"),
                    .target = QStringLiteral("the file's ± %1 ms").arg(wholeToleranceMs),
                    .verdict = Verdict::Missed};
            row.missedNote = row.measure + QStringLiteral(": not measured (no %1)").arg(tool);
            return {row};
        }
    }
    QTemporaryDir folder;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), server);
    const QStringList rawFormat{QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                                QStringLiteral("--rate=%1").arg(recordRate),
                                QStringLiteral("--channels=1"),
                                QStringLiteral("--latency-msec=20")};
    QProcess tone;
    QProcess pilot;
    QProcess recorder;
    tone.setStandardOutputProcess(&pilot);
    pilot.setProcessEnvironment(env);
    recorder.setProcessEnvironment(env);
    recorder.setStandardOutputFile(folder.filePath(QStringLiteral("recording.raw")));
    tone.start(QStringLiteral("sox"),
               {QStringLiteral("-n"), QStringLiteral("-r"), QString::number(recordRate),
                QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-b"),
                QStringLiteral("16"), QStringLiteral("-e"), QStringLiteral("signed"),
                QStringLiteral("-t"), QStringLiteral("raw"), QStringLiteral("-"),
                QStringLiteral("synth"), QStringLiteral("120"), QStringLiteral("sine"),
                QStringLiteral("5000"), QStringLiteral("vol"), QStringLiteral("0.001")});
    pilot.start(QStringLiteral("pacat"), rawFormat);
    QThread::msleep(300);
    recorder.start(QStringLiteral("parec"),
                   QStringList{QStringLiteral("--device=null.monitor")} + rawFormat);
    QThread::msleep(1000);
    // PulseAudio's recorder of a null sink begins with the first stream after its own,
    // part of the way into it: one sound starts the recording and is not counted.
    QProcess warmUp;
    warmUp.setProcessEnvironment(env);
    warmUp.start(QStringLiteral("paplay"), {options.binDir + QStringLiteral("/SD05.wav")});
    warmUp.waitForFinished(startTimeoutMs);
    QThread::msleep(500);
    const qint64 start = QFileInfo(folder.filePath(QStringLiteral("recording.raw"))).size();

    QTemporaryDir work;
    QTemporaryDir runtime;
    QProcessEnvironment drillEnv = env;
    drillEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    drillEnv.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess drill;
    drill.setProcessEnvironment(drillEnv);
    drill.setWorkingDirectory(work.path());
    drill.start(options.binDir + QStringLiteral("/bench-answer-sounds"),
                {QStringLiteral("right"), QStringLiteral("1500"), QStringLiteral("right"),
                 QStringLiteral("1500"), QStringLiteral("wrong"), QStringLiteral("1000"),
                 QStringLiteral("wrong"), QStringLiteral("1000")});
    const bool drilled = drill.waitForFinished(startTimeoutMs) && drill.exitCode() == 0;
    QThread::msleep(500);
    endServer(recorder);
    endServer(pilot);
    endServer(tone);
    if (!drilled) {
        log << "bench: bench-answer-sounds failed: " << drill.readAllStandardError() << '\n';
        failed = true;
        return {};
    }

    QFile raw(folder.filePath(QStringLiteral("recording.raw")));
    if (!raw.open(QIODevice::ReadOnly) || !raw.seek(start / 2 * 2)) {
        failed = true;
        return {};
    }
    const QString played = folder.filePath(QStringLiteral("played.raw"));
    {
        QFile out(played);
        if (!out.open(QIODevice::WriteOnly) || out.write(raw.readAll()) < 0) {
            failed = true;
            return {};
        }
    }
    const QString wav = folder.filePath(QStringLiteral("played.wav"));
    runTool(QStringLiteral("sox"),
            {QStringLiteral("-t"), QStringLiteral("raw"), QStringLiteral("-r"),
             QString::number(recordRate), QStringLiteral("-e"), QStringLiteral("signed"),
             QStringLiteral("-b"), QStringLiteral("16"), QStringLiteral("-c"), QStringLiteral("1"),
             played, wav});
    for (const Sound& sound : sounds) {
        const QString file = options.binDir + u'/' + sound.file;
        const double fileMs =
            runTool(QStringLiteral("soxi"), {QStringLiteral("-D"), file}).trimmed().toDouble() *
            1000.0;
        // The file alone, with silence around it, through the same measurement.
        const QString alone = folder.filePath(QStringLiteral("alone.wav"));
        runTool(QStringLiteral("sox"),
                {file, QStringLiteral("-r"), QString::number(recordRate), alone,
                 QStringLiteral("pad"), QStringLiteral("0.2"), QStringLiteral("0.2")});
        const std::vector<double> own = stretches(alone, sound.band, folder.path());
        const std::vector<double> heard = stretches(wav, sound.band, folder.path());
        Row row{.measure = QStringLiteral("%1 sound %2 (%3 long), played length on the null "
                                          "sink: first play, second play")
                               .arg(sound.name, sound.file, milliseconds(fileMs)),
                .floor = QStringLiteral("-"),
                .target = QStringLiteral("the file's ± %1 ms").arg(wholeToleranceMs)};
        if (own.size() != 1 || heard.size() != 2) {
            row.figure = QStringLiteral("%1 plays heard, 2 expected").arg(heard.size());
            row.verdict = Verdict::Missed;
        } else {
            const double offset = own.front() - fileMs;
            const double first = heard[0] - offset;
            const double second = heard[1] - offset;
            row.figure = QStringLiteral("%1, %2").arg(milliseconds(first), milliseconds(second));
            row.verdict = std::abs(first - fileMs) <= wholeToleranceMs &&
                                  std::abs(second - fileMs) <= wholeToleranceMs
                              ? Verdict::Ok
                              : Verdict::Missed;
        }
        row.missedNote =
            QStringLiteral("%1: %2 (target %3)").arg(row.measure, row.figure, row.target);
        rows.push_back(row);
    }
    return rows;
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
        forgetCachedSounds(address);
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
    std::vector<Row> rows{row};
    for (Row& played : playedLengthRows(options, address, log, failed)) {
        rows.push_back(std::move(played));
    }
    rows.push_back(separator());
    return rows;
}

} // namespace minamo::bench
