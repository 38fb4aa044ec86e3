// The start-up probe the benchmarks time the program with: silent unless asked for, and
// when asked, a report whose times are in order. No timings are checked here.

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Started {
    Started(const QString& program, const QByteArray& probe, const QStringList& args = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        if (probe.isEmpty()) {
            env.remove(QStringLiteral("MINAMO_STARTUP_PROBE"));
        } else {
            env.insert(QStringLiteral("MINAMO_STARTUP_PROBE"), QString::fromLatin1(probe));
        }
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(work.path());
        process.start(QStringLiteral(MINAMO_BIN_DIR "/") + program, args);
    }
    // What the program printed up to its first line end (at most 30 s).
    QByteArray firstLine() {
        QByteArray output;
        for (int i = 0; i < 300 && !output.contains('\n'); ++i) {
            process.waitForReadyRead(100);
            output += process.readAllStandardOutput();
        }
        return output;
    }
    ~Started() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    QTemporaryDir runtime;
    QTemporaryDir work;
    QProcess process;
};

// The fields of the report line, or nothing when there is none.
QMap<QString, QString> report(const QByteArray& output) {
    QMap<QString, QString> fields;
    for (const QByteArray& line : output.split('\n')) {
        if (!line.startsWith("startup-probe ")) {
            continue;
        }
        for (const QByteArray& field : line.mid(14).split(' ')) {
            const auto eq = field.indexOf('=');
            if (eq > 0) {
                fields[QString::fromLatin1(field.left(eq))] =
                    QString::fromLatin1(field.mid(eq + 1));
            }
        }
    }
    return fields;
}

qint64 ns(const QMap<QString, QString>& fields, const QString& key) {
    bool ok = false;
    const qint64 value = fields.value(key).toLongLong(&ok);
    return ok ? value : -2;
}

TEST(StartupProbe, ProgramWithoutTheVariablePrintsNothingAndKeepsRunning) {
    Started run(QStringLiteral("minamo-drill"), {});
    ASSERT_TRUE(run.process.waitForStarted(10000));
    EXPECT_FALSE(run.process.waitForFinished(2000)) << "the program ended by itself";
    EXPECT_TRUE(run.process.readAllStandardOutput().isEmpty());
}

TEST(StartupProbe, ProgramReportsItsFirstPaintAndQuits) {
    Started run(QStringLiteral("minamo-drill"), "quit");
    ASSERT_TRUE(run.process.waitForFinished(30000)) << "the probe did not quit the program";
    EXPECT_EQ(run.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.process.exitCode(), 0);
    const auto fields = report(run.process.readAllStandardOutput());
    ASSERT_FALSE(fields.isEmpty()) << "no report line";
    const qint64 main = ns(fields, QStringLiteral("main-ns"));
    const qint64 paint = ns(fields, QStringLiteral("first-paint-end-ns"));
    EXPECT_GT(main, 0);
    EXPECT_GT(paint, main);
    // Qt's own libraries at least.
    EXPECT_GT(fields.value(QStringLiteral("libraries")).toInt(), 10);
    EXPECT_EQ(fields.value(QStringLiteral("platform")), QStringLiteral("offscreen"));
    const QStringList size = fields.value(QStringLiteral("size")).split(u'x');
    ASSERT_EQ(size.size(), 2);
    // The client area at 96 dpi, with the menu bar above it.
    EXPECT_EQ(size[0].toInt(), 693);
    EXPECT_GT(size[1].toInt(), 484);
}

TEST(StartupProbe, StayKeepsTheProgramRunningAfterItsReport) {
    Started run(QStringLiteral("minamo-drill"), "stay");
    ASSERT_TRUE(run.process.waitForStarted(10000));
    const QByteArray output = run.firstLine();
    EXPECT_FALSE(report(output).isEmpty());
    EXPECT_FALSE(run.process.waitForFinished(1000)) << "the program ended after its report";
}

// Sounds are loaded when a drill starts: the idle window has mapped neither the sound module
// nor libcanberra, and has not connected to an audio server.
TEST(StartupProbe, IdleProgramHasNotLoadedItsSoundStack) {
    Started run(QStringLiteral("minamo-drill"), "stay");
    ASSERT_TRUE(run.process.waitForStarted(10000));
    const QByteArray output = run.firstLine();
    ASSERT_FALSE(report(output).isEmpty());
    // Long enough for work queued behind the first paint to have run.
    run.process.waitForFinished(1000);
    QFile maps(QStringLiteral("/proc/%1/maps").arg(run.process.processId()));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    EXPECT_TRUE(mapped.contains("libQt6Widgets")) << "not the program's map";
    EXPECT_FALSE(mapped.contains("libminamo-sound"));
    EXPECT_FALSE(mapped.contains("libcanberra"));
    EXPECT_FALSE(mapped.contains("libpulse"));
}

TEST(StartupProbe, FloorWindowHasTheGivenSize) {
    Started run(QStringLiteral("bench-floor-window"), "quit", {QStringLiteral("640x500")});
    ASSERT_TRUE(run.process.waitForFinished(30000));
    EXPECT_EQ(run.process.exitCode(), 0);
    const auto fields = report(run.process.readAllStandardOutput());
    ASSERT_FALSE(fields.isEmpty());
    EXPECT_GT(ns(fields, QStringLiteral("first-paint-end-ns")),
              ns(fields, QStringLiteral("main-ns")));
    EXPECT_EQ(fields.value(QStringLiteral("size")), QStringLiteral("640x500"));
}

} // namespace
