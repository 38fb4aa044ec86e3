#pragma once

#include "core/drill_state.h"
#include "platform/platform.h"

namespace minamo {

// What every procedure of the drill works on: the one state record and the window's
// controls and services.
struct Drill {
    DrillState& s;
    Platform& ui;
};

} // namespace minamo
