#pragma once

#include "design/form_layout.h"
#include "qt/twips.h"

class QWidget;

namespace minamo {

// Puts a control where the design says, in its font and colours: its name, its place and
// size in twips at the scale, its font when it has its own, its back and fore colours.
void placeControl(QWidget* widget, const ControlSpec& layout, const TwipsScale& scale);

} // namespace minamo
