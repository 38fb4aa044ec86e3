#pragma once

#include "core/drill.h"

namespace minamo {

// Writes the step-by-step solution of explainedEquation into Picture7.
void showWorkedSolution(Drill& d);
// The worked solution of a problem text, from its first line, as a miss shows it.
void explainProblem(Drill& d, const QString& problem);

// Where a working's equation with fractions has its stacked fraction lines: where the
// window's worked solution has them, at the bar level of an equation's first line whatever
// its lines in words take above (the window's area has no room for both one under the
// other); or under its lines in words, where paper has the room.
enum class WorkingFractions { AsTheWindow, UnderTheWords };

// The worked solution of a problem that carries its own working (a word problem, a ratio
// equation) in Picture7, as a textbook writes it: its lines in words, its equation solved
// step by step as every other, the check and the answer with its unit.
void explainWorking(Drill& d, const Working& working,
                    WorkingFractions fractions = WorkingFractions::AsTheWindow);

// Prints currentLine in Picture7, 20 twips below the pen, with a line break.
void printSolutionLine(Drill& d);

} // namespace minamo
