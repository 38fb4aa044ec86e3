#pragma once

#include "app/form_layout.h"
#include "banks/banks.h"
#include "core/drill.h"

#include <span>

namespace minamo {

struct CatalogueEntry {
    MenuEntry entry;
    BankFill builder;
    QString recordName; // "方程式基本1.txt"
};

// The sixteen sets the menu can start, in menu order.
std::span<const CatalogueEntry> catalogue();
const CatalogueEntry* catalogueEntry(MenuEntry entry);

// A menu click: starts a timed drill of the set, unless a drill is under way.
void startDrill(Drill& d, const CatalogueEntry& set);

// The clock's start and the emptied lists of a new drill.
void resetDrill(Drill& d);

} // namespace minamo
