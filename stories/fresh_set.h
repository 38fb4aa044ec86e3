#pragma once

// The fresh numbers of any entry of the menus, made one way: a bank's entry gets the bank
// with other numbers of the same shapes; an entry that only fresh numbers can ask (a word
// problem set, the ratio equations) gets its problems from its generator, each carrying its
// own working and proven to fit where the fresh edition draws it.

#include "catalogue/catalogue.h"
#include "fresh/fresh_bank.h"
#include "platform/result.h"
#include "stories/story_set.h"

#include <cstdint>
#include <optional>

namespace minamo {

struct FreshSetLimits {
    FreshLimits bank;  // for an entry with a bank
    StoryLimits story; // for an entry with a generator (its accepts hook is the fit proof)
};

// The entry's problems with fresh numbers for a seed, the same on every machine; why not,
// when a position found no proven problem within the tries.
Result<FreshBank> makeFreshSet(const CatalogueEntry& entry, std::uint64_t seed,
                               const FreshSetLimits& limits = {});

// The generator behind a generator's key ("storySpeed"), or none.
std::optional<StorySet> storySetOf(QStringView key);

// A proven story problem as the drill asks it: its text, answer and working.
Working workingOf(const StoryProblem& problem);

} // namespace minamo
