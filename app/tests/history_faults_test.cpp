// History files under faults, each through a whole drill (menu, answers, the end) on the
// fake window with the family file in a real folder. For every fault: the drill runs to its
// end, the pupil is told calmly when the result could not be saved, and no record that was
// in the file before is lost or changed.

#include "drivers/folder_window.h"
#include "fake/qstring_printer.h"
#include "history/history_file.h"
#include "platform/file_errors.h"
#include "system/share_lock.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>
#include <random>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace minamo {
namespace {

const QString closingText =
    QStringLiteral("おつかれさまでした。伸びていこう、少しでいいから。消すをおして終わろう");
const QString notSavedTitle = QStringLiteral("記録できません");
// The fake clock's day, as the header and a record write it.
const QString todayHeader = QStringLiteral("2026/12/09");
const QString todayRecord = QStringLiteral("261209");

// Shift_JIS both ways, written here rather than taken from the code under test.
QByteArray sjis(const QString& text) {
    QStringEncoder encoder("Shift_JIS");
    const QByteArray bytes = encoder.encode(text);
    EXPECT_FALSE(encoder.hasError());
    return bytes;
}
std::optional<QString> fromSjis(const QByteArray& bytes) {
    QStringDecoder decoder("Shift_JIS", QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.contains(QChar(u'\0'))) {
        return std::nullopt;
    }
    return text;
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// n records of the family, oldest first, with positive scores (a 0 would end the chart).
QStringList records(int n) {
    QStringList lines;
    for (int i = 1; i <= n; ++i) {
        lines << QStringLiteral("%1,%2#方程式基本%3.txt")
                     .arg(i % 30 + 1)
                     .arg(QDate(2001, 1, 1).addDays(i).toString(QStringLiteral("yyMMdd")))
                     .arg(i % 3 == 0 ? 1 : 3);
    }
    return lines;
}
QByteArray familyFileOf(const QStringList& lines) {
    return sjis(QStringLiteral("2026/01/03\r\n") + lines.join(QStringLiteral("\r\n")) +
                QStringLiteral("\r\n"));
}
// The family file after the standard drill recorded its result over these records.
QString rewrittenText(const QStringList& oldLines) {
    QString text = todayHeader + QStringLiteral("\r\n");
    for (const QString& line : oldLines) {
        text += line + QStringLiteral("\r\n");
    }
    return text + QStringLiteral("%1,%2#%3\r\n")
                      .arg(standardDrillScore)
                      .arg(todayRecord, standardDrillRecordName);
}
QByteArray rewritten(const QStringList& oldLines) {
    return sjis(rewrittenText(oldLines));
}

// A folder of the pupil's, with the family file's path.
struct Folder {
    Folder() { EXPECT_TRUE(dir.isValid()); }
    QString path() const { return dir.path(); }
    QString family() const { return dir.path() + u'/' + standardFamilyFile; }
    QTemporaryDir dir;
};

// The chart of the drill's end: one outlined bar for each past record drawn, and the new
// bar, filled, in the place after them.
void expectChart(FolderWindow& w, int pastBars) {
    int outlined = 0;
    std::optional<DrawOp> filled;
    for (const DrawOp& op : w.fake.picture1.drawing()) {
        if (op.kind == DrawOp::Kind::Box) {
            if (op.fill == BoxFill::Solid) {
                EXPECT_FALSE(filled.has_value()) << "two new bars";
                filled = op;
            } else {
                ++outlined;
            }
        }
    }
    EXPECT_EQ(outlined, pastBars);
    ASSERT_TRUE(filled.has_value());
    EXPECT_EQ(filled->x, 5 * pastBars + 18);
    EXPECT_EQ(filled->y, standardDrillScore + 40);
}

// The drill ended as usual: the chart, the close button and the closing message, last.
void expectEnded(FolderWindow& w) {
    EXPECT_EQ(w.s().drillFinished, 1);
    EXPECT_TRUE(w.fake.picture1.isVisible());
    EXPECT_FALSE(w.fake.picture2.isVisible());
    EXPECT_TRUE(w.fake.command2.isVisible());
    ASSERT_FALSE(w.fake.messageBox.shown.empty());
    EXPECT_EQ(w.fake.messageBox.shown.back().text, closingText);
}
void expectSaved(FolderWindow& w) {
    expectEnded(w);
    EXPECT_EQ(w.fake.messageBox.shown.size(), 1u);
}
enum class Kept { Yes, No };
// The calm notice, naming the file, before the closing message; the drill knows why.
void expectNotSaved(FolderWindow& w, const QString& path, Kept kept, FileStatus why) {
    expectEnded(w);
    EXPECT_EQ(w.s().historyStatus, why) << fileStatusText(w.s().historyStatus);
    ASSERT_EQ(w.fake.messageBox.shown.size(), 2u);
    EXPECT_EQ(w.fake.messageBox.shown[0].title, notSavedTitle);
    QString text = QStringLiteral("今回の結果を記録できませんでした。\n理由: ") + reasonOf(why) +
                   QStringLiteral("。\n記録ファイル: ") + path;
    if (kept == Kept::Yes) {
        text += QStringLiteral("\nファイルはそのまま残してあります。");
    }
    EXPECT_EQ(w.fake.messageBox.shown[0].text, text);
}

// The standard drill in a folder, from the menu to the end.
void drillIn(FolderWindow& w) {
    ASSERT_TRUE(w.loaded);
    startStandardDrill(w);
    ASSERT_EQ(w.s().drillRunning, 1);
    runOutTheClock(w);
}

// The pupil starts the program again in the same folder: the next drill reads every old
// record and saves its own after them.
void expectNextDrillSavesAfter(const Folder& folder, const QStringList& oldLines) {
    FolderWindow again(folder.path());
    drillIn(again);
    expectSaved(again);
    EXPECT_EQ(readBytes(folder.family()), rewritten(oldLines));
}

// ---- Killed while writing -------------------------------------------------------------

// The helper program in a child process, its output on a pipe.
class Child {
public:
    Child(const QString& folder, const std::vector<QByteArray>& args) {
        const QByteArray program(MINAMO_BIN_DIR "/history-writer-child");
        const QByteArray where = QFile::encodeName(folder);
        std::vector<char*> argv{const_cast<char*>(program.constData())};
        for (const QByteArray& arg : args) {
            argv.push_back(const_cast<char*>(arg.constData()));
        }
        argv.push_back(nullptr);
        int ends[2];
        int input[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            return;
        }
        if (::pipe2(input, O_CLOEXEC) != 0) {
            ::close(ends[0]);
            ::close(ends[1]);
            return;
        }
        pid_ = ::fork();
        if (pid_ < 0) {
            for (const int fd : {ends[0], ends[1], input[0], input[1]}) {
                ::close(fd);
            }
            return;
        }
        if (pid_ == 0) {
            ::dup2(ends[1], STDOUT_FILENO);
            ::dup2(input[0], STDIN_FILENO);
            if (::chdir(where.constData()) == 0) {
                ::execv(argv[0], argv.data());
            }
            ::_exit(127);
        }
        ::close(ends[1]);
        ::close(input[0]);
        out_ = ends[0];
        in_ = input[1];
    }
    ~Child() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        for (const int fd : {out_, in_}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    // One line on the child's standard input.
    bool send(const char* line) {
        const auto length = static_cast<ssize_t>(std::strlen(line));
        return ::write(in_, line, static_cast<std::size_t>(length)) == length;
    }
    bool started() const { return pid_ > 0 && out_ >= 0; }
    // The first line the child prints, or what it printed before ending or going quiet.
    QByteArray firstLine(std::chrono::milliseconds limit) {
        QByteArray line;
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!line.endsWith('\n')) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd ready{out_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
                break;
            }
            char c = 0;
            if (::read(out_, &c, 1) != 1) {
                break;
            }
            line += c;
        }
        return line.trimmed();
    }
    // Kills the child and returns the signal that ended it (0 if it ended otherwise).
    int kill() {
        ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    int in_ = -1;
};

enum class KillPoint { AtRename, MidWrite };

// Files beside the family file when the killed writer's temporary file is a minute old, and
// whether the next write removes them: only the writer's own kind of name, old enough.
enum class Entry { PlainFile, Directory, Link };
const struct {
    const char* name;
    int ageSeconds;
    Entry kind;
    bool removed;
} besideTheFamilyFile[] = {
    {"方程式基本.txt.eezkQm", 120, Entry::PlainFile, true},
    {"方程式基本.txt.yOUNGs", 10, Entry::PlainFile, false},
    {"方程式基本.txt.abc123", 120, Entry::PlainFile, false},
    {"方程式基本.txt.Abcdefg", 120, Entry::PlainFile, false},
    {"方程式基本.txt.bak", 120, Entry::PlainFile, false},
    {"方程式基本.txt.backup", 120, Entry::PlainFile, false},
    {"方程式基本.txt.BACKUP", 120, Entry::PlainFile, false},
    {"方程式基本.txt.Backup", 120, Entry::PlainFile, false},
    {"方程式標準.txt.qWerTy", 120, Entry::PlainFile, false},
    {"方程式基本.txt.fOLder", 120, Entry::Directory, false},
    {"方程式基本.txt.liNKed", 120, Entry::Link, false},
};

void setAge(const QString& path, int seconds) {
    const timespec when{::time(nullptr) - seconds, 0};
    const timespec times[2] = {when, when};
    ASSERT_EQ(
        ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
}

// The writer's own temporary files, the neighbours above left out.
QStringList temporariesOf(const Folder& folder) {
    QStringList names = QDir(folder.path())
                            .entryList({standardFamilyFile + QStringLiteral(".??????")},
                                       QDir::Files | QDir::Hidden);
    for (const auto& b : besideTheFamilyFile) {
        names.removeAll(QString::fromUtf8(b.name));
    }
    return names;
}

// The killed writer's temporary file made a minute old, with its neighbours. Its random
// letters may happen to spell a name in one case, which is kept as a person's; it is given
// a name of both cases, as nearly all its draws are.
void ageLeftOverTemporaries(const Folder& folder) {
    const QStringList left = temporariesOf(folder);
    ASSERT_EQ(left.size(), 1);
    const QString leftOver = folder.path() + u'/' + standardFamilyFile + QStringLiteral(".kiLLed");
    ASSERT_TRUE(QFile::rename(folder.path() + u'/' + left.front(), leftOver));
    setAge(leftOver, 61);
    const QString elsewhere = folder.path() + QStringLiteral("/elsewhere");
    writeBytes(elsewhere, "kept");
    for (const auto& b : besideTheFamilyFile) {
        const QString path = folder.path() + u'/' + QString::fromUtf8(b.name);
        switch (b.kind) {
        case Entry::PlainFile:
            writeBytes(path, "kept");
            break;
        case Entry::Directory:
            ASSERT_TRUE(QDir().mkdir(path));
            break;
        case Entry::Link:
            ASSERT_TRUE(QFile::link(elsewhere, path));
            break;
        }
        setAge(path, b.ageSeconds);
    }
    setAge(elsewhere, 120);
}

void expectOnlyLeftOverTemporariesRemoved(const Folder& folder) {
    EXPECT_TRUE(temporariesOf(folder).isEmpty()) << temporariesOf(folder).join(u' ').toStdString();
    for (const auto& b : besideTheFamilyFile) {
        const QFileInfo info(folder.path() + u'/' + QString::fromUtf8(b.name));
        EXPECT_EQ(!info.exists() && !info.isSymLink(), b.removed) << b.name;
    }
    EXPECT_EQ(readBytes(folder.path() + QStringLiteral("/elsewhere")), QByteArray("kept"));
}

void killTheWriter(KillPoint point) {
    Folder folder;
    const QStringList old = records(30);
    const QByteArray oldBytes = familyFileOf(old);
    writeBytes(folder.family(), oldBytes);

    // Mid-write: the new file may hold one byte more than the old one, then the write stops.
    const QByteArray limit = QByteArray::number(oldBytes.size() + 1);
    Child child(folder.path(), point == KillPoint::AtRename
                                   ? std::vector<QByteArray>{"at-rename"}
                                   : std::vector<QByteArray>{"full-write", limit});
    ASSERT_TRUE(child.started());
    const QByteArray said = child.firstLine(std::chrono::seconds(20));
    if (said == "unsupported") {
        GTEST_SKIP() << "the rename cannot be trapped on this system";
    }
    ASSERT_EQ(said, QByteArray("stopped")) << "the writer was not stopped inside the write";

    // Stopped inside the write: the family file is still the old one.
    EXPECT_EQ(readBytes(folder.family()), oldBytes);
    if (point == KillPoint::AtRename) {
        // The temporary file beside it holds the whole new file: the child is stopped
        // exactly between writing it and renaming it into place.
        QStringList temporaries =
            QDir(folder.path())
                .entryList({standardFamilyFile + QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
        temporaries.removeAll(standardFamilyFile + QStringLiteral(".lock"));
        temporaries.removeIf([](const QString& name) {
            return name.startsWith(ShareLock::claimPrefixOf(standardFamilyFile));
        });
        ASSERT_EQ(temporaries.size(), 1) << temporaries.join(u' ').toStdString();
        EXPECT_EQ(readBytes(folder.path() + u'/' + temporaries.front()), rewritten(old));
    }

    EXPECT_EQ(child.kill(), SIGKILL);
    EXPECT_EQ(readBytes(folder.family()), oldBytes) << "the family file is not the old one";
    if (point == KillPoint::AtRename) {
        ageLeftOverTemporaries(folder);
    }
    // Only the killed drill's own result is missing.
    expectNextDrillSavesAfter(folder, old);
    if (point == KillPoint::AtRename) {
        expectOnlyLeftOverTemporariesRemoved(folder);
    }
}

TEST(HistoryKilledWhileWriting, BetweenTheTemporaryFileAndTheRename) {
    killTheWriter(KillPoint::AtRename);
}

TEST(HistoryKilledWhileWriting, InTheMiddleOfWritingTheTemporaryFile) {
    killTheWriter(KillPoint::MidWrite);
}

// ---- Two copies sharing a folder ----------------------------------------------------------

// Two copies of the program in one folder that the single-copy lock cannot see (a school's
// network share, two accounts): each loads the family file at its drill's start, and the
// one that ends second must not write back only what it loaded.
TEST(HistorySharedFolder, TwoCopiesEndingADrillKeepEveryRecord) {
    struct Case {
        int firstToEnd; // 0: copy A, 1: copy B
        std::chrono::milliseconds apart;
    };
    const Case cases[] = {{0, std::chrono::milliseconds(0)},
                          {1, std::chrono::milliseconds(0)},
                          {0, std::chrono::milliseconds(3)},
                          {1, std::chrono::milliseconds(3)},
                          {0, std::chrono::milliseconds(30)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "first " << c.firstToEnd << ", apart " << c.apart.count() << " ms");
        Folder folder;
        const QStringList old = records(8);
        writeBytes(folder.family(), familyFileOf(old));
        // Copy A scores 3, copy B 4.
        Child a(folder.path(), {"end-on-input", "1"});
        Child b(folder.path(), {"end-on-input", "2"});
        ASSERT_TRUE(a.started() && b.started());
        ASSERT_EQ(a.firstLine(std::chrono::seconds(20)), QByteArray("ready"));
        ASSERT_EQ(b.firstLine(std::chrono::seconds(20)), QByteArray("ready"));

        Child& first = c.firstToEnd == 0 ? a : b;
        Child& second = c.firstToEnd == 0 ? b : a;
        ASSERT_TRUE(first.send("end\n"));
        std::this_thread::sleep_for(c.apart);
        ASSERT_TRUE(second.send("end\n"));
        EXPECT_EQ(first.firstLine(std::chrono::seconds(20)), QByteArray("saved"));
        EXPECT_EQ(second.firstLine(std::chrono::seconds(20)), QByteArray("saved"));

        const std::optional<QString> text = fromSjis(readBytes(folder.family()));
        ASSERT_TRUE(text.has_value());
        QStringList lines = text->split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), 1 + 8 + 2 + 1) << text->toStdString(); // header, old, new, ""
        EXPECT_EQ(lines.mid(1, 8), old);
        const QString recordA = QStringLiteral("3,%1#%2").arg(todayRecord, standardDrillRecordName);
        const QString recordB = QStringLiteral("4,%1#%2").arg(todayRecord, standardDrillRecordName);
        const QStringList both = lines.mid(9, 2);
        EXPECT_TRUE(both.contains(recordA) && both.contains(recordB)) << text->toStdString();
        if (c.apart.count() >= 30) {
            EXPECT_EQ(both.front(), c.firstToEnd == 0 ? recordA : recordB);
        }
        // The lock file goes with the write.
        EXPECT_FALSE(QFileInfo::exists(folder.family() + QStringLiteral(".lock")));
    }
}

// A lock that a live copy holds is waited for, a few seconds, and then the pupil is told; a
// lock left by a copy that died is taken over.
TEST(HistorySharedFolder, ALockHeldOrLeftOver) {
    for (const bool holderAlive : {true, false}) {
        SCOPED_TRACE(holderAlive ? "held by a live copy" : "left by a dead copy");
        Folder folder;
        const QStringList old = records(4);
        writeBytes(folder.family(), familyFileOf(old));
        const QString lockPath = folder.family() + QStringLiteral(".lock");
        QLockFile held(lockPath);
        if (holderAlive) {
            ASSERT_TRUE(held.tryLock(0));
        } else {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                QLockFile left(lockPath);
                ::_exit(left.tryLock(0) ? 0 : 1); // no unlock: the lock file stays
            }
            int status = 0;
            ::waitpid(child, &status, 0);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        FolderWindow w(folder.path());
        drillIn(w);
        if (holderAlive) {
            expectNotSaved(w, folder.family(), Kept::Yes, FileStatus::LockBusy);
            EXPECT_EQ(readBytes(folder.family()), familyFileOf(old));
        } else {
            expectSaved(w);
            EXPECT_EQ(readBytes(folder.family()), rewritten(old));
        }
    }
}

// ---- A full disk --------------------------------------------------------------------------

// A small tmpfs at a folder for the test's length, when the test runs as root and may mount.
class SmallTmpfs {
public:
    explicit SmallTmpfs(const QString& where) : where_(QFile::encodeName(where)) {
        if (::geteuid() != 0) {
            why_ = "mounting needs root";
            return;
        }
        QDir().mkpath(where);
        if (::mount("tmpfs", where_.constData(), "tmpfs", MS_NOSUID | MS_NODEV, options) != 0) {
            why_ = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~SmallTmpfs() {
        if (mounted_) {
            ::umount2(where_.constData(), MNT_DETACH);
        }
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;
    bool mounted() const { return mounted_; }
    const std::string& whyNot() const { return why_; }
    bool remountReadOnly() {
        return ::mount("tmpfs", where_.constData(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, options) == 0;
    }

private:
    static constexpr const char* options = "size=256k,mode=0755";
    QByteArray where_;
    bool mounted_ = false;
    std::string why_;
};

// Writes zeros into a new file until the file system refuses: true when it is full.
bool fillUp(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        return false;
    }
    static const char zeros[4096] = {};
    while (::write(fd, zeros, sizeof zeros) > 0) {
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

// The file system's refusal as the window sees it: the write fails, the old file stays.
TEST(HistoryFullDisk, InjectedWriteError) {
    Folder folder;
    const QStringList old = records(12);
    writeBytes(folder.family(), familyFileOf(old));
    {
        FolderWindow w(folder.path());
        ASSERT_TRUE(w.loaded);
        startStandardDrill(w);
        w.files.failWrites = true;
        runOutTheClock(w);
        EXPECT_EQ(w.files.writeAttempts, 1);
        expectNotSaved(w, folder.family(), Kept::Yes, FileStatus::NoSpace);
        expectChart(w, 12);
    }
    EXPECT_EQ(readBytes(folder.family()), familyFileOf(old));
    expectNextDrillSavesAfter(folder, old);
}

TEST(HistoryFullDisk, SmallTmpfsFilledUp) {
    Folder outer;
    SmallTmpfs disk(outer.path() + QStringLiteral("/disk"));
    if (!disk.mounted()) {
        GTEST_SKIP() << disk.whyNot();
    }
    const QString where = outer.path() + QStringLiteral("/disk");
    const QString family = where + u'/' + standardFamilyFile;
    const QStringList old = records(40);
    writeBytes(family, familyFileOf(old));
    const QString filler = where + QStringLiteral("/filler");
    ASSERT_TRUE(fillUp(filler));
    {
        FolderWindow w(where);
        drillIn(w);
        expectNotSaved(w, family, Kept::Yes, FileStatus::NoSpace);
        expectChart(w, 35);
    }
    EXPECT_EQ(readBytes(family), familyFileOf(old));
    EXPECT_EQ(QDir(where).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({QStringLiteral("filler"), standardFamilyFile}))
        << "a half-written file was left behind";

    // With room again, the next drill saves after every old record.
    ASSERT_TRUE(QFile::remove(filler));
    FolderWindow again(where);
    drillIn(again);
    expectSaved(again);
    EXPECT_EQ(readBytes(family), rewritten(old));
}

// The process's file-size limit stops the write part of the way, as a disk filling up
// would; this runs without root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN); // the write fails rather than kills
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        set_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool set() const { return set_; }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
    bool set_ = false;
};

TEST(HistoryFullDisk, WriteStoppedPartWay) {
    // A small file goes out in one piece when the save is committed, a large one as it is
    // written: both ways must notice the short write.
    for (const int count : {200, 10000}) {
        SCOPED_TRACE(count);
        Folder folder;
        const QStringList old = records(count);
        const QByteArray oldBytes = familyFileOf(old);
        writeBytes(folder.family(), oldBytes);
        {
            FolderWindow w(folder.path());
            ASSERT_TRUE(w.loaded);
            startStandardDrill(w);
            {
                FileSizeLimit limit(static_cast<rlim_t>(oldBytes.size()));
                ASSERT_TRUE(limit.set());
                runOutTheClock(w);
            }
            expectNotSaved(w, folder.family(), Kept::Yes, FileStatus::WriteFailed);
            expectChart(w, 35);
        }
        EXPECT_EQ(readBytes(folder.family()), oldBytes);
        expectNextDrillSavesAfter(folder, old);
    }
}

// ---- A read-only folder -------------------------------------------------------------------

// Root writes into any folder whatever its permissions, so a folder without write
// permission means something only to other users; as root a read-only mount stands in, and
// the injected refusal runs everywhere.
enum class ReadOnlyKind { Injected, Permissions, ReadOnlyMount };

struct ReadOnlyFolder {
    explicit ReadOnlyFolder(ReadOnlyKind kind) : kind(kind) {
        where = kind == ReadOnlyKind::ReadOnlyMount ? outer.path() + QStringLiteral("/ro")
                                                    : outer.path();
        if (kind == ReadOnlyKind::ReadOnlyMount) {
            disk.emplace(where);
        }
    }
    ~ReadOnlyFolder() { ::chmod(QFile::encodeName(where).constData(), 0755); }
    bool available() const {
        switch (kind) {
        case ReadOnlyKind::Injected:
            return true;
        case ReadOnlyKind::Permissions:
            return ::geteuid() != 0;
        case ReadOnlyKind::ReadOnlyMount:
            return disk->mounted();
        }
        return false;
    }
    // Makes the folder read-only once its files are in place.
    void protect(FolderWindow* w) {
        switch (kind) {
        case ReadOnlyKind::Injected:
            if (w) {
                w->files.failWrites = true;
            }
            break;
        case ReadOnlyKind::Permissions:
            ASSERT_EQ(::chmod(QFile::encodeName(where).constData(), 0555), 0);
            break;
        case ReadOnlyKind::ReadOnlyMount:
            ASSERT_TRUE(disk->remountReadOnly());
            break;
        }
    }
    QString family() const { return where + u'/' + standardFamilyFile; }

    ReadOnlyKind kind;
    Folder outer;
    QString where;
    std::optional<SmallTmpfs> disk;
};

TEST(HistoryReadOnlyFolder, DrillGoesOnAndTheFileStaysAsItWas) {
    const struct {
        const char* name;
        ReadOnlyKind kind;
    } kinds[] = {
        {"injected refusal", ReadOnlyKind::Injected},
        {"folder without write permission", ReadOnlyKind::Permissions},
        {"read-only mount", ReadOnlyKind::ReadOnlyMount},
    };
    int real = 0;
    for (const auto& k : kinds) {
        for (const bool withFile : {true, false}) {
            SCOPED_TRACE(std::string(k.name) + (withFile ? ", family file there" : ", no file"));
            ReadOnlyFolder folder(k.kind);
            if (!folder.available()) {
                continue;
            }
            real += k.kind != ReadOnlyKind::Injected ? 1 : 0;
            const QStringList old = records(5);
            if (withFile) {
                writeBytes(folder.family(), familyFileOf(old));
            }
            FolderWindow w(folder.where);
            ASSERT_TRUE(w.loaded);
            folder.protect(&w);
            startStandardDrill(w);
            EXPECT_EQ(w.s().drillRunning, 1);
            EXPECT_EQ(w.s().clockPaused, 0);
            runOutTheClock(w);

            // The injected refusal stands for a full disk.
            expectNotSaved(w, folder.family(), withFile ? Kept::Yes : Kept::No,
                           k.kind == ReadOnlyKind::Injected ? FileStatus::NoSpace
                                                            : FileStatus::NoPermission);
            expectChart(w, withFile ? 5 : 0);
            if (withFile) {
                EXPECT_EQ(readBytes(folder.family()), familyFileOf(old));
            } else {
                EXPECT_FALSE(QFileInfo::exists(folder.family()));
            }
            EXPECT_TRUE(QDir(folder.where)
                            .entryList(QDir::Files | QDir::Hidden)
                            .filter(QStringLiteral(".txt."))
                            .isEmpty());
        }
    }
    // One real read-only folder at least, wherever the test runs with the means for one.
    if (::geteuid() != 0) {
        EXPECT_GT(real, 0);
    }
    RecordProperty("realReadOnlyFolders", real);
}

// ---- Odd family files ---------------------------------------------------------------------

TEST(HistoryOddFiles, FamilyFileThatIsADirectoryIsLeftAlone) {
    Folder folder;
    ASSERT_TRUE(QDir().mkpath(folder.family()));
    const QString inside = folder.family() + QStringLiteral("/メモ.txt");
    writeBytes(inside, "kept");

    FolderWindow w(folder.path());
    drillIn(w);
    EXPECT_EQ(w.files.writeAttempts, 0);
    expectNotSaved(w, folder.family(), Kept::Yes, FileStatus::NotAFile);
    expectChart(w, 0);
    EXPECT_TRUE(QFileInfo(folder.family()).isDir());
    EXPECT_EQ(QDir(folder.family()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("メモ.txt")});
    EXPECT_EQ(readBytes(inside), QByteArray("kept"));
}

TEST(HistoryOddFiles, TenThousandRecordsAreKeptWholeAndTheChartIsStillDrawn) {
    Folder folder;
    const QStringList old = records(10000);
    writeBytes(folder.family(), familyFileOf(old));

    FolderWindow w(folder.path());
    drillIn(w);
    expectSaved(w);
    // The chart shows the first forty; the new bar stands at 41, past the visible range.
    expectChart(w, 35);
    EXPECT_EQ(w.s().historyCount, maxLoadedRecords);
    const QByteArray after = readBytes(folder.family());
    EXPECT_EQ(after, rewritten(old));
    EXPECT_EQ(after.count("\r\n"), 10002);
}

// Bytes that are not Shift_JIS text: the file cannot be read, so it is never written.
TEST(HistoryOddFiles, BytesThatAreNotShiftJisAreNeverOverwritten) {
    std::mt19937 random(20261209);
    QByteArray noise(4096, '\0');
    for (char& c : noise) {
        c = static_cast<char>(random() & 0xff);
    }
    QByteArray noiseWithoutNul = noise;
    noiseWithoutNul.replace('\0', '\x01');
    const QByteArray head = familyFileOf(records(3));
    const QByteArray tail = sjis(QStringLiteral("9,260105#方程式基本1.txt\r\n"));
    const auto recordNamed = [&](const QByteArray& name) {
        return head + "4,260104#" + name + "\r\n" + tail;
    };
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"random bytes", noise},
        {"random bytes without a NUL", noiseWithoutNul},
        {"a lead byte before the line end", recordNamed("\x95\xfb\x92")},
        {"a lead byte before a blank", recordNamed("\x95\x20x")},
        {"a trail byte out of range", recordNamed("\x81\x7f")},
        {"an unassigned double-byte code", recordNamed("\x85\x40")},
        {"bytes that never start a character", recordNamed("\x80\xa0\xfd\xfe\xff")},
        {"a lead byte cut off at the end of the file", head + "4,260104#\x95"},
        {"a NUL inside a record", recordNamed(QByteArray("a\0b", 3))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(fromSjis(c.bytes).has_value()) << "the case is valid Shift_JIS text";
        Folder folder;
        writeBytes(folder.family(), c.bytes);

        FolderWindow w(folder.path());
        drillIn(w);
        EXPECT_EQ(w.s().historyCount, 0);
        EXPECT_EQ(w.files.writeAttempts, 0);
        expectNotSaved(w, folder.family(), Kept::Yes, FileStatus::NotShiftJis);
        expectChart(w, 0);
        EXPECT_EQ(readBytes(folder.family()), c.bytes);
    }
}

// Files that are unusual but readable: every record is written back, as the same text.
TEST(HistoryOddFiles, ReadableOddFilesKeepEveryRecord) {
    const QStringList two{QStringLiteral("12,260101#方程式基本3.txt"),
                          QStringLiteral("5,260102#方程式基本1.txt")};
    const auto joined = [&](const char* end, bool finalEnd) {
        return sjis(QStringLiteral("2026/01/03") + QString::fromLatin1(end) +
                    two.join(QString::fromLatin1(end)) +
                    (finalEnd ? QString::fromLatin1(end) : QString()));
    };
    // Characters Shift_JIS writers differ on: an NEC-selected IBM extension (纊, ED 40),
    // half-width katakana and a user-defined character.
    const QByteArray rare = QByteArray("2026/01/03\r\n7,260101#\xed\x40\xb1\xb2\xf0\x40.txt\r\n");
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList oldLines;
        int pastBars;
    } cases[] = {
        {"CR-only line ends", joined("\r", true), two, 2},
        {"LF-only line ends", joined("\n", true), two, 2},
        {"LF-only without a final line end", joined("\n", false), two, 2},
        {"CR-only without a final line end", joined("\r", false), two, 2},
        {"a header only", QByteArray("2026/01/03\r\n"), {}, 0},
        {"a header without its line end", QByteArray("2026/01/03"), {}, 0},
        {"an empty file", QByteArray(), {}, 0},
        {"rare Shift_JIS characters", rare, {fromSjis(rare).value().split(u'\n')[1].chopped(1)}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Folder folder;
        writeBytes(folder.family(), c.bytes);

        FolderWindow w(folder.path());
        drillIn(w);
        expectSaved(w);
        expectChart(w, c.pastBars);
        const std::optional<QString> after = fromSjis(readBytes(folder.family()));
        ASSERT_TRUE(after.has_value());
        EXPECT_EQ(*after, rewrittenText(c.oldLines));
    }
}

} // namespace
} // namespace minamo
