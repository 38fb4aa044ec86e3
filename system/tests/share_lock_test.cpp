#include "fake/qstring_printer.h"
#include "system/share_lock.h"
#include "system/system_services.h"

#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace minamo {
namespace {

const QString folder = QStringLiteral("/share/");
const QString family = folder + QStringLiteral("方程式基本.txt");
const QString claimStart = ShareLock::claimPrefixOf(QStringLiteral("方程式基本.txt"));

// sshfs answers a listing from its cache until the client itself changes the folder.
enum class Listings { Fresh, CachedUntilOwnChange };

// One folder of a share: its files with the times they were made. Every exclusive creation
// succeeds, as through smbnetfs.
struct FakeShare {
    Listings listings = Listings::Fresh;
    std::map<QString, qint64> files;
    std::set<qint64> running{1}; // the processes of process space "S"
    qint64 nowMs = 100000;
    int changes = 0;
};

// A copy on a machine with the share mounted. Before its operation number `at`, it lets
// another copy do what `meanwhile` does.
class FakeMachine : public LockPrimitives {
public:
    FakeMachine(FakeShare& share, qint64 pid, QString space)
        : share_(share), pid_(pid), space_(std::move(space)) {}
    std::function<void()> meanwhile;
    int at = -1;

    MakeResult createFile(const QString& path) override {
        step();
        share_.files[path.sliced(folder.size())] = share_.nowMs;
        changedAt_ = ++share_.changes;
        return {.made = Made::Yes};
    }
    Listing list(const QString&) const override {
        step();
        if (share_.listings == Listings::Fresh || listedAt_ < changedAt_) {
            listed_.clear();
            for (const auto& file : share_.files) {
                listed_ << file.first;
            }
            listedAt_ = share_.changes;
        }
        return {.status = FileStatus::Ok, .names = listed_};
    }
    bool removeFile(const QString& path) override {
        step();
        if (share_.files.erase(path.sliced(folder.size())) == 0) {
            return false;
        }
        changedAt_ = ++share_.changes;
        return true;
    }
    std::optional<qint64> ageMs(const QString& path) const override {
        step();
        const auto found = share_.files.find(path.sliced(folder.size()));
        return found == share_.files.end() ? std::nullopt
                                           : std::optional(share_.nowMs - found->second);
    }
    ProcessName self() const override { return {.pid = pid_, .space = space_}; }
    bool isRunning(qint64 pid) const override { return share_.running.contains(pid); }
    quint64 nonce() override { return ++nonces_; }

private:
    void step() const {
        ++share_.nowMs;
        if (steps_++ == at && meanwhile) {
            meanwhile();
        }
    }
    FakeShare& share_;
    qint64 pid_;
    QString space_;
    quint64 nonces_ = 0;
    mutable int steps_ = 0;
    int changedAt_ = 0;
    mutable int listedAt_ = -1;
    mutable QStringList listed_;
};

// Two copies on two machines, "S" and "T", take the lock, one of them making a whole
// attempt between two operations of the other's, wherever it falls, after a copy that died
// left nothing, a claim of space "S" of a process that has ended, or a claim a minute old
// from elsewhere. They never both hold it; then each gets it; nothing is left in the share.
TEST(ShareLock, ExcludesWhateverTheOtherDoesMeanwhile) {
    constexpr int operationsOfAnAttempt = 8;
    const QString leftOvers[] = {QString(), QStringLiteral("a-S-99-gone"),
                                 QStringLiteral("b-T-7-far")};
    for (const Listings listings : {Listings::Fresh, Listings::CachedUntilOwnChange}) {
        for (const QString& left : leftOvers) {
            for (int at = 0; at < 2 * operationsOfAnAttempt; ++at) {
                SCOPED_TRACE(testing::Message()
                             << int(listings) << " " << left.toStdString() << " at " << at);
                FakeShare share{.listings = listings};
                if (!left.isEmpty()) {
                    share.files[claimStart + left] = left.contains(u'T') ? 0 : share.nowMs;
                }
                FakeMachine machines[] = {{share, 1, QStringLiteral("S")},
                                          {share, 2, QStringLiteral("T")}};
                ShareLock locks[] = {{machines[0], family}, {machines[1], family}};
                const int first = at / operationsOfAnAttempt;
                machines[first].at = at % operationsOfAnAttempt;
                machines[first].meanwhile = [&] { locks[1 - first].tryLock(); };
                locks[first].tryLock();
                machines[first].meanwhile = nullptr;
                EXPECT_FALSE(locks[0].isLocked() && locks[1].isLocked());
                bool held[] = {locks[0].isLocked(), locks[1].isLocked()};
                for (int attempt = 0; attempt < 3; ++attempt) {
                    for (int i = 0; i < 2; ++i) {
                        held[i] = held[i] || locks[i].tryLock() == FileStatus::Ok;
                        locks[i].unlock();
                    }
                }
                EXPECT_TRUE(held[0] && held[1]);
                EXPECT_TRUE(share.files.empty());
            }
        }
    }
}

// A claim found in the share: whether it is taken for left over and removed, so that the
// next attempt holds the lock and, letting it go, leaves nothing behind.
TEST(ShareLock, TakesOverOnlyWhatIsLeftOver) {
    // An attempt's operations move the share's clock on by a few milliseconds.
    constexpr qint64 margin = 50;
    const struct {
        const char* what;
        QString owner; // the claim's name after its start
        qint64 ageMs;
        bool leftOver;
    } cases[] = {
        {"a live owner here", QStringLiteral("1-S-1-pc"), 0, false},
        {"a dead owner here", QStringLiteral("1-S-99-pc"), 0, true},
        {"a dead owner here, a host with dashes", QStringLiteral("1-S-99-pc-2-a"), 0, true},
        {"an owner elsewhere", QStringLiteral("1-T-99-far"), ShareLock::staleMs - margin, false},
        {"an owner elsewhere, old", QStringLiteral("1-T-1-far"), ShareLock::staleMs, true},
        {"an owner from the future", QStringLiteral("1-T-1-far"), -ShareLock::staleMs - margin,
         true},
        {"an owner named otherwise", QStringLiteral("x"), ShareLock::staleMs - margin, false},
        {"an owner named otherwise, old", QStringLiteral("x"), ShareLock::staleMs, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeShare share;
        share.files[claimStart + c.owner] = share.nowMs - c.ageMs;
        FakeMachine machine(share, 2, QStringLiteral("S"));
        ShareLock lock(machine, family);
        EXPECT_EQ(lock.tryLock(), FileStatus::LockBusy);
        EXPECT_EQ(lock.tryLock(), c.leftOver ? FileStatus::Ok : FileStatus::LockBusy);
        lock.unlock();
        EXPECT_EQ(share.files.size(), c.leftOver ? 0U : 1U);
    }
}

// --- The real file system -----------------------------------------------------------------

const QString familyName = QStringLiteral("方程式基本.txt");
constexpr int shortWaitMs = 100;

QStringList namesIn(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Copies of the earlier version take only "<file>.lock", with QLockFile: never at the same
// time as this version.
TEST(LocalFileLock, ExcludesCopiesOfTheEarlierVersion) {
    QTemporaryDir dir;
    const QString path = dir.filePath(familyName);
    LocalFileSystem files(dir.path());
    {
        const LockResult held = files.lockFile(path, shortWaitMs);
        ASSERT_TRUE(held.lock);
        QLockFile earlier(LocalFileSystem::lockPathOf(path));
        EXPECT_FALSE(earlier.tryLock(0));
        EXPECT_EQ(files.lockFile(path, shortWaitMs).status, FileStatus::LockBusy);
    }
    EXPECT_EQ(namesIn(dir), QStringList());
    QLockFile earlier(LocalFileSystem::lockPathOf(path));
    ASSERT_TRUE(earlier.tryLock(0));
    EXPECT_EQ(files.lockFile(path, shortWaitMs).status, FileStatus::LockBusy);
    earlier.unlock();
    EXPECT_EQ(namesIn(dir), QStringList());
}

// What copies that died left, a minute ago: this version's claim of a process of this
// machine that has ended; the earlier version's lock file of another machine, and its
// guards, nested. The next lock takes them over and, let go, leaves the folder empty.
TEST(LocalFileLock, ClearsWhatDeadCopiesLeft) {
    QTemporaryDir dir;
    const QString path = dir.filePath(familyName);
    const pid_t ended = ::fork();
    if (ended == 0) {
        ::_exit(0);
    }
    ASSERT_GT(ended, 0);
    ::waitpid(ended, nullptr, 0);
    const QString earlier = LocalFileSystem::lockPathOf(path);
    const QString claim =
        ShareLock::claimPrefixOf(path) +
        QStringLiteral("1-%1-%2-pc").arg(LocalLockPrimitives().self().space).arg(ended);
    constexpr time_t minute = 60;
    const time_t then = time(nullptr) - minute;
    const utimbuf aMinuteAgo{.actime = then, .modtime = then};
    for (const QString& name : {claim, earlier, earlier + QStringLiteral(".rmlock"),
                                earlier + QStringLiteral(".rmlock.rmlock")}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name == claim ? "" : "4242\nminamo-drill\nanother-machine\n");
        file.close();
        ASSERT_EQ(
            ::utime(QFile::encodeName(name).constData(), name == claim ? nullptr : &aMinuteAgo), 0);
    }
    LocalFileSystem files(dir.path());
    EXPECT_TRUE(files.lockFile(path, shortWaitMs).lock);
    EXPECT_EQ(namesIn(dir), QStringList());
}

} // namespace
} // namespace minamo
