#include "fresh/measured_area.h"

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

bool isFixedPitch(const QString& fontName) {
    return fontName == QStringLiteral("MS Gothic") || fontName == QStringLiteral("ＭＳ ゴシック");
}

} // namespace

MeasuredArea::MeasuredArea(double widthTwips, double heightTwips, QString fontName, double fontSize)
    : width_(widthTwips), height_(heightTwips), fontName_(std::move(fontName)),
      fontSize_(fontSize) {}

double MeasuredArea::textWidthTwips(const QString& text, const QString& fontName, double points) {
    const double half = isFixedPitch(fontName) ? fixedHalfWidth : proportionalHalfWidth;
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
    return !reached_ || (reached_->left >= 0 && reached_->top >= 0 && reached_->right <= width_ &&
                         reached_->bottom <= height_);
}

void MeasuredArea::clear() {
    x_ = 0;
    y_ = 0;
    reached_.reset();
    steps_.clear();
    spoken_.clear();
}

void MeasuredArea::print(const QString& text, LineEnd end) {
    const double width = textWidthTwips(text, fontName_, fontSize_);
    if (!text.isEmpty()) {
        reach(x_, y_);
        reach(x_ + width, y_ + lineHeightTwips(fontSize_));
        steps_.push_back({.kind = Step::Kind::Text, .text = text});
    }
    if (end == LineEnd::Stay) {
        x_ += width;
    } else {
        x_ = 0;
        y_ += lineHeightTwips(fontSize_);
    }
}

void MeasuredArea::line(double x1, double y1, double x2, double y2, Rgb) {
    reach(x1, y1);
    reach(x2, y2);
    steps_.push_back({.kind = Step::Kind::Bar, .text = {}});
    x_ = x2;
    y_ = y2;
}

void MeasuredArea::box(double x1, double y1, double x2, double y2, Rgb, BoxFill) {
    reach(x1, y1);
    reach(x2, y2);
    x_ = x2;
    y_ = y2;
}

} // namespace minamo
