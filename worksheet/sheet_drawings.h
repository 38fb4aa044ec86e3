#pragma once

// A worksheet's problems, answers and worked solutions drawn by the drill's own procedures,
// each on an area of the caller's that stands for the window's area it is drawn in.

#include "design/form_layout.h"
#include "worksheet/sheet_surface.h"

namespace minamo {

// The window's area of that id as a drawing's style: its font, text colour and size.
AreaStyle windowAreaStyle(ControlId id);

// The problem as the problem area (Picture2) shows it, without its instruction: a problem
// with a fraction through the fraction-equation display, one with powers through the power
// renderer, any other as one line of text.
void drawSheetProblem(PictureArea& area, const QString& problem);

// The answer as the answer display (Picture3) shows it typed: fractions stacked.
void drawSheetAnswer(PictureArea& area, const QString& answer);

// The worked solution of the problem's equation as Picture7 shows it after a first miss.
void drawSheetSolution(PictureArea& area, const QString& problem);

} // namespace minamo
