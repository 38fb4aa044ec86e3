#pragma once

// The fresh sets of a session: made once each for the session's seed, ahead of time while
// the window waits for the pupil, or at the menu click when the pupil is quicker.

#include "app/drill_options.h"
#include "catalogue/catalogue.h"
#include "fresh/fresh_bank.h"

#include <map>

namespace minamo {

class FreshBanks {
public:
    explicit FreshBanks(const DrillOptions& options) : options_(options) {}

    // The fresh set of an entry, made now when it was not made yet, or why it cannot be made.
    const Result<FreshBank>& of(const CatalogueEntry& entry);
    // Makes the fresh set of every entry fresh numbers can ask.
    void prepareAll();

private:
    DrillOptions options_;
    // By what makes them: entries that ask one bank share its fresh bank.
    std::map<QString, Result<FreshBank>> made_;
};

} // namespace minamo
