#include "fake/qstring_printer.h"
#include "system/system_services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace minamo {
namespace {

// Starts the real program headless, with its lock in a runtime folder of the test's own.
struct ProgramRun {
    explicit ProgramRun(const QString& runtimeDir, const QString& workDir) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(workDir);
        process.setProgram(QStringLiteral(MINAMO_BIN_DIR "/minamo-drill"));
        process.start();
    }
    ~ProgramRun() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    QProcess process;
};

bool waitFor(const std::function<bool()>& condition, int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 20) {
        if (condition()) {
            return true;
        }
        QThread::msleep(20);
    }
    return condition();
}

class SingleCopy : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        ASSERT_TRUE(work.isValid());
        lockPath = QDir(runtime.path()).filePath(QStringLiteral("minamo-drill.lock"));
    }
    bool locked() const { return QFileInfo::exists(lockPath); }
    // The lock names its owner once the copy has written its process id into it.
    bool lockNamesOwner() const {
        QFile file(lockPath);
        return file.open(QIODevice::ReadOnly) && file.readLine().trimmed().toLongLong() > 0;
    }

    QTemporaryDir runtime;
    QTemporaryDir work;
    QString lockPath;
};

TEST_F(SingleCopy, SecondCopyEndsAtOnceSilentlyAndLeavesTheFirstRunning) {
    ProgramRun first(runtime.path(), work.path());
    ASSERT_TRUE(first.process.waitForStarted(5000));
    ASSERT_TRUE(waitFor([&] { return locked(); }, 10000)) << "the first copy never took the lock";

    ProgramRun second(runtime.path(), work.path());
    ASSERT_TRUE(second.process.waitForFinished(10000)) << "the second copy kept running";
    EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process.exitCode(), 0);

    QThread::msleep(300);
    EXPECT_EQ(first.process.state(), QProcess::Running);
    EXPECT_TRUE(locked());
    // Nothing was written into the working folder by either copy.
    EXPECT_TRUE(QDir(work.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(SingleCopy, LockLeftByAKilledCopyDoesNotBlockTheNextStart) {
    {
        ProgramRun crashed(runtime.path(), work.path());
        ASSERT_TRUE(crashed.process.waitForStarted(5000));
        ASSERT_TRUE(waitFor([&] { return lockNamesOwner(); }, 10000));
        ::kill(static_cast<pid_t>(crashed.process.processId()), SIGKILL);
        ASSERT_TRUE(crashed.process.waitForFinished(5000));
    }
    ASSERT_TRUE(locked()) << "a killed copy leaves its lock file behind";

    ProgramRun next(runtime.path(), work.path());
    ASSERT_TRUE(next.process.waitForStarted(5000));
    EXPECT_FALSE(next.process.waitForFinished(1500)) << "the next copy ended at once";
    EXPECT_EQ(next.process.state(), QProcess::Running);
}

TEST_F(SingleCopy, LockObjectRefusesALockHeldByALiveCopy) {
    LockFileInstance first(lockPath);
    ASSERT_TRUE(first.acquire());
    LockFileInstance second(lockPath);
    EXPECT_FALSE(second.acquire());
}

} // namespace
} // namespace minamo
