#pragma once

// Fresh numbers: a bank with other numbers in the same places. Problem k of a fresh bank has
// the shape of the bank's problem k (the same text but for its numbers, no number longer
// than the bank's), an answer of the same kind (a whole number or a fraction in lowest
// terms) no larger than the set's own answers, and is proven before anyone sees it: an
// exact solver finds its answer, the worked solution must end on that answer, and the
// problem and its solution must fit their areas.

#include "banks/banks.h"
#include "catalogue/catalogue.h"
#include "platform/result.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace minamo {

class FreshBank {
public:
    FreshBank(const Bank& of, std::vector<QString> questions, std::vector<QString> answers);
    // Problems that carry their own working (a word problem, a ratio equation), under the
    // name of what made them ("storySpeed"), which lives as long as the program.
    FreshBank(QStringView builder, std::vector<QString> questions, std::vector<QString> answers,
              std::vector<Working> workings);
    FreshBank(FreshBank&&) = default;
    FreshBank& operator=(FreshBank&&) = default;
    FreshBank(const FreshBank&) = delete;
    FreshBank& operator=(const FreshBank&) = delete;

    // The fresh problems as a bank under the bank's builder name.
    const Bank& bank() const { return bank_; }

private:
    std::vector<QString> questions_;
    std::vector<QString> answers_;
    std::vector<Working> workings_;
    std::vector<BankProblem> problems_;
    Bank bank_;
};

struct FreshLimits {
    // Draws of numbers tried for one position before the bank is given up.
    int triesPerProblem = 20000;
};

// The fresh bank of a bank for a seed: the same for one seed on every machine. A failure,
// saying at which problem, when a position gave no proven problem within the tries (the
// drill then says so; it never falls back to the bank's own problems).
Result<FreshBank> makeFreshBank(const Bank& bank, std::uint64_t seed,
                                const FreshLimits& limits = {});

// What every program tells the person who asked for a set's fresh numbers that could not
// be made: which set, and why.
QString freshFailureMessage(const CatalogueEntry& entry, const QString& reason);

// A seed for a pupil's session, from the clock.
std::uint64_t clockSeed();

} // namespace minamo
