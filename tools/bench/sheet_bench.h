#pragma once

#include "table.h"

#include <QString>
#include <vector>

namespace minamo::bench {

struct SheetOptions {
    QString programFolder; // where minamo-worksheet is
    int runs;              // timed sheets of each kind
};

// A worksheet of the largest set (方程式基本1, fillBasicA's 50 problems): written in this
// process beside the same equations printed as lines of a PDF, and made by the program from
// its start. Needs a QGuiApplication. A sheet that was not written sets `failed`.
std::vector<Row> runSheetBenchmarks(const SheetOptions& options, QTextStream& log, bool& failed);

} // namespace minamo::bench
