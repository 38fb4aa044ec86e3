#pragma once

#include "core/drill.h"

namespace minamo {

// How a step-by-step solution begins: as the window's own, its first line left empty (the
// problem above it says the equation) and its fraction lines at their place; or below lines
// already written from `top` down (a problem's own working), the equation on its first line.
enum class FirstLine { Blank, Equation };

// Writes the step-by-step solution of explainedEquation into Picture7.
void showWorkedSolution(Drill& d, FirstLine first = FirstLine::Blank, double top = 0);
// The worked solution of a problem text, from its first line, as a miss shows it.
void explainProblem(Drill& d, const QString& problem);

// The worked solution of a problem that carries its own working (a word problem, a ratio
// equation) in Picture7, as a textbook writes it: its lines in words, its equation solved
// step by step as every other, the check and the answer with its unit.
void explainWorking(Drill& d, const Working& working);

// Prints currentLine in Picture7, 20 twips below the pen, with a line break.
void printSolutionLine(Drill& d);

} // namespace minamo
