#pragma once

// The command line of minamo-worksheet, the sets it knows, where a sheet goes by default,
// and the one place that says which problems a sheet prints.

#include "catalogue/catalogue.h"
#include "fresh/fresh_bank.h"
#include "platform/result.h"

#include <QDate>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace minamo {

struct WorksheetCommand {
    enum class Action { Sheet, List, Help, Window };
    enum class Open { Yes, No };
    Action action = Action::Window;
    QString setName; // "方程式分数2"
    Numbers numbers = Numbers::Bank;
    std::optional<std::uint64_t> seed; // for fresh numbers; none: the clock's
    QString output;                    // empty: the default
    Open open = Open::Yes;
};

// The arguments after the program's name: a set and options make a sheet, none the window;
// or the mistake in them.
Result<WorksheetCommand> parseWorksheetArguments(const QStringList& arguments);
QString worksheetUsage();

// The set of that name (its record name without ".txt"), or none: every set the drill can
// ask, those only fresh numbers ask ("文章問題1") among them.
const CatalogueEntry* sheetSet(QStringView setName);
// Every set, a line each: its name, a tab, its menu path, and for a set only fresh numbers
// ask a note that it needs --fresh.
QString setList();
// What to tell someone who named no set of the catalogue.
QString unknownSetMessage(const QString& setName);
// What to tell someone who asked a set's own problems of a set that only fresh numbers ask.
QString freshOnlyMessage(const CatalogueEntry& entry);

// Where a sheet goes unless told: the user's documents folder, named after the set and the
// day ("方程式分数2_2026-12-09.pdf"); fresh numbers add their seed
// ("方程式分数新2_2026-12-09_12345.pdf").
QString defaultSheetPath(const CatalogueEntry& entry, Numbers numbers, std::uint64_t seed,
                         QDate date);

// The problems a sheet prints: the set's own bank, or its fresh numbers for the seed (a
// word problem or ratio equation with its working).
class SheetBank {
public:
    const Bank& bank() const { return fresh_ ? fresh_->bank() : *own_; }

private:
    friend Result<SheetBank> bankToPrint(const CatalogueEntry&, Numbers, std::uint64_t);
    SheetBank(const Bank* own, std::optional<FreshBank> fresh)
        : own_(own), fresh_(std::move(fresh)) {}
    const Bank* own_;
    std::optional<FreshBank> fresh_;
};

// A failure, saying which set and why, when fresh numbers were asked and none could be
// proven for the seed: a sheet never falls back to the set's own problems then; and when a
// set that only fresh numbers ask is asked for its own problems.
Result<SheetBank> bankToPrint(const CatalogueEntry& entry, Numbers numbers, std::uint64_t seed);

} // namespace minamo
