#pragma once

#include "core/drill.h"

namespace minamo {

inline const QString idleProblem = QStringLiteral("問題をくーれ");

// Prepares the idle window. Returns false when another copy of the program already runs:
// the window is then closed and the program must end at once, silently.
bool startUp(Drill& d);

} // namespace minamo
