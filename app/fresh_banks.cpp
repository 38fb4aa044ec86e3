#include "app/fresh_banks.h"

#include "stories/fresh_set.h"

namespace minamo {

const Result<FreshBank>& FreshBanks::of(const CatalogueEntry& entry) {
    const QString maker = entry.maker().toString();
    auto it = made_.find(maker);
    if (it == made_.end()) {
        const FreshSetLimits limits{.bank = options_.limits, .story = {}};
        it = made_.emplace(maker, makeFreshSet(entry, options_.seed, limits)).first;
    }
    return it->second;
}

void FreshBanks::prepareAll() {
    for (const CatalogueEntry& entry : catalogue()) {
        if (entry.choosable(Numbers::Fresh)) {
            of(entry);
        }
    }
}

} // namespace minamo
