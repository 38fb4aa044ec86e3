#pragma once

#include <QString>

namespace minamo {

// What a problem shows when the drill presents it and explains it after a miss, measured
// away from the window.
struct ShownProblem {
    bool problemFits = false;  // the problem inside the visible part of Picture2
    bool solutionFits = false; // the worked solution inside its area (Picture7)
    QString solution;          // the worked solution's last line: "x=7", "x=-8/3"
};

ShownProblem showProblem(const QString& problem);

} // namespace minamo
