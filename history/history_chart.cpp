#include "history/history_chart.h"

namespace minamo {

bool drawHistoryChart(Drill& d) { return d.s.score != 0; } // {}

} // namespace minamo
