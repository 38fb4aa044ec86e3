#pragma once

#include "table.h"

#include <QTextStream>
#include <vector>

namespace minamo::bench {

struct ReportOptions {
    int runs;
};

// The class report of a class folder written for it (40 pupils, 2,000 records each): from
// reading the pupil folders to the page written, beside reading the same files' bytes.
std::vector<Row> runReportBenchmarks(const ReportOptions& options, QTextStream& log, bool& failed);

} // namespace minamo::bench
