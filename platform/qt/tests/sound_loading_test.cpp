// A program quit while its sounds are still loading must end, and cleanly: Qt Multimedia 6.4
// hangs at exit (and leaks the sample) when a load is under way, so the program lets its
// loads finish first. The sanitized test run found it: a start-up probe that quits at once
// now and then leaked, or never ended. With long sounds the leak shows at every run of the
// sanitized build.

#include "platform/fake/qstring_printer.h"
#include "platform/qt/qt_controls.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace minamo {
namespace {

bool loadEnds(const QtSoundPlayer& player, int milliseconds) {
    QElapsedTimer waited;
    waited.start();
    while (player.isLoading() && waited.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(1);
    }
    return !player.isLoading();
}

TEST(SoundLoading, APreloadIsLoadingUntilItsEndArrives) {
    QObject owner;
    QtSoundPlayer player(&owner);
    EXPECT_FALSE(player.isLoading()); // nothing asked for yet
    player.preload(QStringLiteral(MINAMO_BIN_DIR "/SD05.wav"));
    EXPECT_TRUE(loadEnds(player, 5000));

    QtSoundPlayer missing(&owner);
    missing.preload(QStringLiteral(MINAMO_BIN_DIR "/no-such-sound.wav"));
    EXPECT_FALSE(missing.isLoading()); // a missing file is not loaded at all
}

// A PCM WAV file of silence: 16-bit stereo at 44.1 kHz.
void writeSilence(const QString& path, int seconds) {
    const quint32 rate = 44100, channels = 2, bytesPerSample = 2;
    const quint32 dataBytes = rate * channels * bytesPerSample * static_cast<quint32>(seconds);
    QByteArray header;
    const auto put32 = [&header](quint32 v) {
        for (int i = 0; i < 4; ++i) {
            header.append(static_cast<char>(v >> (8 * i) & 0xff));
        }
    };
    const auto put16 = [&header](quint32 v) {
        header.append(static_cast<char>(v & 0xff));
        header.append(static_cast<char>(v >> 8 & 0xff));
    };
    header.append("RIFF");
    put32(36 + dataBytes);
    header.append("WAVEfmt ");
    put32(16);
    put16(1); // PCM
    put16(channels);
    put32(rate);
    put32(rate * channels * bytesPerSample);
    put16(channels * bytesPerSample);
    put16(8 * bytesPerSample);
    header.append("data");
    put32(dataBytes);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(header);
    file.write(QByteArray(static_cast<qsizetype>(dataBytes), '\0'));
}

TEST(SoundLoading, ProgramQuitWhileItsSoundsLoadEnds) {
    // The program in a folder of its own, with sounds long enough that the start-up probe's
    // quit, moments after the preload has begun, comes while they are still loading.
    QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("minamo-drill"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(MINAMO_BIN_DIR "/minamo-drill"), program));
    writeSilence(folder.filePath(QStringLiteral("Maru.wav")), 60);
    writeSilence(folder.filePath(QStringLiteral("SD05.wav")), 60);
    for (int run = 0; run < 3; ++run) {
        QTemporaryDir runtime;
        QTemporaryDir work;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("MINAMO_STARTUP_PROBE"), QStringLiteral("quit"));
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(work.path());
        process.start(program, {});
        ASSERT_TRUE(process.waitForStarted(10000));
        const bool ended = process.waitForFinished(20000);
        if (!ended) {
            process.kill();
            process.waitForFinished(5000);
        }
        ASSERT_TRUE(ended) << "run " << run << ": the program did not end";
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "run " << run;
        EXPECT_EQ(process.exitCode(), 0)
            << "run " << run << ": " << process.readAllStandardError().toStdString();
    }
}

} // namespace
} // namespace minamo
