#pragma once

// A drill of its own, away from the window: its picture areas are the caller's, every other
// control does nothing, and the state is fresh (with the start-up's prime table, which the
// common factor reads), so that nothing of one drawing shows in the next.

#include "core/drill.h"
#include "platform/inert_platform.h"

#include <memory>

namespace minamo {

class StandaloneDrill {
public:
    explicit StandaloneDrill(const InertPlatform::Areas& areas);
    // Every picture area is this one.
    explicit StandaloneDrill(PictureArea& area);

    DrillState& s() { return *state_; }
    Drill& d() { return drill_; }

private:
    InertPlatform platform_;
    std::unique_ptr<DrillState> state_;
    Drill drill_;
};

} // namespace minamo
