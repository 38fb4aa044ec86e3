#pragma once

#include "table.h"

#include <QString>
#include <vector>

namespace minamo::bench {

struct WindowOptions {
    QString programFolder; // where the sounds are, as for the program
    int keySamples;        // timed keys of each kind
    int advanceSamples;    // timed presentations of the fraction problem
    int solutionRounds;    // timed rounds of all worked solutions
    int freshStarts;       // drills started from the menu, fresh and fixed, each
    int freshRounds;       // rounds of all fresh banks of a seed
};

// The drill's own work on the real window (offscreen): a key in the answer box, the
// presentation of a fraction problem and the worked solutions of every built-in problem,
// each beside the least Qt work of the same kind. Needs a QApplication. A step whose
// drawing did not happen is reported on `log` and sets `failed`.
std::vector<Row> runWindowBenchmarks(const WindowOptions& options, QTextStream& log, bool& failed);

} // namespace minamo::bench
