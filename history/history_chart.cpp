#include "history/history_chart.h"

#include "catalogue/record_name.h"
#include "core/basic_text.h"
#include "core/spoken_text.h"
#include "history/history_file.h"

#include <algorithm>
#include <vector>

namespace minamo {

namespace {

// The chart's own units: x 0..200 to the right, y 0..100 upward.
constexpr double chartLeft = 0;
constexpr double chartTop = 100;
constexpr double chartRight = 200;
constexpr double chartBottom = 0;

// Axes: the x axis lies at y = 40 (score 0), the y axis at x = 15.
constexpr double axisX = 15;
constexpr double axisY = 40;
constexpr double yAxisTop = 200;
constexpr double xAxisEnd = 300;
constexpr int tickCount = 13;
constexpr double tickStep = 10;
constexpr double tickHalf = 1;
constexpr double tickLabelX = 5;
constexpr double tickLabelRise = 2;

// Bars: record i has its left edge at 5 (i - 1) + 18 and is 4 wide. The chart's 200 units
// show 36 bars whole: the newest 35 records and the new result.
constexpr int chartedRecords = 35;
constexpr double barPitch = 5;
constexpr double firstBarLeft = 18;
constexpr double barWidth = 4;
constexpr double oldScoreDx = -2;
constexpr double oldScoreRise = 5;
constexpr double newScoreDx = -1;
constexpr double newScoreRise = 3;
// The date's pairs (yy, mm, dd) and then the set name go down the column, 3 units a line.
constexpr double yearY = 39;
constexpr double monthY = 36;
constexpr double dayY = 33;
constexpr double nameStep = 3;
// The new result's bar, solid among outlines, is read with this before it.
const QString newResultWord = QStringLiteral("今回 ");

double barLeft(int position) {
    return barPitch * (position - 1) + firstBarLeft;
}

void printAt(PictureArea& p, double x, double y, const QString& text) {
    p.setPen(x, y);
    p.print(text, LineEnd::Break);
}

void printNumberAt(PictureArea& p, double x, double y, int value) {
    p.setPen(x, y);
    printNumber(p, value, LineEnd::Break);
}

// yymmdd as three pairs, one below the other, then the name one character a line.
void printDateAndName(PictureArea& p, double x0, const QString& date, const QString& name) {
    printAt(p, x0, yearY, midText(date, 1, 2));
    printAt(p, x0, monthY, midText(date, 3, 2));
    printAt(p, x0, dayY, midText(date, 5, 2));
    for (int j = 1; j <= name.size(); ++j) {
        printAt(p, x0, dayY - nameStep * j, midText(name, j, 1));
    }
}

void drawAxes(PictureArea& p) {
    const Rgb fore = p.foreColor();
    p.line(axisX, yAxisTop, axisX, axisY, fore);
    for (int k = 1; k <= tickCount; ++k) {
        const double y = tickStep * k + axisY;
        p.line(axisX - tickHalf, y, axisX + tickHalf, y, fore);
        printNumberAt(p, tickLabelX, y + tickLabelRise, static_cast<int>(tickStep) * k);
    }
    p.line(axisX, axisY, xAxisEnd, axisY, fore);
}

} // namespace

bool drawChart(PictureArea& p, const ChartValues& values) {
    p.setScale(chartLeft, chartTop, chartRight, chartBottom);
    drawAxes(p);

    // The newest records of the whole file, not only of the hundred loaded into the lists:
    // the new result must always be in sight.
    std::vector<HistoryRecord> records;
    for (const QString& line : values.historyLines) {
        if (const std::optional<HistoryRecord> record = parseHistoryLine(line)) {
            records.push_back(*record);
        }
    }
    const std::size_t first =
        records.size() - std::min(records.size(), std::size_t{chartedRecords});

    const Rgb fore = p.foreColor();
    int position = 1;
    for (std::size_t i = first; i < records.size(); ++i, ++position) {
        const HistoryRecord& record = records[i];
        if (record.score == 0) {
            break;
        }
        const double x0 = barLeft(position);
        p.box(x0, record.score + axisY, x0 + barWidth, axisY, fore, BoxFill::Outline);
        printNumberAt(p, x0 + oldScoreDx, record.score + axisY + oldScoreRise, record.score);
        printDateAndName(p, x0, record.date, record.set);
        p.addSpokenLine(spokenRecord(record.date, record.set, record.score));
    }

    const int score = values.score;
    if (score == 0) {
        return false;
    }
    const double x0 = barLeft(position);
    p.box(x0, score + axisY, x0 + barWidth, axisY, colour::teal, BoxFill::Solid);
    printNumberAt(p, x0 + newScoreDx, score + axisY + newScoreRise, score);
    const QString today = historyRecordDate(values.today);
    printDateAndName(p, x0, today, recordTitle(values.recordName));
    p.addSpokenLine(newResultWord + spokenRecord(today, values.recordName, score));
    return true;
}

bool drawHistoryChart(Drill& d) {
    const DrillState& s = d.s;
    return drawChart(d.ui.picture1, {.historyLines = s.historyLines,
                                     .score = s.score,
                                     .today = d.ui.clock.today(),
                                     .recordName = s.recordName});
}

} // namespace minamo
