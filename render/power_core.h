#pragma once

#include "core/drill.h"

namespace minamo {

// Where a power expression is drawn. The problem area's renderer takes its sizes and start
// point from the drill state and lays out bracketed fractions; the typed answer's renderer
// uses fixed sizes, draws from the pen where it stands and also handles a fourth "^".
enum class PowerVariant { ProblemArea, TypedAnswer };

// The layout shared by drawPowerText and drawTypedPower: powerText with the single
// character after each "^" printed smaller on the same top line.
void drawPowers(Drill& d, PowerVariant variant);

} // namespace minamo
