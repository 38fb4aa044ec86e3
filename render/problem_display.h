#pragma once

#include "core/drill.h"

namespace minamo {

// The answer a pupil is to type: the stored answer up to its first ":".
QString expectedAnswer(const QString& stored);

// Shows a problem without powers in Picture2 as the drill presents it: a problem with a
// fraction as its equation with stacked fractions (layoutText becomes the equation), any
// other as text, cut into pieces of 21 characters a line when it is longer than 20.
void drawProblem(Drill& d, const QString& problem);

// Where a problem that carries its own worked solution is set (design/story_layout.h):
// while the pupil works on it, or beside its worked solution after a miss.
enum class StoryPlace { Wide, Beside };

// Whether a problem text is a ratio equation with its instruction ("x:12=3:4 比例式を解いて。")
// rather than a word problem.
bool isRatioProblem(const QString& problem);

// A problem that carries its own worked solution, on an area standing for Picture2: a ratio
// equation where an equation stands, its fractions stacked; a word problem wrapped in the
// place's box, in its size. Set wide, its spoken text is the problem as written; moved
// beside, the story set wide is painted over and the spoken text kept.
void drawOwnProblem(PictureArea& area, const QString& problem, StoryPlace place);

} // namespace minamo
