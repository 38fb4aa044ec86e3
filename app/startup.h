#pragma once

#include "catalogue/record_name.h"
#include "core/drill.h"

namespace minamo {

inline const QString idleProblem = QStringLiteral("問題をくーれ");

// Prepares the idle window. Returns false when another copy of the program already runs:
// the window is then closed and the program must end at once, silently. The fresh edition's
// idle window shows none of the design's placeholder texts: the clock reads the drill's
// full time, the problem number and the copy of the answer are empty.
bool startUp(Drill& d, Numbers numbers = Numbers::Bank);

} // namespace minamo
