#pragma once

// The window's areas as the styles of a worksheet's drawings: each drawing is made on an
// area of the sheet that stands for the window's area it is drawn in.

#include "design/form_layout.h"
#include "worksheet/sheet_surface.h"

namespace minamo {

// The window's area of that id as a drawing's style: its font, text colour and size.
AreaStyle windowAreaStyle(ControlId id);

} // namespace minamo
