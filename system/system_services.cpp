#include "system/system_services.h"

#include "platform/file_errors.h"
#include "platform/leftover_files.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QSysInfo>
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
#include <signal.h>
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

// A family file is locked only while it is read and rewritten, for milliseconds: an earlier
// version's lock file this old was left by a copy that died (ShareLock::staleMs likewise).
constexpr qint64 fileLockStaleMs = 10000;
constexpr int fileLockRetryMs = 20;
// The earlier version's QLockFile holds its guard for microseconds, and takes one this old
// for left over.
constexpr qint64 guardStaleMs = 30000;
// An SMB server refuses to remove a file that is still open (EBUSY), and smbnetfs closes a
// file on the server a moment after the program has closed it.
constexpr int removeTries = 20;
constexpr int removeRetryMs = 5;

bool isProcessGone(qint64 pid) {
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

bool removeFileNow(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    for (int attempt = 1;; ++attempt) {
        if (::unlink(name.constData()) == 0) {
            return true;
        }
        if (errno != EBUSY || attempt == removeTries) {
            return false;
        }
        QThread::msleep(removeRetryMs);
    }
}

// What the earlier version's QLockFile writes in its lock file and reads back to decide
// whether the owner lives: process id, program name (its file's), host name.
QByteArray earlierLockContents() {
    QString program = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    program.remove(QStringLiteral(" (deleted)"));
    return QByteArray::number(::getpid()) + '\n' + QFileInfo(program).fileName().toUtf8() + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n';
}

// Created or not, as the earlier version's copies create their lock and guard files.
FileStatus createEarlierLockFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        // sshfs answers the exclusive creation of a file that is there with EPERM, not EEXIST.
        return error == EEXIST || QFileInfo::exists(path)
                   ? FileStatus::LockBusy
                   : statusOfError(error, FileStatus::LockUnavailable);
    }
    const QByteArray contents = earlierLockContents();
    const bool written = ::write(fd, contents.constData(),
                                 static_cast<std::size_t>(contents.size())) == contents.size();
    const int error = errno;
    ::close(fd);
    if (!written) {
        removeFileNow(path);
        return statusOfError(error, FileStatus::LockUnavailable);
    }
    return FileStatus::Ok;
}

// Left over by the earlier version's rules: by a process of this machine that is gone, or
// older than a lock is ever held; or naming no owner a second after it was made. One that
// cannot be read has gone (sshfs may still say it is there).
bool isLeftOverEarlierLock(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    const QDateTime modified = QFileInfo(path).lastModified();
    if (!modified.isValid()) {
        return false;
    }
    const qint64 age = std::abs(modified.msecsTo(QDateTime::currentDateTime()));
    bool named = false;
    const qint64 pid = lines.value(0).toLongLong(&named);
    if (!named) {
        return age >= ownerlessLockAgeMs;
    }
    const bool here = QString::fromUtf8(lines.value(2)) == QSysInfo::machineHostName();
    return age >= fileLockStaleMs || (here && isProcessGone(pid));
}

// Where exclusive creation is not exclusive (smbnetfs), the earlier version's copies left
// nests of guard files behind, ".lock.rmlock.rmlock", that no one removes.
void removeLeftOverGuards(const QString& lockPath) {
    const QFileInfo lock(lockPath);
    const QDateTime now = QDateTime::currentDateTime();
    const QFileInfoList guards = lock.absoluteDir().entryInfoList(
        {lock.fileName() + QStringLiteral(".rmlock*")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& guard : guards) {
        if (std::abs(guard.lastModified().msecsTo(now)) >= guardStaleMs) {
            removeFileNow(guard.filePath());
        }
    }
}

// The earlier version's lock file, taken while this version's lock is held, so that only
// copies of the earlier version contend for it. It is written as theirs and closed at once:
// their QLockFile kept it open, so that removing it right after closing it failed on an SMB
// share now and then, and removing a stale one, which it opened first, failed there always;
// the lock file stayed, for ten seconds or for good.
FileStatus tryEarlierLock(const QString& path) {
    const FileStatus created = createEarlierLockFile(path);
    if (created != FileStatus::LockBusy || !isLeftOverEarlierLock(path)) {
        return created;
    }
    // Under the earlier version's guard, so that none of its copies removes a lock file that
    // another has just made anew.
    const QString guard = path + QStringLiteral(".rmlock");
    if (createEarlierLockFile(guard) == FileStatus::Ok) {
        if (isLeftOverEarlierLock(path)) {
            removeFileNow(path);
        }
        removeFileNow(guard);
    }
    return createEarlierLockFile(path);
}

class HeldFileLock : public FileLock {
public:
    explicit HeldFileLock(const QString& path)
        : shared(primitives, path), earlier(LocalFileSystem::lockPathOf(path)) {}
    ~HeldFileLock() override {
        if (holdsEarlier) {
            removeFileNow(earlier);
        }
    }
    LocalLockPrimitives primitives;
    ShareLock shared;
    const QString earlier;
    bool holdsEarlier = false;
};

} // namespace

MakeResult LocalLockPrimitives::createFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) {
        ::close(fd);
        return {.made = Made::Yes};
    }
    const int error = errno;
    if (error == EEXIST) {
        return {.made = Made::AlreadyThere};
    }
    return {.made = Made::Failed, .status = statusOfError(error, FileStatus::LockUnavailable)};
}

Listing LocalLockPrimitives::list(const QString& folder) const {
    const QDir dir(folder);
    if (!dir.exists()) {
        return {.status = FileStatus::Missing};
    }
    return {.status = FileStatus::Ok,
            .names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                   QDir::NoDotAndDotDot)};
}

bool LocalLockPrimitives::removeFile(const QString& path) {
    return removeFileNow(path);
}

std::optional<qint64> LocalLockPrimitives::ageMs(const QString& path) const {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return std::nullopt;
    }
    constexpr qint64 msPerSecond = 1000;
    constexpr qint64 nsPerMs = 1000000;
    const qint64 modifiedMs =
        static_cast<qint64>(info.st_mtim.tv_sec) * msPerSecond + info.st_mtim.tv_nsec / nsPerMs;
    return QDateTime::currentMSecsSinceEpoch() - modifiedMs;
}

ProcessName LocalLockPrimitives::self() const {
    // One boot of one machine, and the process-id namespace within it: there a process id
    // names one process.
    static const QString space = [] {
        QByteArray facts = QSysInfo::bootUniqueId();
        if (facts.isEmpty()) {
            facts = QSysInfo::machineHostName().toUtf8();
        }
        struct stat pids {};
        if (::stat("/proc/self/ns/pid", &pids) == 0) {
            facts += '/' + QByteArray::number(static_cast<quint64>(pids.st_ino));
        }
        constexpr int spaceDigits = 16;
        return QString::fromLatin1(
            QCryptographicHash::hash(facts, QCryptographicHash::Sha1).toHex().left(spaceDigits));
    }();
    return {.pid = ::getpid(), .space = space, .host = QSysInfo::machineHostName()};
}

bool LocalLockPrimitives::isRunning(qint64 pid) const {
    return pid > 0 && !isProcessGone(pid);
}

quint64 LocalLockPrimitives::nonce() {
    return QRandomGenerator::system()->generate64();
}

QString LocalFileSystem::lockPathOf(const QString& path) {
    return path + QStringLiteral(".lock");
}

LockResult LocalFileSystem::lockFile(const QString& path, int timeoutMs) {
    auto held = std::make_unique<HeldFileLock>(path);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const bool hadShared = held->shared.isLocked();
        FileStatus status = held->shared.tryLock();
        if (status == FileStatus::Ok) {
            if (!hadShared) {
                removeLeftOverGuards(held->earlier);
            }
            status = tryEarlierLock(held->earlier);
            held->holdsEarlier = status == FileStatus::Ok;
        }
        if (status == FileStatus::Ok) {
            return {.lock = std::move(held)};
        }
        // Only another copy's lock is worth waiting for; a folder that cannot hold a lock
        // (read-only, missing) will not change in a few seconds.
        if (status != FileStatus::LockBusy) {
            return {.status = status};
        }
        if (waited.elapsed() >= timeoutMs) {
            return {.status = FileStatus::LockBusy};
        }
        // Two copies that met once would meet again at a fixed pace.
        QThread::msleep(fileLockRetryMs + QRandomGenerator::global()->bounded(fileLockRetryMs));
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
