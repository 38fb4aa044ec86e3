#pragma once

#include "core/working.h"

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

// Whether a problem that carries its own working fits where the fresh edition sets it: the
// problem wide while the pupil works, beside its worked solution after a miss, and the worked
// solution in its area.
struct ShownOwnProblem {
    bool wideFits = false;
    bool besideFits = false;
    bool solutionFits = false;
    bool fits() const { return wideFits && besideFits && solutionFits; }
};
ShownOwnProblem showOwnProblem(const QString& problem, const Working& working);

} // namespace minamo
