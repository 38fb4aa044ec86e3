#include "render/fraction_equation.h"

namespace minamo {

void splitTerms(DrillState& s) {}

void drawFractionEquation(Drill& d) {}

void drawFractionLine(DrillState& s, PictureArea& area, double startX, double barY) {}

} // namespace minamo
