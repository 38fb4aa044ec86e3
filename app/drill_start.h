#pragma once

#include "app/fresh_banks.h"
#include "catalogue/catalogue.h"
#include "core/drill.h"

namespace minamo {

// A menu click: starts a timed drill of the set, unless a drill is under way. With fresh
// numbers the set's fresh bank comes from `fresh`; when it cannot be made, the pupil is told
// and nothing starts (the bank's own problems are never shown instead).
void startDrill(Drill& d, const CatalogueEntry& set, FreshBanks* fresh = nullptr);

// The notice when no fresh bank of a set could be made.
extern const QString freshFailureAdvice;

// The clock's start and the emptied lists of a new drill.
void resetDrill(Drill& d);

} // namespace minamo
