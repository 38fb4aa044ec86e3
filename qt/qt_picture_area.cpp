#include "qt/qt_picture_area.h"

#include "qt/fonts.h"
#include "qt/qt_colour.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

namespace minamo {

namespace {
constexpr double metresPerInch = 0.0254;
// Steps kept as a list before the drawing goes into the image: of the built-in problems, one
// takes at most 21 steps and its worked solution at most 51; the chart of a long history
// takes more.
constexpr std::size_t keptStepLimit = 64;
} // namespace

PictureWidget::PictureWidget(QtPictureArea& area, QWidget* parent) : QWidget(parent), area_(area) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    area_.paint(painter, rect());
}

QtPictureArea::QtPictureArea(const ControlSpec& layout, TwipsScale scale, QWidget* parent)
    : id_(layout.id), widget_(new PictureWidget(*this, parent)), scale_(scale),
      widthTwips_(layout.width), heightTwips_(layout.height),
      back_(layout.back.value_or(colour::lightCyan)),
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

void QtPictureArea::paintStep(QPainter& painter, const Step& step) {
    switch (step.kind) {
    case Step::Kind::Text:
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(step.font);
        painter.setPen(step.colour);
        painter.drawText(step.from, step.text);
        break;
    case Step::Kind::Line:
        painter.setPen(QPen(step.colour, 1.0));
        painter.drawLine(step.from, step.to);
        break;
    case Step::Kind::Box:
    case Step::Kind::SolidBox: {
        const QRectF rect = QRectF(step.from, step.to).normalized();
        painter.setPen(QPen(step.colour, 1.0));
        if (step.kind == Step::Kind::SolidBox) {
            painter.fillRect(rect, step.colour);
        }
        painter.drawRect(rect);
        break;
    }
    }
}

void QtPictureArea::draw(Step step) {
    if (inImage_) {
        QPainter painter(&image_);
        paintStep(painter, step);
    } else {
        steps_.push_back(std::move(step));
        if (steps_.size() > keptStepLimit) {
            writeImage();
        }
    }
    widget_->update();
}

void QtPictureArea::writeImage() const {
    if (inImage_) {
        return;
    }
    image_.fill(toQColor(back_));
    QPainter painter(&image_);
    for (const Step& step : steps_) {
        paintStep(painter, step);
    }
    steps_.clear();
    inImage_ = true;
}

const QImage& QtPictureArea::image() const {
    writeImage();
    return image_;
}

void QtPictureArea::paint(QPainter& painter, const QRect& rect) const {
    if (inImage_) {
        painter.drawImage(rect, image_);
        return;
    }
    painter.fillRect(rect, toQColor(back_));
    for (const Step& step : steps_) {
        paintStep(painter, step);
    }
}

void QtPictureArea::updateFont() {
    font_ = designFont(fontName_, fontSize_);
}

void QtPictureArea::clear() {
    inImage_ = false;
    steps_.clear();
    x_ = scaleLeft_;
    y_ = scaleTop_;
    widget_->update();
    setSpokenText(QString());
}

void QtPictureArea::setSpokenText(const QString& text) {
    if (text == spoken_) {
        return;
    }
    spoken_ = text;
    announceSoon();
}

void QtPictureArea::announceSoon() {
    // With no assistive tool listening nothing is told (and no event posted); one that
    // starts later reads the text as it then stands.
    if (!QAccessible::isActive()) {
        announced_ = spoken_;
        return;
    }
    if (announcePending_) {
        return;
    }
    announcePending_ = true;
    QMetaObject::invokeMethod(
        widget_, [this] { announce(); }, Qt::QueuedConnection);
}

void QtPictureArea::announce() {
    announcePending_ = false;
    if (spoken_ == announced_) {
        return;
    }
    QAccessibleTextUpdateEvent event(widget_, 0, announced_, spoken_);
    announced_ = spoken_;
    QAccessible::updateAccessibility(&event);
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
        const QFontMetricsF metrics(font_, &image_);
        const QPointF topLeft = toPixels(x_, y_);
        draw({.kind = Step::Kind::Text,
              .from = QPointF(topLeft.x(), topLeft.y() + metrics.ascent()),
              .colour = toQColor(fore_),
              .text = text,
              .font = font_});
    }
    if (end == LineEnd::Stay) {
        x_ += textWidth(text);
    } else {
        x_ = scaleLeft_;
        y_ += textHeight();
    }
}

void QtPictureArea::line(double x1, double y1, double x2, double y2, Rgb colour) {
    draw({.kind = Step::Kind::Line,
          .from = toPixels(x1, y1),
          .to = toPixels(x2, y2),
          .colour = toQColor(colour)});
    x_ = x2;
    y_ = y2;
}

void QtPictureArea::box(double x1, double y1, double x2, double y2, Rgb colour, BoxFill fill) {
    draw({.kind = fill == BoxFill::Solid ? Step::Kind::SolidBox : Step::Kind::Box,
          .from = toPixels(x1, y1),
          .to = toPixels(x2, y2),
          .colour = toQColor(colour)});
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
