#pragma once

// The chart of a set's scores in the order they were recorded: one bar per record, a zero
// line with negative scores below it, dates thinned out on the axis so that they stay
// readable. However many records there are, the chart fits its width and shows the newest.
// Coordinates are the SVG's user units, y growing downward.

#include "history/history_file.h"

#include <QString>
#include <span>
#include <vector>

namespace minamo {

// The newest records a chart shows at most; the page's table holds all of them.
inline constexpr int maxChartedRecords = 300;
// A small chart (a pupil's line on the class page) shows fewer, without axes: the bars, the
// zero line and the newest score.
inline constexpr int maxSmallChartedRecords = 30;

enum class ChartSize { Full, Small };

struct ChartMark {
    int index = 0; // position of the record in the set, from 0
    int16 score = 0;
    double x = 0; // left edge of the bar
    double width = 0;
    double top = 0; // equal to bottom for a score of 0, drawn as a mark on the zero line
    double bottom = 0;
    bool newest = false;
    bool labelled = false; // the score is printed beside the bar
};

struct ChartLabel {
    double x = 0; // centre
    double y = 0;
    QString text;
};

struct ScoreChart {
    double width = 0;
    double height = 0;
    double plotLeft = 0;
    double plotRight = 0;
    double plotTop = 0;
    double plotBottom = 0;
    double zeroY = 0;
    int omitted = 0; // older records the chart leaves out
    std::vector<ChartMark> marks;
    std::vector<ChartLabel> dates;  // below the plot, each under its record
    std::vector<ChartLabel> scales; // the score axis, left of the plot
    std::vector<double> gridY;      // a line for every scale label
};

// The minimum distance between the centres of two date labels.
inline constexpr double dateLabelSpacing = 64;

ScoreChart layoutScoreChart(std::span<const HistoryRecord> records,
                            ChartSize size = ChartSize::Full);

// The chart as inline SVG. The title names it to a screen reader, the description points to
// the table that holds the same records as text; ids must be unique within the page.
QString scoreChartSvg(const ScoreChart& chart, const QString& title, const QString& description,
                      const QString& id);

} // namespace minamo
