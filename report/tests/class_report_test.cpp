// The class report of one class folder built here: the pupils in the order of their names,
// the overview's cells and colours, the fresh sets beside the fixed ones, and the pupils
// whose folder is empty or holds a damaged file or a folder in place of a family file, each
// kept and named while the rest of the class is read. Nothing in the folder changes.

#include "catalogue/catalogue.h"
#include "fake/qstring_printer.h"
#include "system/system_services.h"
#include "report/class_page.h"
#include "report/report_page.h"
#include "report/tests/sample_folder.h"

#include <QXmlStreamReader>

namespace minamo {
namespace {

using test::familyBytes;

struct GridSeen {
    QStringList heads;
    std::vector<QStringList> rows; // the pupil's name, then "score band" per set, "？", or ""
    QStringList faults;            // the items of the list under the overview
};

GridSeen readGrid(const QString& page) {
    GridSeen seen;
    QXmlStreamReader xml(page);
    bool inGrid = false;
    bool inFaults = false;
    while (!xml.atEnd() && !xml.hasError()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QStringLiteral("table")) {
            inGrid = false;
        }
        if (xml.isEndElement() && xml.name() == QStringLiteral("ul")) {
            inFaults = false;
        }
        if (!xml.isStartElement()) {
            continue;
        }
        const QString cls = xml.attributes().value(QStringLiteral("class")).toString();
        const auto text = [&] {
            return xml.readElementText(QXmlStreamReader::IncludeChildElements);
        };
        if (xml.name() == QStringLiteral("table") && cls == QStringLiteral("grid")) {
            inGrid = true;
        } else if (xml.name() == QStringLiteral("div") && cls == QStringLiteral("faults")) {
            inFaults = true;
        } else if (inFaults && xml.name() == QStringLiteral("li")) {
            seen.faults << text();
        } else if (inGrid && xml.name() == QStringLiteral("tr")) {
            seen.rows.emplace_back();
        } else if (inGrid && xml.name() == QStringLiteral("th")) {
            const bool head = xml.attributes().value(QStringLiteral("scope")) == u"col";
            (head ? seen.heads : seen.rows.back()) << text();
        } else if (inGrid && xml.name() == QStringLiteral("td")) {
            const QString value = text();
            seen.rows.back() << (cls.startsWith(u'b') ? value + u' ' + cls : value);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    if (!seen.rows.empty() && seen.rows.front().isEmpty()) {
        seen.rows.erase(seen.rows.begin()); // the head row
    }
    return seen;
}

TEST(ClassReport, EveryPupilKeepsARowAndFaultsAreNamed) {
    test::SampleFolder folder;
    const QDir dir(folder.path());
    for (const char* pupil : {"01_佐藤花子", "2_鈴木太郎", "10_高橋健", "04_空", ".snapshot"}) {
        ASSERT_TRUE(dir.mkdir(QString::fromUtf8(pupil)));
    }
    const auto write = [&](const char* pupil, const char* file, const QStringList& lines) {
        folder.write(QString::fromUtf8(pupil) + u'/' + QString::fromUtf8(file), familyBytes(lines));
    };
    write("01_佐藤花子", "方程式基本.txt",
          {"30,261201#方程式基本1.txt", "40,261202#方程式基本2.txt", "12,261203#方程式基本1.txt"});
    write("01_佐藤花子", "方程式基本新.txt", {"26,261204#方程式基本新1.txt"});
    write("01_佐藤花子", "方程式分数.txt", {"-2,261205#方程式分数3.txt"});
    write("2_鈴木太郎", "方程式基本.txt", {"25,261201#方程式基本1.txt"});
    ASSERT_TRUE(dir.mkdir(QStringLiteral("2_鈴木太郎/方程式標準.txt")));
    write("10_高橋健", "方程式基本.txt", {"38,261201#方程式基本1.txt"});
    folder.write(QStringLiteral("10_高橋健/方程式難.txt"),
                 QStringLiteral("5,261201#方程式難1.txt\r\n").toUtf8() + "\x82\r\n");
    write(".snapshot", "方程式基本.txt", {"1,261201#方程式基本1.txt"});
    folder.write(QStringLiteral("メモ.txt"), "not a pupil");
    const auto before = test::marksOf(folder.path());

    const LocalFileSystem files{QString()};
    const ClassReport report = buildClassReport(files, folder.path(), QDate(2026, 12, 9));
    const QString page = classPage(report);
    EXPECT_TRUE(test::marksOf(folder.path()) == before);

    // The fixed sets in catalogue order, then the fresh sets of the one fresh family there.
    QStringList heads{QStringLiteral("生徒")};
    for (const QString& name : allRecordNames()) {
        if (!name.contains(u'新') || familyFileName(name) == QStringLiteral("方程式基本新.txt")) {
            heads << setTitle(name);
        }
    }
    const GridSeen seen = readGrid(page);
    EXPECT_EQ(seen.heads, heads);

    // Set by set, what each row shows where it is not empty; every other cell is empty.
    const QString unreadable = QStringLiteral("？");
    const struct {
        const char* pupil;
        std::map<QString, QString> cells;
        QStringList unreadableFamilies;
    } rows[] = {
        {"01_佐藤花子",
         {{"方程式基本1", "12 b0"},
          {"方程式基本2", "40 b3"},
          {"方程式分数3", "-2 b0"},
          {"方程式基本新1", "26 b2"}},
         {}},
        {"2_鈴木太郎", {{"方程式基本1", "25 b2"}}, {"方程式標準.txt"}},
        {"04_空", {}, {}},
        {"10_高橋健", {{"方程式基本1", "38 b3"}}, {"方程式難.txt"}},
    };
    ASSERT_EQ(seen.rows.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].pupil);
        QStringList want{QString::fromUtf8(rows[i].pupil)};
        for (qsizetype k = 1; k < heads.size(); ++k) {
            const QString family = familyFileName(heads[k] + QStringLiteral(".txt"));
            const auto cell = rows[i].cells.find(heads[k]);
            want << (rows[i].unreadableFamilies.contains(family) ? unreadable
                     : cell != rows[i].cells.end()               ? cell->second
                                                                 : QString());
        }
        EXPECT_EQ(seen.rows[i], want);
    }

    // Each fault named with its pupil and file; the empty folder calmly.
    const struct {
        const char* pupil;
        const char* says;
    } faults[] = {
        {"2_鈴木太郎", "方程式標準.txt はファイルではなくフォルダー"},
        {"04_空", "記録のファイルがまだありません"},
        {"10_高橋健", "方程式難.txt は記録の文字（Shift_JIS）として読めませんでした"},
    };
    ASSERT_EQ(seen.faults.size(), qsizetype(std::size(faults)))
        << seen.faults.join(u'\n').toStdString();
    for (std::size_t i = 0; i < std::size(faults); ++i) {
        EXPECT_TRUE(seen.faults[i].startsWith(QString::fromUtf8(faults[i].pupil) + u':'));
        EXPECT_TRUE(seen.faults[i].contains(QString::fromUtf8(faults[i].says)))
            << seen.faults[i].toStdString();
    }

    // Whom to help in 方程式基本1: the lowest latest score first.
    const SetStanding standing = setStanding(report, QStringLiteral("方程式基本1.txt"));
    QStringList ranked;
    for (const auto& [pupil, set] : standing.ranked) {
        ranked << pupil->name + QStringLiteral(" %1").arg(set->latestScore);
    }
    EXPECT_EQ(ranked, QStringList({"01_佐藤花子 12", "2_鈴木太郎 25", "10_高橋健 38"}));
    ASSERT_EQ(standing.withoutRecord.size(), 1u);
    EXPECT_EQ(standing.withoutRecord[0]->name, QStringLiteral("04_空"));

    // The single report of a pupil shows a fresh family that is there like the others and
    // says nothing of those that are not.
    const QString single = reportPage(report.pupils[0].history);
    EXPECT_TRUE(single.contains(QStringLiteral("-heading\">方程式基本新1</h3>")));
    EXPECT_FALSE(single.contains(QStringLiteral("方程式標準新")));
    EXPECT_FALSE(reportPage(report.pupils[1].history).contains(QStringLiteral("方程式基本新")));
}

} // namespace
} // namespace minamo
