#pragma once

#include "catalogue/catalogue.h"
#include "core/drill.h"

namespace minamo {

// A menu click: starts a timed drill of the set, unless a drill is under way.
void startDrill(Drill& d, const CatalogueEntry& set);

// The clock's start and the emptied lists of a new drill.
void resetDrill(Drill& d);

} // namespace minamo
