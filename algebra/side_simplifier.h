#pragma once

#include "core/drill_state.h"

namespace minamo {

// Expands the brackets of sideText and collects it into sideCoefficient, sideLetter,
// sideConstant and sideCollected (and sideExpanded after a second expansion).
void simplifySide(DrillState& s);

} // namespace minamo
