#pragma once

#include "table.h"

#include <QString>
#include <vector>

namespace minamo::bench {

struct StartupOptions {
    QString binDir;   // where minamo-drill and bench-floor-window are
    int startupRuns;  // timed starts of each program on each display
    int memoryRuns;   // starts whose peak memory is read
    int memoryWaitMs; // how long after its start a program's peak memory is read
};

// Start-up time, peak memory and shared libraries of the program beside a floor window of
// the same size (a menu bar, labels, line edits and a painted widget with Japanese text),
// on the offscreen platform and, when Xvfb is installed, on a real X server. Returns the
// table rows; a run that fails is reported on `log` and sets `failed`.
std::vector<Row> runStartupBenchmarks(const StartupOptions& options, QTextStream& log,
                                      bool& failed);

} // namespace minamo::bench
