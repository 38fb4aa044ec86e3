#include "worksheet/page_layout.h"

namespace minamo {

ColumnFlow::Spot ColumnFlow::take(double itemHeight) {
    const bool columnStarted = y_ > top_;
    if (columnStarted && y_ + itemHeight > page::columnBottom) {
        if (++column_ == columns_) {
            breakPage();
        } else {
            y_ = top_;
        }
    }
    const Spot spot{.page = page_,
                    .x = page::printable.left + column_ * (page::columnWidth + page::columnGap),
                    .y = y_};
    y_ += itemHeight;
    return spot;
}

void ColumnFlow::breakPage() {
    ++page_;
    column_ = 0;
    top_ = page::printable.top;
    y_ = top_;
}

} // namespace minamo
