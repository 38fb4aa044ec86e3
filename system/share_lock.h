#pragma once

// The lock under which a family file is read and rewritten, among every copy of the program
// that uses its folder, also from other machines through a network share.
//
// No file name is ever created by two copies: a share can let two machines both create the
// same new file exclusively (smbnetfs), and a client that has seen a name can go on saying it
// is there long after it has gone (sshfs, for 20 s). Each attempt creates a claim of its own
// beside the file, "<file>.lock-<nonce>-<process space>-<pid>-<host>", and then lists the
// folder: the claim holds the lock when no other claim is there; otherwise it is removed
// and the attempt fails. Of two claims made at the same time the later listing sees both,
// so two copies never hold the lock together; a listing made after the client's own change
// to the folder comes from the server, also where the client caches listings (sshfs).
//
// A claim whose owner died is removed by its own name, so that of several waiters one
// removes it, and never a newer claim: one of a process of this process space that has
// ended, or one older than a lock is ever held.

#include "platform/platform.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace minamo {

enum class Made { Yes, AlreadyThere, Failed };

struct MakeResult {
    Made made = Made::Failed;
    FileStatus status = FileStatus::Ok; // why, when Failed
};

struct Listing {
    FileStatus status = FileStatus::Missing;
    QStringList names;
};

// Tells one running process from every other that can reach the same share.
struct ProcessName {
    qint64 pid = 0;
    // The same for two processes exactly when each can see the other's process id: one
    // machine, one boot, one process-id namespace.
    QString space;
    QString host; // for a person reading the folder
};

// What the lock needs of the file system and of the machine it runs on.
class LockPrimitives {
public:
    virtual ~LockPrimitives() = default;
    // An empty file; exclusive or not, as the file system makes it.
    virtual MakeResult createFile(const QString& path) = 0;
    virtual Listing list(const QString& folder) const = 0;
    virtual bool removeFile(const QString& path) = 0;
    // Milliseconds since the path last changed, by this machine's clock; nothing when it is
    // not there.
    virtual std::optional<qint64> ageMs(const QString& path) const = 0;
    virtual ProcessName self() const = 0;
    // Whether a process of this process space is running.
    virtual bool isRunning(qint64 pid) const = 0;
    virtual quint64 nonce() = 0;
};

class ShareLock {
public:
    // The lock of the file at path.
    ShareLock(LockPrimitives& primitives, const QString& path);
    ~ShareLock();
    ShareLock(const ShareLock&) = delete;
    ShareLock& operator=(const ShareLock&) = delete;

    // One attempt, without waiting: Ok when held now; LockBusy when another copy claims it
    // (claims left by copies that died are removed, for a later attempt); otherwise why no
    // claim can be made in the folder.
    FileStatus tryLock();
    void unlock();
    bool isLocked() const { return !claim_.isEmpty(); }

    // The start of every claim's name on the file at path.
    static QString claimPrefixOf(const QString& path);

    // A lock is held for milliseconds: one this old was left by a copy that died, also on
    // another machine, whose process cannot be looked up.
    static constexpr qint64 staleMs = 10000;

private:
    QString pathOf(const QString& name) const;
    bool isStale(const QString& claim) const;

    LockPrimitives& primitives_;
    const QString folder_;
    const QString prefix_;
    QString claim_;
};

} // namespace minamo
