#pragma once

#include "core/basic_text.h"
#include "core/drill_state.h"

namespace minamo {

// The score of the drill under way: right answers less misses.
inline int16 drillScore(const DrillState& s) {
    return clampToInt16(static_cast<long long>(s.correctCount) - s.missCount);
}

} // namespace minamo
