#pragma once

#include "core/drill.h"

namespace minamo {

// What the answer box shows once the drill is over (time up or the list used up).
inline const QString endOfDrillText = QStringLiteral("終り");

// The end of a drill: the chart, the record, the close button and the closing message.
// Runs once per drill: it stops the countdown and leaves the menu and judging inert.
void endDrill(Drill& d);

} // namespace minamo
