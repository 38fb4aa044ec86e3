#include "platform/qt/qt_picture_area.h"

#include "platform/qt/fonts.h"
#include "platform/qt/qt_colour.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

namespace minamo {

namespace {
constexpr double metresPerInch = 0.0254;
} // namespace

PictureWidget::PictureWidget(QtPictureArea& area, QWidget* parent) : QWidget(parent), area_(area) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (area_.isBlank()) {
        // The image is left unwritten until something is drawn in it.
        painter.fillRect(rect(), toQColor(area_.backColour()));
        return;
    }
    painter.drawImage(rect(), area_.image());
}

QtPictureArea::QtPictureArea(const ControlSpec& layout, TwipsScale scale, QWidget* parent)
    : widget_(new PictureWidget(*this, parent)), scale_(scale), widthTwips_(layout.width),
      heightTwips_(layout.height), back_(layout.back.value_or(colour::lightCyan)),
      fore_(layout.fore.value_or(colour::windowText)), fontName_(fontOf(layout).name),
      fontSize_(fontOf(layout).points), scaleWidth_(layout.width), scaleHeight_(layout.height) {
    widget_->setObjectName(layout.name);
    widget_->setGeometry(scale_.toWholePixels(layout.left), scale_.toWholePixels(layout.top),
                         scale_.toWholePixels(layout.width), scale_.toWholePixels(layout.height));
    const qreal ratio = widget_->devicePixelRatioF();
    image_ = QImage(QSize(qCeil(widget_->width() * ratio), qCeil(widget_->height() * ratio)),
                    QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    // Fonts given in points are sized at the screen's logical DPI, as the twips are.
    const int dotsPerMetre = static_cast<int>(std::lround(scale_.dpi / metresPerInch));
    image_.setDotsPerMeterX(dotsPerMetre);
    image_.setDotsPerMeterY(dotsPerMetre);
    updateFont();
}

QImage& QtPictureArea::pixels() const {
    if (clearPending_) {
        clearPending_ = false;
        image_.fill(toQColor(back_));
    }
    return image_;
}

void QtPictureArea::updateFont() {
    font_ = designFont(fontName_, fontSize_);
}

void QtPictureArea::clear() {
    clearPending_ = true;
    x_ = scaleLeft_;
    y_ = scaleTop_;
    widget_->update();
}

void QtPictureArea::setVisible(bool visible) {
    widget_->setVisible(visible);
}

bool QtPictureArea::isVisible() const {
    return !widget_->isHidden();
}

void QtPictureArea::setFontName(const QString& name) {
    fontName_ = name;
    updateFont();
}

void QtPictureArea::setFontSize(double points) {
    fontSize_ = points;
    updateFont();
}

QPointF QtPictureArea::toPixels(double x, double y) const {
    const double twipsX = (x - scaleLeft_) * widthTwips_ / scaleWidth_;
    const double twipsY = (y - scaleTop_) * heightTwips_ / scaleHeight_;
    return {scale_.toPixels(twipsX), scale_.toPixels(twipsY)};
}

double QtPictureArea::textWidth(const QString& text) const {
    const QFontMetricsF metrics(font_, &image_);
    return scale_.toTwips(metrics.horizontalAdvance(text)) * scaleWidth_ / widthTwips_;
}

double QtPictureArea::textHeight() const {
    const QFontMetricsF metrics(font_, &image_);
    return scale_.toTwips(metrics.height()) * scaleHeight_ / heightTwips_;
}

void QtPictureArea::print(const QString& text, LineEnd end) {
    if (!text.isEmpty()) {
        QPainter painter(&pixels());
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font_);
        painter.setPen(toQColor(fore_));
        const QFontMetricsF metrics(font_, &image_);
        const QPointF topLeft = toPixels(x_, y_);
        painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
        widget_->update();
    }
    if (end == LineEnd::Stay) {
        x_ += textWidth(text);
    } else {
        x_ = scaleLeft_;
        y_ += textHeight();
    }
}

void QtPictureArea::line(double x1, double y1, double x2, double y2, Rgb colour) {
    QPainter painter(&pixels());
    painter.setPen(QPen(toQColor(colour), 1.0));
    painter.drawLine(toPixels(x1, y1), toPixels(x2, y2));
    widget_->update();
    x_ = x2;
    y_ = y2;
}

void QtPictureArea::box(double x1, double y1, double x2, double y2, Rgb colour, BoxFill fill) {
    QPainter painter(&pixels());
    const QRectF rect = QRectF(toPixels(x1, y1), toPixels(x2, y2)).normalized();
    painter.setPen(QPen(toQColor(colour), 1.0));
    if (fill == BoxFill::Solid) {
        painter.fillRect(rect, toQColor(colour));
    }
    painter.drawRect(rect);
    widget_->update();
    x_ = x2;
    y_ = y2;
}

void QtPictureArea::setScale(double left, double top, double right, double bottom) {
    scaleLeft_ = left;
    scaleTop_ = top;
    scaleWidth_ = right - left;
    scaleHeight_ = bottom - top;
}

} // namespace minamo
