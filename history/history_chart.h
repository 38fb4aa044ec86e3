#pragma once

#include "core/drill.h"

#include <QDate>
#include <QStringList>

namespace minamo {

// What the chart shows: the family file's lines as read (its newest records are charted),
// and the new result, recorded today under its set's record name.
struct ChartValues {
    QStringList historyLines;
    int score = 0;
    QDate today;
    QString recordName; // "方程式基本1.txt"
};

// Draws the bar chart of the records and the new result on an area. Returns false when the
// new score is 0: there is nothing to record.
bool drawChart(PictureArea& p, const ChartValues& values);

// The chart of the loaded records and the drill's result, in Picture1.
bool drawHistoryChart(Drill& d);

} // namespace minamo
