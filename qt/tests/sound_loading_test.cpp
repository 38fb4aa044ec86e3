// The sounds load through the sound module once a drill starts. A module that is missing
// or unusable, or an audio system without a device, must leave the drill going, silently.
// And a program quit while its sounds are still loading must end, and cleanly: the window
// lets its loads finish first. (The sanitized test run found the sound library of an earlier
// edition hanging at exit, or leaking, when a start-up probe quit while a load was under way.)

#include "fake/qstring_printer.h"
#include "qt/qt_controls.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibraryInfo>
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

const QString builtModule = QStringLiteral(MINAMO_BIN_DIR "/") + SoundModule::fileName();

TEST(SoundLoading, APreloadIsLoadingUntilItsEndArrives) {
    QObject owner;
    SoundModule module(builtModule);
    QtSoundPlayer player(&owner, module);
    EXPECT_FALSE(player.isLoading()); // nothing asked for yet
    player.preload(QStringLiteral(MINAMO_BIN_DIR "/SD05.wav"));
    EXPECT_TRUE(player.isLoading());
    EXPECT_TRUE(loadEnds(player, 5000));

    QtSoundPlayer missing(&owner, module);
    missing.preload(QStringLiteral(MINAMO_BIN_DIR "/no-such-sound.wav"));
    EXPECT_FALSE(missing.isLoading()); // a missing file is not loaded at all
}

// Only the module of this build makes sounds; anything else in its place leaves the players
// silent, whatever they are told.
TEST(SoundLoading, OnlyTheBuiltModuleMakesSounds) {
    QTemporaryDir folder;
    const QString notALibrary = folder.filePath(QStringLiteral("text.so"));
    {
        QFile file(notALibrary);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a shared library\n");
    }
    // A real library, without the module's entry point.
    const QString otherLibrary =
        QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/libQt6Core.so.6");
    ASSERT_TRUE(QFile::exists(otherLibrary));
    const struct {
        QString path;
        bool makesSounds;
    } cases[] = {
        {builtModule, true},
        {folder.filePath(QStringLiteral("missing.so")), false},
        {notALibrary, false},
        {otherLibrary, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QObject owner;
        SoundModule module(c.path);
        EXPECT_EQ(module.createEffect(&owner) != nullptr, c.makesSounds);
        QtSoundPlayer player(&owner, module);
        player.setFileName(QStringLiteral(MINAMO_BIN_DIR "/Maru.wav"));
        for (MediaCommand command :
             {MediaCommand::Close, MediaCommand::Open, MediaCommand::Prev, MediaCommand::Play}) {
            player.command(command);
        }
        EXPECT_EQ(player.isLoading(), c.makesSounds);
        EXPECT_TRUE(loadEnds(player, 5000));
    }
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

// What the first right answer after the start printed (see tools/bench/first_answer.cpp).
struct FirstAnswer {
    bool ended = false;
    int exitCode = -1;
    QMap<QString, QString> fields;
    QString errors;
};

FirstAnswer answerFirstProblem(const QString& program, const QStringList& args) {
    QTemporaryDir runtime;
    QTemporaryDir work;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    // No audio server: the sounds have no device to play on.
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + runtime.filePath("none"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(work.path());
    process.start(program, args);
    FirstAnswer answer;
    answer.ended = process.waitForFinished(20000);
    if (!answer.ended) {
        process.kill();
        process.waitForFinished(5000);
        return answer;
    }
    answer.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        for (const QByteArray& field : line.split(' ')) {
            const auto eq = field.indexOf('=');
            if (line.startsWith("first-answer ") && eq > 0) {
                answer.fields[QString::fromLatin1(field.left(eq))] =
                    QString::fromLatin1(field.mid(eq + 1));
            }
        }
    }
    answer.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return answer;
}

// The first answer of a drill, given at once, in a program folder of its own: with the sound
// module and long sounds, quitting while they load; without the module; without an audio
// device. Each time the drill goes on to the next problem and the program ends normally.
TEST(SoundLoading, FirstAnswerGoesOnAndTheProgramEndsWhateverTheSounds) {
    QTemporaryDir withModule;
    QTemporaryDir withoutModule;
    for (const QTemporaryDir* folder : {&withModule, &withoutModule}) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(MINAMO_BIN_DIR "/bench-first-answer"),
                                folder->filePath(QStringLiteral("bench-first-answer"))));
    }
    ASSERT_TRUE(QFile::copy(builtModule, withModule.filePath(SoundModule::fileName())));
    // Sounds long enough that the quit right after the Enter comes while they still load.
    writeSilence(withModule.filePath(QStringLiteral("Maru.wav")), 60);
    writeSilence(withModule.filePath(QStringLiteral("SD05.wav")), 60);
    for (const char* file : {"Maru.wav", "SD05.wav"}) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(MINAMO_BIN_DIR "/") + QString::fromLatin1(file),
                                withoutModule.filePath(QString::fromLatin1(file))));
    }
    const struct {
        const char* name;
        const QTemporaryDir& folder;
        QStringList args;
        int runs;
    } cases[] = {
        {"quit while the sounds load", withModule, {QStringLiteral("--quit")}, 3},
        {"no audio device", withModule, {}, 1},
        {"no sound module", withoutModule, {}, 1},
    };
    for (const auto& c : cases) {
        for (int run = 0; run < c.runs; ++run) {
            SCOPED_TRACE(std::string(c.name) + ", run " + std::to_string(run));
            const FirstAnswer answer =
                answerFirstProblem(c.folder.filePath(QStringLiteral("bench-first-answer")), c.args);
            ASSERT_TRUE(answer.ended) << "the program did not end";
            EXPECT_EQ(answer.exitCode, 0) << answer.errors.toStdString();
            EXPECT_EQ(answer.fields.value(QStringLiteral("problem")), QStringLiteral("2"));
            EXPECT_EQ(answer.fields.value(QStringLiteral("right")), QStringLiteral("1"));
        }
    }
}

} // namespace
} // namespace minamo
