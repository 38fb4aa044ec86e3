#pragma once

// What a worksheet is drawn on: drawings made through the picture-area interface with the
// drill's own procedures, measured, and then placed on pages. All sizes are twips; the
// surface alone knows its fonts and its device (a PDF in the Qt layer, a measure in tests).

#include "platform/platform.h"

#include <algorithm>
#include <optional>

namespace minamo {

// A rectangle in twips, y downward.
struct TwipsBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    constexpr double width() const { return right - left; }
    constexpr double height() const { return bottom - top; }
    constexpr bool contains(const TwipsBox& other) const {
        return other.left >= left && other.top >= top && other.right <= right &&
               other.bottom <= bottom;
    }
    // Sharing more than an edge (boxes that meet where sums of lengths round differently
    // still only meet).
    constexpr bool overlaps(const TwipsBox& other) const {
        constexpr double meeting = 0.001;
        return std::min(right, other.right) - std::max(left, other.left) > meeting &&
               std::min(bottom, other.bottom) - std::max(top, other.top) > meeting;
    }
    constexpr TwipsBox united(const TwipsBox& other) const {
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }
};

// How a drawing's area starts: the font, text colour and size of the window's area it
// stands for (or of a heading).
struct AreaStyle {
    QString fontName;
    double fontPoints = 0;
    Rgb fore = colour::black;
    double widthTwips = 0;
    double heightTwips = 0;
};

class SheetSurface {
public:
    virtual ~SheetSurface() = default;
    // A new drawing, numbered from 0 in the order begun: an empty area of the style with
    // the pen at its top left corner.
    virtual int beginDrawing(const AreaStyle& style) = 0;
    virtual PictureArea& area(int drawing) = 0;
    // Where the drawing reaches, in twips of its area: every text from its top to its
    // bottom line and every line and box; nothing when nothing was drawn.
    virtual std::optional<TwipsBox> drawnBox(int drawing) const = 0;
    // Puts the drawing on a page (numbered from 0): its area's (0, 0) at (x, y) twips from
    // the page's top left corner, every length times zoom. Pages are filled in order.
    virtual void place(int drawing, int page, double x, double y, double zoom) = 0;
};

} // namespace minamo
