#pragma once

// The fresh banks of a session: made once each for the session's seed, ahead of time while
// the window waits for the pupil, or at the menu click when the pupil is quicker.

#include "app/drill_options.h"
#include "fresh/fresh_bank.h"

#include <map>

namespace minamo {

class FreshBanks {
public:
    explicit FreshBanks(const DrillOptions& options) : options_(options) {}

    // The fresh bank of a bank, made now when it was not made yet, or why it cannot be made.
    const Result<FreshBank>& of(const Bank& bank);
    // Makes the fresh bank of every set the menus ask.
    void prepareAll();

private:
    DrillOptions options_;
    std::map<const Bank*, Result<FreshBank>> made_;
};

} // namespace minamo
