// The single-copy rule under faults: copies started at the same moment, and locks left
// behind by copies that died at awkward moments.

#include "fake/qstring_printer.h"
#include "system/system_services.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

namespace minamo {
namespace {

using namespace std::chrono_literals;

constexpr int raceRounds = 6;
constexpr int staleRaceRounds = 4;
constexpr auto startLimit = 10s;
// How long a copy that lost the lock may take to end, and how long the survivor must then
// keep running to count as surviving.
constexpr auto settleTime = 300ms;

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) {
            return true;
        }
        QThread::msleep(10);
    }
    return condition();
}

enum class FileSizeLimit { None, Zero };

// One copy of the real program, headless, with its lock in the test's runtime folder.
// Configured first and started separately, so that two copies can start back to back.
class Copy {
public:
    Copy(const QString& runtimeDir, const QString& workDir,
         FileSizeLimit limit = FileSizeLimit::None) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
        process_.setProcessEnvironment(env);
        process_.setWorkingDirectory(workDir);
        process_.setProgram(QStringLiteral(MINAMO_BIN_DIR "/minamo-drill"));
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.setStandardErrorFile(QProcess::nullDevice());
        if (limit == FileSizeLimit::Zero) {
            // The first byte written to any file kills the copy (SIGXFSZ), with no core.
            process_.setChildProcessModifier([] {
                const rlimit none{0, 0};
                ::setrlimit(RLIMIT_FSIZE, &none);
                ::setrlimit(RLIMIT_CORE, &none);
            });
        }
    }
    ~Copy() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    void start() { process_.start(); }
    bool started() { return process_.waitForStarted(5000); }
    // True once the copy has ended (polls the process without an event loop).
    bool ended() {
        if (process_.state() == QProcess::NotRunning) {
            return true;
        }
        return process_.waitForFinished(5);
    }
    qint64 pid() const { return pid_ ? pid_ : process_.processId(); }
    void rememberPid() { pid_ = process_.processId(); }
    QProcess& process() { return process_; }

private:
    QProcess process_;
    qint64 pid_ = 0;
};

class SingleCopyRace : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        ASSERT_TRUE(work.isValid());
        lockPath = QDir(runtime.path()).filePath(QStringLiteral("minamo-drill.lock"));
    }
    // The process id the lock file names, 0 when it names none.
    qint64 lockOwner() const {
        QLockFile probe(lockPath);
        qint64 pid = 0;
        QString host;
        QString app;
        return probe.getLockInfo(&pid, &host, &app) ? pid : 0;
    }
    std::unique_ptr<Copy> copy(FileSizeLimit limit = FileSizeLimit::None) {
        return std::make_unique<Copy>(runtime.path(), work.path(), limit);
    }
    // Backdates the lock file as if it had been left there a minute ago.
    void ageLock() {
        QFile file(lockPath);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                     QFileDevice::FileModificationTime));
    }
    // Two copies started at the same moment: exactly one ends at once, without a message
    // and with exit code 0; the other holds the lock and keeps running.
    void expectExactlyOneSurvivor() {
        Copy a(runtime.path(), work.path());
        Copy b(runtime.path(), work.path());
        a.start();
        b.start();
        ASSERT_TRUE(a.started());
        ASSERT_TRUE(b.started());
        a.rememberPid();
        b.rememberPid();

        ASSERT_TRUE(waitFor([&] { return a.ended() || b.ended(); }, startLimit))
            << "both copies kept running";
        Copy& ended = a.ended() ? a : b;
        Copy& survivor = a.ended() ? b : a;
        ASSERT_TRUE(waitFor([&] { return lockOwner() == survivor.pid(); }, startLimit))
            << "the lock names " << lockOwner() << ", the remaining copy is " << survivor.pid();
        QThread::msleep(static_cast<unsigned long>(settleTime.count()));
        EXPECT_FALSE(survivor.ended()) << "no copy survived";
        EXPECT_EQ(ended.process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(ended.process().exitCode(), 0);
        EXPECT_EQ(lockOwner(), survivor.pid());
    }

    QTemporaryDir runtime;
    QTemporaryDir work;
    QString lockPath;
};

TEST_F(SingleCopyRace, TwoCopiesStartedTogetherLeaveExactlyOne) {
    for (int round = 1; round <= raceRounds; ++round) {
        SCOPED_TRACE(round);
        expectExactlyOneSurvivor();
        if (HasFatalFailure()) {
            return;
        }
        // The survivor was killed at the end of the round; the next round starts clean.
        QFile::remove(lockPath);
    }
}

TEST_F(SingleCopyRace, TwoCopiesStartedTogetherOverALockLeftByAKilledCopy) {
    for (int round = 1; round <= staleRaceRounds; ++round) {
        SCOPED_TRACE(round);
        {
            Copy crashed(runtime.path(), work.path());
            crashed.start();
            ASSERT_TRUE(crashed.started());
            ASSERT_TRUE(
                waitFor([&] { return lockOwner() == crashed.process().processId(); }, startLimit));
            ::kill(static_cast<pid_t>(crashed.process().processId()), SIGKILL);
            ASSERT_TRUE(crashed.process().waitForFinished(5000));
        }
        ASSERT_NE(lockOwner(), 0) << "a killed copy leaves its lock behind";
        expectExactlyOneSurvivor();
        if (HasFatalFailure()) {
            return;
        }
    }
}

// A copy killed after creating its lock file but before writing its process id into it
// (here: by the file-size limit, at its first byte) leaves an empty lock that names no
// owner. The next start must not be kept out by it for ever.
TEST_F(SingleCopyRace, EmptyLockOfACopyKilledWhileWritingItDoesNotBlockTheNextStart) {
    {
        const auto killed = copy(FileSizeLimit::Zero);
        killed->start();
        ASSERT_TRUE(killed->started());
        ASSERT_TRUE(killed->process().waitForFinished(10000));
        EXPECT_EQ(killed->process().exitStatus(), QProcess::CrashExit);
    }
    ASSERT_TRUE(QFileInfo::exists(lockPath)) << "the copy died before creating its lock";
    ASSERT_EQ(QFileInfo(lockPath).size(), 0) << "the copy died after writing its lock";
    ASSERT_EQ(lockOwner(), 0);
    ageLock(); // the pupil starts the program again a little later

    const auto next = copy();
    next->start();
    ASSERT_TRUE(next->started());
    ASSERT_TRUE(waitFor([&] { return lockOwner() == next->process().processId(); }, startLimit))
        << "the next copy never took the lock over";
    QThread::msleep(static_cast<unsigned long>(settleTime.count()));
    EXPECT_FALSE(next->ended());

    // And the rule holds again: a further copy ends at once.
    const auto third = copy();
    third->start();
    ASSERT_TRUE(third->started());
    EXPECT_TRUE(third->process().waitForFinished(10000));
    EXPECT_FALSE(next->ended());
}

// A lock naming a live process that is another program (its process id was reused after
// the copy that wrote it died) is taken over.
TEST_F(SingleCopyRace, LockNamingAProcessIdReusedByAnotherProgramIsTakenOver) {
    // A lock as the program writes it, naming this test's process id (alive, and not the
    // program) with the program's name.
    const QString elsewhere = QDir(work.path()).filePath(QStringLiteral("other.lock"));
    QByteArrayList lines;
    {
        QLockFile mine(elsewhere);
        ASSERT_TRUE(mine.tryLock(0));
        QFile written(elsewhere);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        lines = written.readAll().split('\n');
    }
    ASSERT_GE(lines.size(), 3);
    lines[1] = "minamo-drill";
    QFile reused(lockPath);
    ASSERT_TRUE(reused.open(QIODevice::WriteOnly));
    reused.write(lines.join('\n'));
    reused.close();
    ASSERT_EQ(lockOwner(), QCoreApplication::applicationPid());

    const auto next = copy();
    next->start();
    ASSERT_TRUE(next->started());
    EXPECT_TRUE(waitFor([&] { return lockOwner() == next->process().processId(); }, startLimit));
    QThread::msleep(static_cast<unsigned long>(settleTime.count()));
    EXPECT_FALSE(next->ended());
}

// What must keep a second copy out, in the lock object itself.
TEST_F(SingleCopyRace, LocksOfLiveCopiesAreRespected) {
    {
        SCOPED_TRACE("an empty lock just created by a copy that is starting now");
        QFile file(lockPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        LockFileInstance second(lockPath);
        EXPECT_FALSE(second.acquire());
        EXPECT_TRUE(QFileInfo::exists(lockPath));
        QFile::remove(lockPath);
    }
    {
        SCOPED_TRACE("an old empty lock still held open and locked by a live process");
        const int fd = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
        ageLock();
        LockFileInstance second(lockPath);
        EXPECT_FALSE(second.acquire());
        EXPECT_TRUE(QFileInfo::exists(lockPath));
        ::close(fd);
        QFile::remove(lockPath);
    }
    {
        SCOPED_TRACE("an old empty lock that nobody holds");
        QFile file(lockPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        ageLock();
        LockFileInstance next(lockPath);
        EXPECT_TRUE(next.acquire());
        EXPECT_EQ(lockOwner(), QCoreApplication::applicationPid());
        LockFileInstance another(lockPath);
        EXPECT_FALSE(another.acquire());
    }
}

} // namespace
} // namespace minamo
