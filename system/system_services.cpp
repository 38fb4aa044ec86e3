#include "system/system_services.h"

#include "platform/file_errors.h"
#include "platform/leftover_files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTime>
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace minamo {

LocalFileSystem::LocalFileSystem(QString programFolder)
    : programFolder_(std::move(programFolder)) {}

QString LocalFileSystem::currentDirectory() const {
    return QDir::currentPath();
}

bool LocalFileSystem::exists(const QString& path) const {
    return QFileInfo::exists(path);
}

namespace {

class OpenFile {
public:
    explicit OpenFile(int fd) : fd(fd) {}
    ~OpenFile() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    const int fd;
};

constexpr qsizetype readChunk = 64 * 1024;

void removeLeftOverTemporaries(const QString& path) {
    const QFileInfo target(path);
    const QString name = target.fileName();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QFileInfoList candidates = target.absoluteDir().entryInfoList(
        {name + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& file : candidates) {
        if (isSaveFileLeftOver(file.fileName(), name) && file.isFile() && !file.isSymLink() &&
            file.lastModified().toUTC().secsTo(now) >= leftOverAgeSeconds) {
            QFile::remove(file.filePath());
        }
    }
}

} // namespace

ReadResult LocalFileSystem::readFile(const QString& path) const {
    // Opened without blocking, so that a pipe standing in the file's place cannot hang the
    // program; only a plain file is read.
    const OpenFile file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.fd < 0) {
        return {.status = statusOfError(errno, FileStatus::ReadFailed)};
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) {
        return {.status = statusOfError(errno, FileStatus::ReadFailed)};
    }
    if (!S_ISREG(info.st_mode)) {
        return {.status = FileStatus::NotAFile};
    }
    ReadResult result{.status = FileStatus::Ok};
    for (;;) {
        const qsizetype had = result.bytes.size();
        result.bytes.resize(had + readChunk);
        const ssize_t got = ::read(file.fd, result.bytes.data() + had, readChunk);
        result.bytes.resize(had + std::max<qsizetype>(got, 0));
        if (got == 0) {
            return result;
        }
        if (got < 0 && errno != EINTR) {
            return {.status = statusOfError(errno, FileStatus::ReadFailed)};
        }
    }
}

FileStatus LocalFileSystem::writeFileWhole(const QString& path, const QByteArray& bytes) {
    if (QFileInfo(path).isDir()) {
        return FileStatus::NotAFile;
    }
    removeLeftOverTemporaries(path);
    return saveWhole(path, [&](QIODevice& file) { return file.write(bytes) == bytes.size(); });
}

SystemClock::SystemClock() {
    monotonic_.start();
}

double SystemClock::secondsSinceMidnight() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

QDate SystemClock::today() const {
    return QDate::currentDate();
}

double SystemClock::monotonicSeconds() const {
    return monotonic_.nsecsElapsed() / 1e9;
}

SeededRandom::SeededRandom(std::uint64_t seed) : engine_(seed) {}

std::uint64_t SeededRandom::seedFromClock() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32),
                      static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch())};
    std::uint64_t seed = 0;
    std::array<std::uint32_t, 2> words{};
    seq.generate(words.begin(), words.end());
    seed = (static_cast<std::uint64_t>(words[0]) << 32) | words[1];
    return seed;
}

double SeededRandom::next() {
    // 53 random bits give every double in [0, 1) on an even grid.
    return static_cast<double>(engine_() >> 11) * (1.0 / 9007199254740992.0);
}

namespace {

// A copy killed (or a machine switched off) between creating its lock file and writing its
// process id into it leaves an empty lock that names no owner, which QLockFile never takes
// over: no copy could start again. A live copy names itself within microseconds of
// creating the file, so an ownerless lock older than this is left over.
constexpr qint64 ownerlessLockAgeMs = 1000;

bool isLeftOverOwnerlessLock(const QLockFile& lock, const QString& path) {
    qint64 pid = 0;
    QString host;
    QString app;
    if (lock.getLockInfo(&pid, &host, &app)) {
        return false; // names an owner: QLockFile itself decides whether it is stale
    }
    const QDateTime modified = QFileInfo(path).lastModified();
    return modified.isValid() &&
           std::abs(modified.msecsTo(QDateTime::currentDateTime())) >= ownerlessLockAgeMs;
}

// One attempt at a lock that may have been left over by a copy killed before it named
// itself. Under the guard QLockFile takes before removing a stale lock, so that of two
// copies trying together only one takes over; the removal itself fails while any process
// still holds the file locked.
bool tryLockOrTakeOver(QLockFile& lock, const QString& path) {
    if (lock.tryLock(0)) {
        return true;
    }
    if (lock.error() != QLockFile::LockFailedError || !isLeftOverOwnerlessLock(lock, path)) {
        return false;
    }
    QLockFile removing(path + QStringLiteral(".rmlock"));
    if (!removing.tryLock(0) || !isLeftOverOwnerlessLock(lock, path) ||
        !lock.removeStaleLockFile()) {
        return false;
    }
    return lock.tryLock(0);
}

// A family file is locked only while it is read and rewritten, for milliseconds. A lock this
// old was left by a copy that died, also one on another machine of a shared folder, whose
// process QLockFile cannot look up.
constexpr int fileLockStaleMs = 10000;
constexpr int fileLockRetryMs = 20;

class HeldFileLock : public FileLock {
public:
    explicit HeldFileLock(const QString& path) : lock(path) {}
    QLockFile lock;
};

} // namespace

QString LocalFileSystem::lockPathOf(const QString& path) {
    return path + QStringLiteral(".lock");
}

LockResult LocalFileSystem::lockFile(const QString& path, int timeoutMs) {
    const QString lockPath = lockPathOf(path);
    auto held = std::make_unique<HeldFileLock>(lockPath);
    held->lock.setStaleLockTime(fileLockStaleMs);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (tryLockOrTakeOver(held->lock, lockPath)) {
            return {.lock = std::move(held)};
        }
        // Only another copy's lock is worth waiting for; a folder that cannot hold the lock
        // file (read-only, missing) will not change in a few seconds.
        const int error = errno;
        // sshfs answers the exclusive creation of a lock file that is there with EPERM, not
        // EEXIST: a lock file that is there is another copy's, also then.
        if (held->lock.error() != QLockFile::LockFailedError && !QFileInfo::exists(lockPath)) {
            if (held->lock.error() == QLockFile::PermissionError) {
                return {.status = FileStatus::NoPermission};
            }
            // QLockFile says no more; the failed call's errno does (a full disk, a folder
            // that has gone).
            return {.status = statusOfError(error, FileStatus::LockUnavailable)};
        }
        if (waited.elapsed() >= timeoutMs) {
            return {.status = FileStatus::LockBusy};
        }
        QThread::msleep(fileLockRetryMs);
    }
}

LockFileInstance::LockFileInstance(QString path) : path_(std::move(path)) {}

LockFileInstance::~LockFileInstance() = default;

QString LockFileInstance::defaultPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return QDir(folder).filePath(QStringLiteral("minamo-drill.lock"));
}

bool LockFileInstance::acquire() {
    if (lock_ && lock_->isLocked()) {
        return true;
    }
    lock_ = std::make_unique<QLockFile>(path_);
    // Held for the whole run, so age never makes it stale; only a dead owner does.
    lock_->setStaleLockTime(0);
    return tryLockOrTakeOver(*lock_, path_);
}

} // namespace minamo
