#pragma once

#include "platform/platform.h"

#include <QColor>

namespace minamo {

// The colour of the design's RGB triple.
inline QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

} // namespace minamo
