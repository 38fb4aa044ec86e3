#include "system/share_lock.h"

#include <QUrl>
#include <cstdlib>

namespace minamo {

namespace {

constexpr int nonceDigits = 16;
constexpr int hexBase = 16;

struct Owner {
    QString space;
    qint64 pid = 0;
};

// "<nonce>-<space>-<pid>-<host>" after the prefix; the host may hold dashes of its own.
std::optional<Owner> ownerOf(const QString& fields) {
    bool isNumber = false;
    const Owner owner{.space = fields.section(u'-', 1, 1),
                      .pid = fields.section(u'-', 2, 2).toLongLong(&isNumber)};
    if (!isNumber || owner.space.isEmpty()) {
        return std::nullopt;
    }
    return owner;
}

} // namespace

ShareLock::ShareLock(LockPrimitives& primitives, const QString& path)
    : primitives_(primitives), folder_(path.left(path.lastIndexOf(u'/') + 1)),
      prefix_(claimPrefixOf(path.sliced(folder_.size()))) {}

ShareLock::~ShareLock() {
    unlock();
}

QString ShareLock::claimPrefixOf(const QString& path) {
    return path + QStringLiteral(".lock-");
}

QString ShareLock::pathOf(const QString& name) const {
    return folder_ + name;
}

FileStatus ShareLock::tryLock() {
    if (isLocked()) {
        return FileStatus::Ok;
    }
    const ProcessName self = primitives_.self();
    const QString claim =
        prefix_ + QString::number(primitives_.nonce(), hexBase).rightJustified(nonceDigits, u'0') +
        u'-' + self.space + u'-' + QString::number(self.pid) + u'-' +
        QString::fromLatin1(QUrl::toPercentEncoding(self.host));
    const MakeResult made = primitives_.createFile(pathOf(claim));
    if (made.made != Made::Yes) {
        // AlreadyThere: a name drawn twice, someone else's claim.
        return made.made == Made::Failed ? made.status : FileStatus::LockBusy;
    }
    // Listed after the claim was made: of two claims made at once, the later listing sees
    // both, and a client's cached listing (sshfs) is dropped by its own change.
    const Listing inside = primitives_.list(folder_.isEmpty() ? QStringLiteral(".") : folder_);
    QStringList others;
    for (const QString& name : inside.names) {
        if (name.startsWith(prefix_) && name != claim) {
            others << name;
        }
    }
    if (inside.status == FileStatus::Ok && others.isEmpty()) {
        claim_ = claim;
        return FileStatus::Ok;
    }
    // Stepping back; what copies that died claimed is cleared for a later attempt.
    primitives_.removeFile(pathOf(claim));
    for (const QString& other : others) {
        if (isStale(other)) {
            primitives_.removeFile(pathOf(other));
        }
    }
    return inside.status == FileStatus::Ok ? FileStatus::LockBusy : FileStatus::LockUnavailable;
}

void ShareLock::unlock() {
    if (isLocked()) {
        primitives_.removeFile(pathOf(claim_));
        claim_.clear();
    }
}

bool ShareLock::isStale(const QString& claim) const {
    const std::optional<qint64> age = primitives_.ageMs(pathOf(claim));
    if (!age) {
        return false; // gone meanwhile
    }
    if (std::abs(*age) >= staleMs) {
        return true;
    }
    const std::optional<Owner> owner = ownerOf(claim.sliced(prefix_.size()));
    return owner && owner->space == primitives_.self().space && !primitives_.isRunning(owner->pid);
}

} // namespace minamo
