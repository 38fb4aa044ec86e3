#include "app/fresh_banks.h"

#include "catalogue/catalogue.h"

namespace minamo {

const Result<FreshBank>& FreshBanks::of(const Bank& bank) {
    auto it = made_.find(&bank);
    if (it == made_.end()) {
        it = made_.emplace(&bank, makeFreshBank(bank, options_.seed, options_.limits)).first;
    }
    return it->second;
}

void FreshBanks::prepareAll() {
    for (const Bank* bank : catalogueBanks()) {
        of(*bank);
    }
}

} // namespace minamo
