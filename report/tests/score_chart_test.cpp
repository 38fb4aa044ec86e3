// The chart's layout: every record visible up to the newest, the dates readable, the zero
// line between positive and negative bars.

#include "report/score_chart.h"

#include "fake/qstring_printer.h"

#include <QDate>

#include <gtest/gtest.h>

namespace minamo {
namespace {

std::vector<HistoryRecord> recordsOf(std::vector<int> scores) {
    std::vector<HistoryRecord> records;
    const QDate first(2025, 4, 1);
    for (std::size_t i = 0; i < scores.size(); ++i) {
        records.push_back(
            {.score = static_cast<int16>(scores[i]),
             .date = first.addDays(static_cast<qint64>(i)).toString(QStringLiteral("yyMMdd")),
             .set = QStringLiteral("方程式基本1.txt")});
    }
    return records;
}

std::vector<int> steadyScores(int count) {
    std::vector<int> scores;
    for (int i = 0; i < count; ++i) {
        scores.push_back(i % 25 + 1);
    }
    return scores;
}

// The page is at most this wide in user units, however many records there are.
constexpr double widestChart = 52 + 720 + 34;

TEST(ScoreChart, EveryCountFitsAndShowsTheNewestWithItsDate) {
    const struct {
        int records;
        int shown;
        int minDates; // the axis uses its room, thinned but not emptied
    } cases[] = {
        {1, 1, 1},      {7, 7, 2},      {40, 40, 9},     {120, 120, 10},
        {300, 300, 10}, {301, 300, 10}, {1000, 300, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.records);
        const std::vector<HistoryRecord> records = recordsOf(steadyScores(c.records));
        const ScoreChart chart = layoutScoreChart(records);
        ASSERT_EQ(static_cast<int>(chart.marks.size()), c.shown);
        EXPECT_EQ(chart.omitted, c.records - c.shown);
        EXPECT_LE(chart.width, widestChart);

        const ChartMark& newest = chart.marks.back();
        EXPECT_TRUE(newest.newest);
        EXPECT_TRUE(newest.labelled);
        EXPECT_EQ(newest.index, c.records - 1);
        EXPECT_LE(newest.x + newest.width, chart.plotRight);
        for (std::size_t i = 1; i < chart.marks.size(); ++i) {
            EXPECT_GE(chart.marks[i].x, chart.marks[i - 1].x + chart.marks[i - 1].width);
            EXPECT_GT(chart.marks[i].width, 0);
        }
        EXPECT_GE(chart.marks.front().x, chart.plotLeft);

        ASSERT_GE(static_cast<int>(chart.dates.size()), c.minDates);
        EXPECT_EQ(chart.dates.back().text,
                  QDate(2025, 4, 1).addDays(c.records - 1).toString(QStringLiteral("yy/MM/dd")));
        EXPECT_DOUBLE_EQ(chart.dates.back().x, newest.x + newest.width / 2);
        for (std::size_t i = 1; i < chart.dates.size(); ++i) {
            EXPECT_GE(chart.dates[i].x - chart.dates[i - 1].x, dateLabelSpacing - 1e-9);
        }
        EXPECT_GE(chart.dates.front().x - dateLabelSpacing / 2, 0);
        EXPECT_LE(chart.dates.back().x + dateLabelSpacing / 2, chart.width);
    }
}

TEST(ScoreChart, BarsStandOnTheZeroLine) {
    const struct {
        const char* what;
        std::vector<int> scores;
    } cases[] = {
        {"positive", {3, 12, 30}},
        {"negative and positive", {-8, 0, 5, -1, 20}},
        {"all negative", {-3, -7}},
        {"all 0", {0, 0}},
        {"the 16-bit extremes", {-32768, 32767}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ScoreChart chart = layoutScoreChart(recordsOf(c.scores));
        ASSERT_EQ(chart.marks.size(), c.scores.size());
        EXPECT_GE(chart.zeroY, chart.plotTop);
        EXPECT_LE(chart.zeroY, chart.plotBottom);
        for (const ChartMark& mark : chart.marks) {
            SCOPED_TRACE(mark.score);
            EXPECT_GE(mark.top, chart.plotTop);
            EXPECT_LE(mark.bottom, chart.plotBottom);
            if (mark.score > 0) {
                EXPECT_DOUBLE_EQ(mark.bottom, chart.zeroY);
                EXPECT_LT(mark.top, chart.zeroY);
            } else if (mark.score < 0) {
                EXPECT_DOUBLE_EQ(mark.top, chart.zeroY);
                EXPECT_GT(mark.bottom, chart.zeroY);
            } else {
                EXPECT_DOUBLE_EQ(mark.top, chart.zeroY);
                EXPECT_DOUBLE_EQ(mark.bottom, chart.zeroY);
            }
        }
        // A taller bar is a higher score.
        for (const ChartMark& a : chart.marks) {
            for (const ChartMark& b : chart.marks) {
                if (a.score > 0 && b.score > 0 && a.score < b.score) {
                    EXPECT_LT(a.bottom - a.top, b.bottom - b.top);
                }
            }
        }
        bool zeroOnScale = false;
        for (const ChartLabel& scale : chart.scales) {
            zeroOnScale = zeroOnScale || (scale.text == QStringLiteral("0") &&
                                          std::abs(scale.y - chart.zeroY) < 1e-9);
        }
        EXPECT_TRUE(zeroOnScale);
    }
}

TEST(ScoreChart, SvgDrawsOneMarkPerRecordAndEscapesItsTexts) {
    const ScoreChart chart = layoutScoreChart(recordsOf({4, 0, -2}));
    const QString svg = scoreChartSvg(chart, QStringLiteral("<a&b>"), QStringLiteral("\"q\""),
                                      QStringLiteral("c1"));
    EXPECT_EQ(svg.count(QStringLiteral("class=\"mark")), 3);
    EXPECT_EQ(svg.count(QStringLiteral("<circle class=\"mark zero\"")), 1);
    EXPECT_TRUE(svg.contains(QStringLiteral("<title id=\"c1-title\">&lt;a&amp;b&gt;</title>")));
    EXPECT_TRUE(svg.contains(QStringLiteral("<desc id=\"c1-desc\">&quot;q&quot;</desc>")));
    EXPECT_TRUE(svg.contains(QStringLiteral("aria-labelledby=\"c1-title c1-desc\"")));
}

} // namespace
} // namespace minamo
