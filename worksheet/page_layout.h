#pragma once

// The page of a worksheet: A4 portrait in twips, the box inside its margins that every
// drawing stays in, and the columns the problems and answers flow down.

#include "worksheet/sheet_surface.h"

namespace minamo {

namespace page {
inline constexpr double width = 11906;  // 210 mm
inline constexpr double height = 16838; // 297 mm
// 15 mm all round: well inside what any printer prints.
inline constexpr double margin = 850;
inline constexpr int columns = 2;
inline constexpr double columnGap = 567; // 1 cm
// The footer's room at the foot of the printable box.
inline constexpr double footerRoom = 400;

// Everything drawn on a page lies in this box.
inline constexpr TwipsBox printable{margin, margin, width - margin, height - margin};
inline constexpr double columnWidth = (printable.width() - columnGap * (columns - 1)) / columns;
// The columns end above the footer.
inline constexpr double columnBottom = printable.bottom - footerRoom;
} // namespace page

// Items placed down the columns of a page, left column first, then on the next page. With
// one column the items are rows across the printable box.
class ColumnFlow {
public:
    struct Spot {
        int page;
        double x; // the column's left edge
        double y; // the item's top
    };
    // The first item goes to the left column of the page, at top.
    ColumnFlow(int page, double top, int columns = page::columns)
        : page_(page), columns_(columns), top_(top), y_(top) {}

    // The place of the next item, of that height; the flow moves on below it. An item
    // taller than a column starts a column of its own (the caller keeps items lower).
    Spot take(double itemHeight);
    int page() const { return page_; }

private:
    void breakPage();

    int page_;
    int columns_;
    int column_ = 0;
    double top_;
    double y_;
};

} // namespace minamo
