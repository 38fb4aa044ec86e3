#pragma once

// The drill's state and context on a fresh fake: what the procedures of every layer below
// the window's handlers work on.

#include "core/common_factor.h"
#include "core/drill.h"
#include "fake/fake_platform.h"

namespace minamo {

struct FakeDrill {
    // With the prime table of the start-up, which the common factor reads.
    FakeDrill() { fillPrimes(state); }
    FakeDrill(const FakeDrill&) = delete;
    FakeDrill& operator=(const FakeDrill&) = delete;

    FakePlatform fake;
    DrillState state;
    Drill drill{state, fake.platform()};
    DrillState& s() { return state; }
    Drill& d() { return drill; }
};

} // namespace minamo
