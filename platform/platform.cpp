#include "platform/platform.h"

#include "app/basic_text.h"

namespace minamo {

void PictureArea::printNumber(double value, LineEnd end) {
    print(blankSignedText(value), end);
}

} // namespace minamo
