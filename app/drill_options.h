#pragma once

// What the pupil chose when starting the program: the banks' own numbers (started plainly)
// or fresh ones (--fresh, or --fresh=SEED for a given seed).

#include "catalogue/catalogue.h"
#include "fresh/fresh_bank.h"
#include "platform/result.h"

#include <QStringList>
#include <cstdint>
#include <optional>

namespace minamo {

struct DrillOptions {
    Numbers numbers = Numbers::Bank;
    std::uint64_t seed = 0; // the fresh numbers' seed
    FreshLimits limits;
};

// The options of the command line (the program's name left out), or the mistake for the
// person who typed them: an unknown option or argument, or a seed that is not a whole number.
Result<DrillOptions> parseDrillOptions(const QStringList& arguments, std::uint64_t clockSeed);

// How to start the program, for --help and after a mistake.
QString drillUsage();

} // namespace minamo
