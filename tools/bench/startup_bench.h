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

// Start-up time, peak memory and shared libraries of the program beside a floor window that
// shows the same idle window with plain Qt widgets, each start on one core, on the
// offscreen platform and, when Xvfb is installed, on a real X server. Returns the table
// rows; a run that fails is reported on `log` and sets `failed`.
std::vector<Row> runStartupBenchmarks(const StartupOptions& options, QTextStream& log,
                                      bool& failed);

} // namespace minamo::bench
