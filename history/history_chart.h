#pragma once

#include "core/drill.h"

namespace minamo {

// Draws the bar chart of the loaded records and the new result in Picture1. Returns false
// when the new score is 0: there is nothing to record.
bool drawHistoryChart(Drill& d);

} // namespace minamo
