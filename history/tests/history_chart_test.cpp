#include "fake/fake_platform.h"
#include "fake/qstring_printer.h"
#include "history/history_chart.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace minamo {
namespace {

struct ChartRig {
    ChartRig() {
        s.recordName = QStringLiteral("方程式基本2.txt");
        s.score = 8;
    }
    // A record as the reader loads it: its line kept, and in the lists among the first 100.
    void addRecord(int score, const QString& date, const QString& set) {
        s.historyLines << QStringLiteral("%1,%2#%3").arg(score).arg(date, set);
        if (s.historyCount < 100) {
            ++s.historyCount;
            s.historyScore[s.historyCount] = static_cast<int16>(score);
            s.historyDate[s.historyCount] = date;
            s.historySet[s.historyCount] = set;
        }
    }
    QStringList drawn() const {
        QStringList lines;
        for (const DrawOp& op : fake.picture1.drawing()) {
            lines << op.toString();
        }
        return lines;
    }
    // The boxes drawn, in order.
    QStringList boxes() const {
        QStringList lines;
        for (const DrawOp& op : fake.picture1.drawing()) {
            if (op.kind == DrawOp::Kind::Box) {
                lines << op.toString();
            }
        }
        return lines;
    }

    FakePlatform fake;
    DrillState s;
    Drill d{s, fake.platform()};
};

QString text(double x, double y, const QString& t) {
    return QStringLiteral("print (%1,%2) \"%3\" break MS Sans Serif 8.25 #000000")
        .arg(logNumber(x), logNumber(y), t);
}

QStringList axes() {
    QStringList lines{QStringLiteral("line (15,200)-(15,40) #000000")};
    for (int k = 1; k <= 13; ++k) {
        lines << QStringLiteral("line (14,%1)-(16,%1) #000000").arg(10 * k + 40);
        lines << text(5, 10 * k + 42, QStringLiteral(" %1").arg(10 * k));
    }
    lines << QStringLiteral("line (15,40)-(300,40) #000000");
    return lines;
}

TEST(HistoryChart, EveryBarIsReadAloud) {
    ChartRig r;
    r.addRecord(12, QStringLiteral("260101"), QStringLiteral("方程式基本1.txt"));
    r.addRecord(-5, QStringLiteral("260102"), QString());
    EXPECT_TRUE(drawHistoryChart(r.d));
    EXPECT_EQ(r.fake.picture1.spokenText(),
              QStringLiteral("26年1月1日 方程式基本1 12点\n26年1月2日 -5点\n"
                             "今回 26年12月9日 方程式基本2 8点"));
}

TEST(HistoryChart, SmallHistoryDrawLog) {
    ChartRig r;
    r.addRecord(12, QStringLiteral("260101"), QStringLiteral("方程式基本1.txt"));
    r.addRecord(-5, QStringLiteral("260102"), QString());
    EXPECT_TRUE(drawHistoryChart(r.d));

    ASSERT_FALSE(r.fake.picture1.ops().empty());
    EXPECT_EQ(r.fake.picture1.ops().front().toString(), QStringLiteral("scale (0,100)-(200,0)"));

    QStringList expected = axes();
    // Record 1: an outlined bar at x 18..22 up to 12 + 40, the score above it, the date's
    // pairs and then the whole set name one character a line.
    expected << QStringLiteral("box (18,52)-(22,40) #000000 outline") << text(16, 57, " 12")
             << text(18, 39, "26") << text(18, 36, "01") << text(18, 33, "01");
    const QString name1 = QStringLiteral("方程式基本1.txt");
    for (int j = 1; j <= name1.size(); ++j) {
        expected << text(18, 33 - 3 * j, name1.mid(j - 1, 1));
    }
    // Record 2: a negative score hangs below the axis; no name.
    expected << QStringLiteral("box (23,35)-(27,40) #000000 outline") << text(21, 40, "-5")
             << text(23, 39, "26") << text(23, 36, "01") << text(23, 33, "02");
    // The new result: solid teal, today's date, the record name without ".txt".
    expected << QStringLiteral("box (28,48)-(32,40) #008080 solid") << text(27, 51, " 8")
             << text(28, 39, "26") << text(28, 36, "12") << text(28, 33, "09") << text(28, 30, "方")
             << text(28, 27, "程") << text(28, 24, "式") << text(28, 21, "基") << text(28, 18, "本")
             << text(28, 15, "2");
    EXPECT_EQ(r.drawn(), expected);
}

// The chart's 200 units hold 36 bars: a long history shows its newest 35 records, taken
// from every line of the file, and the new result whole at position 36.
TEST(HistoryChart, TheNewestRecordsAndTheNewBarStayInSight) {
    struct Case {
        int records;    // record i scores i (mod 50, never 0)
        int firstScore; // the leftmost bar
        int newBarLeft; // x of the new, solid bar
    };
    const Case cases[] = {{3, 1, 33}, {35, 1, 193}, {36, 2, 193}, {45, 11, 193}, {150, 18, 193}};
    for (const Case& c : cases) {
        ChartRig r;
        for (int i = 1; i <= c.records; ++i) {
            r.addRecord((i - 1) % 49 + 1, QStringLiteral("260101"), QStringLiteral("基本1"));
        }
        EXPECT_TRUE(drawHistoryChart(r.d));
        const QStringList boxes = r.boxes();
        const int bars = std::min(c.records, 35);
        ASSERT_EQ(boxes.size(), bars + 1) << c.records;
        EXPECT_EQ(boxes.front(),
                  QStringLiteral("box (18,%1)-(22,40) #000000 outline").arg(40 + c.firstScore))
            << c.records;
        EXPECT_EQ(boxes.back(), QStringLiteral("box (%1,48)-(%2,40) #008080 solid")
                                    .arg(c.newBarLeft)
                                    .arg(c.newBarLeft + 4))
            << c.records;
    }
}

TEST(HistoryChart, ScoreZeroRecordEndsTheChart) {
    ChartRig r;
    r.addRecord(12, QStringLiteral("260101"), QString());
    r.addRecord(7, QStringLiteral("260102"), QString());
    r.addRecord(0, QStringLiteral("260103"), QString());
    r.addRecord(30, QStringLiteral("260104"), QString());
    EXPECT_TRUE(drawHistoryChart(r.d));
    EXPECT_EQ(r.boxes(), (QStringList{QStringLiteral("box (18,52)-(22,40) #000000 outline"),
                                      QStringLiteral("box (23,47)-(27,40) #000000 outline"),
                                      QStringLiteral("box (28,48)-(32,40) #008080 solid")}));
    // Nothing of the records after the score-0 one: the date 260104 is not printed.
    EXPECT_FALSE(r.fake.picture1.printedTexts().contains(QStringLiteral("04")));
    EXPECT_TRUE(r.fake.picture1.printedTexts().contains(QStringLiteral("02")));
}

TEST(HistoryChart, NegativeNewScoreHangsBelowTheAxis) {
    ChartRig r;
    r.s.score = -4;
    EXPECT_TRUE(drawHistoryChart(r.d));
    const QStringList lines = r.drawn();
    const QStringList expectedEnd{QStringLiteral("box (18,36)-(22,40) #008080 solid"),
                                  text(17, 39, "-4")};
    const qsizetype at = lines.indexOf(expectedEnd[0]);
    ASSERT_GE(at, 0);
    EXPECT_EQ(lines.mid(at, 2), expectedEnd);
}

TEST(HistoryChart, ScoreZeroDrawsOnlyThePastAndRecordsNothing) {
    ChartRig r;
    r.s.score = 0;
    r.addRecord(12, QStringLiteral("260101"), QString());
    EXPECT_FALSE(drawHistoryChart(r.d));
    EXPECT_EQ(r.boxes(), QStringList{QStringLiteral("box (18,52)-(22,40) #000000 outline")});
    const QStringList lines = r.drawn();
    EXPECT_EQ(lines.back(), text(18, 33, "01"));
}

TEST(HistoryChart, DrawnOverWhatIsThereWithoutClearing) {
    ChartRig r;
    drawHistoryChart(r.d);
    for (const DrawOp& op : r.fake.picture1.ops()) {
        EXPECT_NE(op.kind, DrawOp::Kind::Clear);
        EXPECT_NE(op.kind, DrawOp::Kind::Colour);
    }
}

} // namespace
} // namespace minamo
