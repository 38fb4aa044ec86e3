#pragma once

#include <cmath>

namespace minamo {

// Twips to device-independent pixels at the screen's logical DPI (15 twips a pixel at
// 96 dpi). All layout arithmetic stays in twips; only the Qt layer converts.
struct TwipsScale {
    double dpi = 96.0;
    double toPixels(double twips) const { return twips * dpi / 1440.0; }
    double toTwips(double pixels) const { return pixels * 1440.0 / dpi; }
    int toWholePixels(double twips) const { return static_cast<int>(std::lround(toPixels(twips))); }
};

} // namespace minamo
