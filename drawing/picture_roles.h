#pragma once

// One entry for each role a picture area plays: each draws a value on an area of the
// caller's as the window draws it in that role, and needs no window and no drill state of
// its caller. The window's own procedures draw behind them, on a drill of their own that
// starts afresh for every drawing, so that nothing of one drawing shows in the next.

#include "algebra/worked_solution.h"
#include "core/working.h"
#include "history/history_chart.h"
#include "platform/platform.h"
#include "render/problem_display.h"

#include <QString>

namespace minamo {

// How a problem without fractions is set in lines: cut into pieces of 21 characters as the
// window's problem area cuts it, or its equation alone on one line, as a sheet's wider
// column takes it (an equation cut inside a bracket reads badly on paper).
enum class ProblemLines { AsTheWindow, EquationOnOneLine };

// The problem as the problem area (Picture2) shows it: with a fraction, its equation with
// stacked fractions; with powers, through the power renderer; any other as text. A problem
// that carries its own working (a word problem, a ratio equation) is set as the fresh
// edition sets it, wide while the pupil works or beside its worked solution.
void drawProblemRole(PictureArea& area, const QString& problem, ProblemLines lines,
                     const Working* working = nullptr, StoryPlace place = StoryPlace::Wide);

// An answer as the answer display (Picture3) draws a typed one: fractions stacked. The
// expected answer of a problem is drawn the same way, from its stored form.
void drawAnswerRole(PictureArea& area, const QString& answer);

// The worked solution of a problem as Picture7 shows it after a miss: its own working where
// it carries one, its stacked fraction lines where the window has them or under its lines
// in words.
void drawSolutionRole(PictureArea& area, const QString& problem, const Working* working = nullptr,
                      WorkingFractions fractions = WorkingFractions::AsTheWindow);

// The chart of a family's records and a new result as Picture1 shows it at the end of a
// drill; false when the new score is 0 (nothing is recorded then).
bool drawChartRole(PictureArea& area, const ChartValues& values);

} // namespace minamo
