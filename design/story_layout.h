#pragma once

// Where the fresh edition sets a problem that carries its own worked solution (a word
// problem, a ratio equation). The window's design leaves the problem area's top 1080 twips
// for an equation; a story of three or four lines needs more. So a story is set wide across
// the problem area while the pupil works, with the worked solution's area (Picture7) hidden;
// after a miss it moves beside, into the column above the answer areas, and the worked
// solution takes the left of the window. All in twips of the problem area (Picture2), whose
// right column from 6120 down to the typed answer (3960) nothing else covers.

#include "design/font_families.h"

namespace minamo::storyLayout {

struct Box {
    double left, top, width, bottom;
    double points; // the story's size there
};

// While the pupil works: wide, at a size a pupil reads easily.
inline constexpr Box wide{.left = 120, .top = 120, .width = 8535, .bottom = 3900, .points = 15.75};
// After a miss: beside the worked solution.
inline constexpr Box beside{
    .left = 6180, .top = 120, .width = 2535, .bottom = 3900, .points = 11.25};
// A ratio equation, in the problem area's own size, where an equation stands.
inline constexpr Box ratio{.left = 40, .top = 40, .width = 8695, .bottom = 1080, .points = 20.25};

// The worked solution's lines in words (what x is, the check, the answer) in the worked
// solution's area: smaller than its equations, so that a line of a story's working fits.
inline constexpr double workingTextPoints = 11.25;
inline constexpr double workingTextLeft = 60;
inline constexpr double workingTextWidth = 5895;
// Between the working's parts.
inline constexpr double workingGap = 40;

inline const QString& storyFont() {
    return font::proportional;
}

} // namespace minamo::storyLayout
