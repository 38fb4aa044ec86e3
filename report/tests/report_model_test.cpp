// The figures of a report, from family files in real folders.

#include "catalogue/catalogue.h"
#include "fake/qstring_printer.h"
#include "system/system_services.h"
#include "report/report_model.h"
#include "report/report_page.h"
#include "report/tests/sample_folder.h"

#include <QDate>
#include <QFileInfo>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace minamo {
namespace {

using test::familyBytes;
using test::SampleFolder;

const QDate madeOn(2026, 12, 9);
const QString basic = QStringLiteral("方程式基本.txt");

HistoryReport reportOf(const QString& folder) {
    const LocalFileSystem files{QString()};
    return buildReport(files, folder, madeOn);
}

const FamilyReport& familyNamed(const HistoryReport& report, const QString& fileName) {
    for (const FamilyReport& family : report.families) {
        if (family.fileName == fileName) {
            return family;
        }
    }
    ADD_FAILURE() << "no family " << fileName.toStdString();
    return report.families.front();
}

QStringList manyRecords() {
    QStringList lines;
    for (int i = 1; i <= 150; ++i) {
        lines << QStringLiteral("%1,%2#方程式基本1.txt")
                     .arg(i * 7 % 31)
                     .arg(QDate(2025, 1, 1).addDays(i).toString(QStringLiteral("yyMMdd")));
    }
    return lines;
}

struct ExpectedSet {
    QString recordName;
    int drills;
    QString firstDate;
    QString latestDate;
    int bestScore;
    int latestScore;
};

struct FiguresCase {
    const char* what;
    QStringList lines;
    std::vector<ExpectedSet> sets;
    QStringList oddLines;
    bool withHeader = true;
};

TEST(ReportFigures, PerSetFromAFamilyFile) {
    const std::vector<FiguresCase> cases{
        {"more than 100 records of one set",
         manyRecords(),
         {{"方程式基本1.txt", 150, "250102", "250531", 30, 27}}},
        {"negative scores only",
         {"-3,260101#方程式基本2.txt", "-7,260102#方程式基本2.txt", "-1,260103#方程式基本2.txt"},
         {{"方程式基本2.txt", 3, "260101", "260103", -1, -1}}},
        {"a record of score 0 is the latest",
         {"5,260101#方程式基本1.txt", "0,260102#方程式基本1.txt"},
         {{"方程式基本1.txt", 2, "260101", "260102", 5, 0}}},
        {"sets interleaved, a record without a name, a line without \",\"",
         {"12,260101#方程式基本2.txt", "8,260102#方程式基本1.txt", "メモ", "9,260103",
          "15,260104#方程式基本1.txt"},
         {{"方程式基本1.txt", 2, "260102", "260104", 15, 15},
          {"方程式基本2.txt", 1, "260101", "260101", 12, 12},
          {"", 1, "260103", "260103", 9, 9}},
         {"メモ"}},
        {"odd texts are kept as the drill reads them",
         {"abc,x<y#<b>&\"'", "3 点,260105##方程式基本3.txt"},
         {{"<b>&\"'", 1, "x<y", "x<y", 0, 0}, {"方程式基本3.txt", 1, "260105", "260105", 3, 3}}},
        {"only the date line", {}, {}},
        {"no date line: the first line is a record",
         {"4,260101#方程式基本1.txt"},
         {{"方程式基本1.txt", 1, "260101", "260101", 4, 4}},
         {},
         false},
    };
    for (const FiguresCase& c : cases) {
        SCOPED_TRACE(c.what);
        SampleFolder folder;
        if (c.withHeader) {
            folder.write(basic, familyBytes(c.lines));
        } else {
            folder.write(basic, test::sjis(c.lines.join(QStringLiteral("\r\n"))));
        }
        const HistoryReport report = reportOf(folder.path());
        const FamilyReport& family = familyNamed(report, basic);
        EXPECT_EQ(family.state, FamilyState::Read);
        ASSERT_EQ(family.sets.size(), c.sets.size());
        for (std::size_t i = 0; i < c.sets.size(); ++i) {
            const SetReport& got = family.sets[i];
            const ExpectedSet& want = c.sets[i];
            EXPECT_EQ(got.recordName, want.recordName);
            EXPECT_EQ(got.drills, want.drills);
            EXPECT_EQ(static_cast<int>(got.records.size()), want.drills);
            EXPECT_EQ(got.firstDate, want.firstDate);
            EXPECT_EQ(got.latestDate, want.latestDate);
            EXPECT_EQ(got.bestScore, want.bestScore);
            EXPECT_EQ(got.latestScore, want.latestScore);
        }
        EXPECT_EQ(family.oddLines, c.oddLines);
        EXPECT_EQ(familySentence(family).isEmpty(), !c.sets.empty());
    }
}

TEST(ReportFigures, OverviewPutsTheLowestLatestScoreFirst) {
    SampleFolder folder;
    folder.write(basic, familyBytes({"20,260101#方程式基本1.txt", "3,260102#方程式基本1.txt",
                                     "9,260103#方程式基本2.txt"}));
    folder.write(QStringLiteral("方程式難.txt"),
                 familyBytes({"-2,260104#方程式難1.txt", "9,260105#方程式難2.txt",
                              "0,260106#方程式難3.txt"}));
    const HistoryReport report = reportOf(folder.path());
    QStringList order;
    for (const SetReport* set : overviewOrder(report)) {
        order << setTitle(set->recordName);
    }
    // Equal latest scores keep the page's order (families in menu order, then by name).
    EXPECT_EQ(order,
              QStringList({"方程式難1", "方程式難3", "方程式基本1", "方程式基本2", "方程式難2"}));
}

// A family file that cannot be read is named calmly and left alone.
enum class Fault { NotShiftJis, BinaryBytes, IsFolder, NoPermission };

struct UnreadableCase {
    const char* what;
    Fault fault;
    FamilyState state;
    const char* sentence;
};

// What a report makes of the family file 方程式基本.txt beside a readable 方程式難.txt.
struct Seen {
    FamilyState state = FamilyState::Read;
    bool calmlyNamed = false; // no sets, the sentence names the file and is on the page
    bool othersRead = false;
};

Seen seen(const QString& folder, const char* sentence) {
    const HistoryReport report = reportOf(folder);
    const FamilyReport& family = familyNamed(report, basic);
    const QString said = familySentence(family);
    return {.state = family.state,
            .calmlyNamed = family.sets.empty() && said.startsWith(basic) &&
                           said.contains(QString::fromUtf8(sentence)) &&
                           reportPage(report).contains(said),
            .othersRead = familyNamed(report, QStringLiteral("方程式難.txt")).sets.size() == 1};
}

// As root a file of mode 000 can still be read, so the report is made by a child process
// that has become the user nobody.
constexpr uid_t nobody = 65534;

Seen seenAsNobody(const QString& folder, const char* sentence) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0) {
            ::_exit(100);
        }
        const Seen s = seen(folder, sentence);
        ::_exit(static_cast<int>(s.state) | (s.calmlyNamed ? 8 : 0) | (s.othersRead ? 16 : 0));
    }
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    const int code = WEXITSTATUS(status);
    EXPECT_NE(code, 100) << "could not become the user nobody";
    return {.state = static_cast<FamilyState>(code & 7),
            .calmlyNamed = (code & 8) != 0,
            .othersRead = (code & 16) != 0};
}

TEST(ReportFigures, UnreadableFilesAreNamedCalmlyAndLeftAlone) {
    const std::vector<UnreadableCase> cases{
        {"not Shift_JIS (UTF-8 text)", Fault::NotShiftJis, FamilyState::NotShiftJis, "Shift_JIS"},
        {"not text (NUL bytes)", Fault::BinaryBytes, FamilyState::NotShiftJis, "Shift_JIS"},
        {"a folder of the family file's name", Fault::IsFolder, FamilyState::IsFolder,
         "フォルダー"},
        {"no permission to read", Fault::NoPermission, FamilyState::CannotOpen, "読む許可"},
    };
    for (const UnreadableCase& c : cases) {
        SCOPED_TRACE(c.what);
        SampleFolder folder;
        const QString path = folder.file(basic);
        QByteArray before;
        switch (c.fault) {
        case Fault::NotShiftJis:
            before = QStringLiteral("12,261209#方程式基本1.txt\r\n").toUtf8() + "\x82\r\n";
            break;
        case Fault::BinaryBytes:
            before = QByteArray("2026/12/09\r\n12,261209\0\0\r\n", 25);
            break;
        case Fault::IsFolder:
            ASSERT_TRUE(QDir(folder.path()).mkdir(basic));
            break;
        case Fault::NoPermission:
            before = familyBytes({"12,261209#方程式基本1.txt"});
            break;
        }
        if (c.fault != Fault::IsFolder) {
            folder.write(basic, before);
        }
        folder.write(QStringLiteral("方程式難.txt"), familyBytes({"5,261209#方程式難1.txt"}));

        Seen s;
        if (c.fault == Fault::NoPermission) {
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0), 0);
            ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0755), 0);
            s = ::geteuid() == 0 ? seenAsNobody(folder.path(), c.sentence)
                                 : seen(folder.path(), c.sentence);
            struct stat st {};
            ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, 0u);
            ::chmod(QFile::encodeName(path).constData(), 0644);
        } else {
            s = seen(folder.path(), c.sentence);
        }
        EXPECT_EQ(s.state, c.state);
        EXPECT_TRUE(s.calmlyNamed);
        EXPECT_TRUE(s.othersRead);
        if (c.fault == Fault::IsFolder) {
            EXPECT_TRUE(QFileInfo(path).isDir());
        } else {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), before);
        }
    }
}

TEST(ReportFigures, FoldersWithoutFamilyFilesGetOneCalmSentence) {
    SampleFolder folder;
    folder.write(QStringLiteral("notes.txt"), "12,261209#方程式基本1.txt\r\n");
    const struct {
        const char* what;
        QString folder;
        FolderState state;
        const char* sentence;
    } cases[] = {
        {"missing", folder.file(QStringLiteral("nowhere")), FolderState::Missing, "見つかりません"},
        {"a file", folder.file(QStringLiteral("notes.txt")), FolderState::NotAFolder,
         "フォルダーではない"},
        {"no family file", folder.path(), FolderState::Found, "記録のファイル"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const HistoryReport report = reportOf(c.folder);
        EXPECT_EQ(report.folderState, c.state);
        EXPECT_TRUE(folderSentence(report).contains(QString::fromUtf8(c.sentence)))
            << folderSentence(report).toStdString();
    }
}

TEST(ReportFigures, ReadingTheSampleFolderChangesNothingInIt) {
    SampleFolder folder;
    for (const QString& name : familyFiles()) {
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(MINAMO_SAMPLE_HISTORY "/") + name, folder.file(name)));
        // An old modification time, so that any touch would show.
        const struct timespec old[2] = {{.tv_sec = 978'307'200, .tv_nsec = 0},
                                        {.tv_sec = 978'307'200, .tv_nsec = 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(folder.file(name)).constData(), old, 0),
                  0);
    }
    const auto before = test::marksOf(folder.path());
    ASSERT_EQ(before.size(), 4u);

    const HistoryReport report = reportOf(folder.path());
    const QString page = reportPage(report);
    int records = 0;
    for (const FamilyReport& family : report.families) {
        EXPECT_EQ(family.state, FamilyState::Read) << family.fileName.toStdString();
        for (const SetReport& set : family.sets) {
            records += set.drills;
        }
    }
    EXPECT_GT(records, 300);
    EXPECT_FALSE(page.isEmpty());
    EXPECT_TRUE(test::marksOf(folder.path()) == before);
}

} // namespace
} // namespace minamo
