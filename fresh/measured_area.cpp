#include "fresh/measured_area.h"

#include "design/font_families.h"

#include <algorithm>

namespace minamo {

namespace {

constexpr double twipsPerPoint = 20;
// The widest advance of a half-width character in em, measured on the installed fonts:
// the digits, "+" and "=" of IPAPGothic take 0.63 em ("x" 0.49, "-" 0.36, brackets 0.33);
// every character of IPAGothic takes 0.5 em. Full-width characters take 1 em in both.
constexpr double proportionalHalfWidth = 0.64;
constexpr double fixedHalfWidth = 0.5;
// A line of either font is 1.075 em high.
constexpr double lineHeight = 1.08;

} // namespace

MeasuredArea::MeasuredArea(double widthTwips, double heightTwips, QString fontName, double fontSize)
    : PenArea({.widthTwips = widthTwips,
               .heightTwips = heightTwips,
               .fontName = std::move(fontName),
               .fontPoints = fontSize}) {}

double MeasuredArea::textWidthTwips(const QString& text, const QString& fontName, double points) {
    const double half = font::isFixedPitch(fontName) ? fixedHalfWidth : proportionalHalfWidth;
    double em = 0;
    for (const QChar c : text) {
        em += c.unicode() < 0x80 || (c.unicode() >= 0xff61 && c.unicode() <= 0xff9f) ? half : 1.0;
    }
    return em * points * twipsPerPoint;
}

double MeasuredArea::lineHeightTwips(double points) {
    return lineHeight * points * twipsPerPoint;
}

void MeasuredArea::reach(double x, double y) {
    if (!reached_) {
        reached_ = Reach{x, y, x, y};
        return;
    }
    reached_->left = std::min(reached_->left, x);
    reached_->top = std::min(reached_->top, y);
    reached_->right = std::max(reached_->right, x);
    reached_->bottom = std::max(reached_->bottom, y);
}

bool MeasuredArea::fits() const {
    return !reached_ || (reached_->left >= 0 && reached_->top >= 0 &&
                         reached_->right <= widthTwips() && reached_->bottom <= heightTwips());
}

void MeasuredArea::clear() {
    penHome();
    reached_.reset();
    steps_.clear();
    setSpokenText(QString());
}

void MeasuredArea::print(const QString& text, LineEnd end) {
    const double width = textWidthTwips(text, fontName(), fontSize());
    const double height = lineHeightTwips(fontSize());
    if (!text.isEmpty()) {
        reach(currentX(), currentY());
        reach(currentX() + width, currentY() + height);
        steps_.push_back({.kind = Step::Kind::Text, .text = text});
    }
    penAfterPrint(end, width, height);
}

void MeasuredArea::line(double x1, double y1, double x2, double y2, Rgb) {
    reach(x1, y1);
    reach(x2, y2);
    steps_.push_back({.kind = Step::Kind::Bar, .text = {}});
    setPen(x2, y2);
}

void MeasuredArea::box(double x1, double y1, double x2, double y2, Rgb, BoxFill) {
    reach(x1, y1);
    reach(x2, y2);
    setPen(x2, y2);
}

} // namespace minamo
