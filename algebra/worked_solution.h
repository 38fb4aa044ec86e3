#pragma once

#include "core/drill.h"

namespace minamo {

// Writes the step-by-step solution of explainedEquation into Picture7.
void showWorkedSolution(Drill& d);

// Prints currentLine in Picture7, 20 twips below the pen, with a line break.
void printSolutionLine(Drill& d);

} // namespace minamo
