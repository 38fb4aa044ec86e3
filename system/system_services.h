#pragma once

// The real file system, clock, random source and single-copy lock. They need QtCore
// only, so the drill logic and its tools can use them without a window.

#include "platform/platform.h"
#include "system/share_lock.h"

#include <QElapsedTimer>
#include <memory>
#include <random>

class QLockFile;

namespace minamo {

class LocalFileSystem : public FileSystem {
public:
    explicit LocalFileSystem(QString programFolder);
    QString currentDirectory() const override;
    QString programFolder() const override { return programFolder_; }
    bool exists(const QString& path) const override;
    ReadResult readFile(const QString& path) const override;
    FileStatus writeFileWhole(const QString& path, const QByteArray& bytes) override;
    // The file's ShareLock, and with it the lock file that the earlier version took, which
    // copies of that version still take.
    LockResult lockFile(const QString& path, int timeoutMs) override;
    // The earlier version's lock file of a file.
    static QString lockPathOf(const QString& path);

private:
    QString programFolder_;
};

// The real file system and machine under ShareLock.
class LocalLockPrimitives : public LockPrimitives {
public:
    MakeResult createFile(const QString& path) override;
    Listing list(const QString& folder) const override;
    bool removeFile(const QString& path) override;
    std::optional<qint64> ageMs(const QString& path) const override;
    ProcessName self() const override;
    bool isRunning(qint64 pid) const override;
    quint64 nonce() override;
};

class SystemClock : public Clock {
public:
    SystemClock();
    double secondsSinceMidnight() const override;
    QDate today() const override;
    double monotonicSeconds() const override;

private:
    QElapsedTimer monotonic_;
};

// One generator, seeded once from the clock: re-seeding at every draw from a clock that
// has not moved would repeat the same number.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed);
    static std::uint64_t seedFromClock();
    double next() override;

private:
    std::mt19937_64 engine_;
};

// A lock file in the user's runtime folder (or the temporary folder). A lock left by a
// copy that crashed is recognised by its process id and taken over; so is an empty lock
// (a copy killed before it wrote its id) once it is a second old and no process holds it.
class LockFileInstance : public InstanceLock {
public:
    explicit LockFileInstance(QString path = defaultPath());
    ~LockFileInstance() override;
    static QString defaultPath();
    bool acquire() override;

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace minamo
