// The page as markup: well formed whatever the files hold, self-contained, a chart and a
// table of every record for each set, captions and header scopes for a screen reader.
// The page is written so that an XML reader can parse it; that catches any text that was
// not escaped.

#include "fake/qstring_printer.h"
#include "system/system_services.h"
#include "report/report_page.h"
#include "report/tests/sample_folder.h"

#include <QXmlStreamReader>
#include <map>

namespace minamo {
namespace {

using test::familyBytes;
using test::SampleFolder;

struct SetSeen {
    QString heading;
    int charts = 0;
    int marks = 0;
    int rows = 0;
};

struct PageSeen {
    QString error;
    std::vector<SetSeen> sets;
    QStringList codes; // texts of <code>, the odd lines
    int tables = 0;
    int captions = 0;
    int headersWithoutScope = 0;
    QStringList labelledBy; // ids the charts point to
    QStringList ids;
    QStringList notices;
};

PageSeen readPage(const QString& page) {
    PageSeen seen;
    QXmlStreamReader xml(page);
    std::vector<QString> open;
    bool inSet = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString name = xml.name().toString();
            const auto attributes = xml.attributes();
            const QString cls = attributes.value(QStringLiteral("class")).toString();
            if (attributes.hasAttribute(QStringLiteral("id"))) {
                seen.ids << attributes.value(QStringLiteral("id")).toString();
            }
            if (name == QStringLiteral("section") && cls == QStringLiteral("set")) {
                seen.sets.emplace_back();
                inSet = true;
            } else if (name == QStringLiteral("section")) {
                inSet = false;
            }
            if (name == QStringLiteral("h3") && inSet) {
                seen.sets.back().heading = xml.readElementText();
                continue;
            }
            if (name == QStringLiteral("svg")) {
                seen.labelledBy
                    << attributes.value(QStringLiteral("aria-labelledby")).toString().split(u' ');
                if (inSet) {
                    ++seen.sets.back().charts;
                }
            }
            if (cls.startsWith(QStringLiteral("mark")) && inSet) {
                ++seen.sets.back().marks;
            }
            if (name == QStringLiteral("tr") && inSet && !open.empty() &&
                open.back() == QStringLiteral("tbody")) {
                ++seen.sets.back().rows;
            }
            seen.tables += name == QStringLiteral("table");
            seen.captions += name == QStringLiteral("caption");
            if (name == QStringLiteral("th") && !attributes.hasAttribute(QStringLiteral("scope"))) {
                ++seen.headersWithoutScope;
            }
            if (name == QStringLiteral("code")) {
                seen.codes << xml.readElementText();
                continue;
            }
            if (name == QStringLiteral("p") && cls == QStringLiteral("notice")) {
                seen.notices << xml.readElementText();
                continue;
            }
            open.push_back(name);
        } else if (xml.isEndElement()) {
            open.pop_back();
        }
    }
    if (xml.hasError()) {
        seen.error = xml.errorString() + QStringLiteral(" at line %1").arg(xml.lineNumber());
    }
    return seen;
}

HistoryReport reportOf(const QString& folder) {
    const LocalFileSystem files{QString()};
    return buildReport(files, folder, QDate(2026, 12, 9));
}

TEST(ReportPage, TextsFromFilesAreShownAsTheyAreAndNeverBecomeMarkup) {
    const QString name = QStringLiteral("<script>alert(\"&amp;\")</script>'1.txt");
    const QString odd = QStringLiteral("<b>\"&'</b> %1 \x01");
    SampleFolder folder;
    folder.write(QStringLiteral("方程式基本.txt"),
                 familyBytes({QStringLiteral("7,261209#") + name, odd}));
    const QString page = reportPage(reportOf(folder.path()));
    const PageSeen seen = readPage(page);
    ASSERT_TRUE(seen.error.isEmpty()) << seen.error.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("<script")));
    ASSERT_EQ(seen.sets.size(), 1u);
    EXPECT_EQ(seen.sets[0].heading, QStringLiteral("<script>alert(\"&amp;\")</script>'1"));
    // A control character is shown by its picture; everything else exactly.
    EXPECT_EQ(seen.codes, QStringList{QStringLiteral("<b>\"&'</b> %1 \u2401")});
}

TEST(ReportPage, EverySetHasItsChartAndATableOfAllItsRecords) {
    QStringList many;
    for (int i = 0; i < 340; ++i) {
        many << QStringLiteral("%1,2601%2#方程式標準1.txt")
                    .arg(i % 30 - 3)
                    .arg(i % 28 + 1, 2, 10, QChar(u'0'));
    }
    SampleFolder folder;
    folder.write(QStringLiteral("方程式基本.txt"),
                 familyBytes({"5,260101#方程式基本1.txt", "0,260102#方程式基本1.txt",
                              "-2,260103#方程式基本2.txt"}));
    folder.write(QStringLiteral("方程式標準.txt"), familyBytes(many));
    folder.write(QStringLiteral("方程式難.txt"), familyBytes({}));
    const QString page = reportPage(reportOf(folder.path()));
    const PageSeen seen = readPage(page);
    ASSERT_TRUE(seen.error.isEmpty()) << seen.error.toStdString();

    const struct {
        const char* heading;
        int marks;
        int rows;
    } expected[] = {{"方程式基本1", 2, 2}, {"方程式基本2", 1, 1}, {"方程式標準1", 300, 340}};
    ASSERT_EQ(seen.sets.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].heading);
        EXPECT_EQ(seen.sets[i].heading, QString::fromUtf8(expected[i].heading));
        EXPECT_EQ(seen.sets[i].charts, 1);
        EXPECT_EQ(seen.sets[i].marks, expected[i].marks);
        EXPECT_EQ(seen.sets[i].rows, expected[i].rows);
    }
    EXPECT_TRUE(
        page.contains(QStringLiteral("グラフには新しい300回分を出しています（全部で340回）")));

    // The overview and one table per set, every one with a caption; every header scoped.
    EXPECT_EQ(seen.tables, 4);
    EXPECT_EQ(seen.captions, 4);
    EXPECT_EQ(seen.headersWithoutScope, 0);
    for (const QString& id : seen.labelledBy) {
        EXPECT_TRUE(seen.ids.contains(id)) << id.toStdString();
    }
    QStringList ids = seen.ids;
    EXPECT_EQ(ids.removeDuplicates(), 0);

    // The families without records say so.
    EXPECT_EQ(seen.notices, QStringList({
                                QStringLiteral("方程式難.txt には、まだ記録がありません。"),
                                QStringLiteral("方程式分数.txt はありません。このなかまのドリルは、"
                                               "まだ記録されていません。"),
                            }));

    // Nothing is fetched from elsewhere and nothing runs.
    for (const char* outside : {"<script", "<link", "<img", "<iframe", "src=", "url(", "@import",
                                "https:", "onload", "javascript:"}) {
        EXPECT_FALSE(page.contains(QString::fromUtf8(outside), Qt::CaseInsensitive)) << outside;
    }
    EXPECT_EQ(page.count(QStringLiteral("http:")), 3) << "only the SVG namespace of each chart";
}

TEST(ReportPage, AFolderWithoutRecordsGivesACalmPage) {
    SampleFolder folder;
    const struct {
        const char* what;
        QString folder;
    } cases[] = {
        {"missing", folder.file(QStringLiteral("nowhere"))},
        {"empty", folder.path()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const HistoryReport report = reportOf(c.folder);
        const PageSeen seen = readPage(reportPage(report));
        ASSERT_TRUE(seen.error.isEmpty()) << seen.error.toStdString();
        EXPECT_EQ(seen.notices, QStringList{folderSentence(report)});
        EXPECT_TRUE(seen.sets.empty());
        EXPECT_EQ(seen.tables, 0);
    }
}

} // namespace
} // namespace minamo
