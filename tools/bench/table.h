#pragma once

// The one table ./bench prints: a figure, the floor measured beside it in the same run,
// the target and whether the figure meets it.

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <vector>

namespace minamo::bench {

enum class Verdict { None, Ok, Missed };

struct Row {
    QString measure;
    QString figure;
    QString floor;
    QString ratio;
    QString target;
    Verdict verdict = Verdict::None;
    // What was missed, in words, for the summary under the table.
    QString missedNote;
};

// A row that only separates groups of rows.
inline Row separator() {
    return Row{};
}

QString milliseconds(double ms);
QString kibibytes(double kib);
QString times(double ratio);

void printTable(QTextStream& out, const QStringList& heading, const std::vector<Row>& rows);

} // namespace minamo::bench
