#include "qt/qt_picture_area.h"

#include "qt/fonts.h"
#include "qt/qt_colour.h"

#include <QAccessible>
#include <QPainter>

namespace minamo {

namespace {
constexpr double metresPerInch = 0.0254;
// Steps kept as a list before the drawing goes into the image: of the built-in problems, one
// takes at most 21 steps and its worked solution at most 51; the chart of a long history
// takes more.
constexpr std::size_t keptStepLimit = 64;
// Lines are one pixel wide on the screen.
constexpr double screenPenWidth = 1.0;

PaintedArea::Design designOf(const ControlSpec& layout) {
    return {.widthTwips = static_cast<double>(layout.width),
            .heightTwips = static_cast<double>(layout.height),
            .fontName = fontOf(layout).name,
            .fontPoints = fontOf(layout).points,
            .fore = layout.fore.value_or(colour::windowText),
            .penWidth = screenPenWidth};
}
} // namespace

PictureWidget::PictureWidget(QtPictureArea& area, QWidget* parent) : QWidget(parent), area_(area) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    area_.paint(painter, rect());
}

QtPictureArea::QtPictureArea(const ControlSpec& layout, TwipsScale scale, QWidget* parent)
    : PaintedArea(designOf(layout), scale), id_(layout.id),
      widget_(new PictureWidget(*this, parent)), back_(layout.back.value_or(colour::lightCyan)) {
    widget_->setObjectName(layout.name);
    widget_->setGeometry(scale.toWholePixels(layout.left), scale.toWholePixels(layout.top),
                         scale.toWholePixels(layout.width), scale.toWholePixels(layout.height));
    const qreal ratio = widget_->devicePixelRatioF();
    image_ = QImage(QSize(qCeil(widget_->width() * ratio), qCeil(widget_->height() * ratio)),
                    QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    // Fonts given in points are sized at the screen's logical DPI, as the twips are.
    const int dotsPerMetre = static_cast<int>(std::lround(scale.dpi / metresPerInch));
    image_.setDotsPerMeterX(dotsPerMetre);
    image_.setDotsPerMeterY(dotsPerMetre);
}

void QtPictureArea::draw(PaintStep step) {
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
    for (const PaintStep& step : steps_) {
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
    for (const PaintStep& step : steps_) {
        paintStep(painter, step);
    }
}

void QtPictureArea::clear() {
    inImage_ = false;
    steps_.clear();
    penHome();
    widget_->update();
    setSpokenText(QString());
}

void QtPictureArea::setSpokenText(const QString& text) {
    if (text == spokenText()) {
        return;
    }
    PaintedArea::setSpokenText(text);
    announceSoon();
}

void QtPictureArea::announceSoon() {
    // With no assistive tool listening nothing is told (and no event posted); one that
    // starts later reads the text as it then stands.
    if (!QAccessible::isActive()) {
        announced_ = spokenText();
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
    if (spokenText() == announced_) {
        return;
    }
    QAccessibleTextUpdateEvent event(widget_, 0, announced_, spokenText());
    announced_ = spokenText();
    QAccessible::updateAccessibility(&event);
}

void QtPictureArea::setVisible(bool visible) {
    widget_->setVisible(visible);
}

bool QtPictureArea::isVisible() const {
    return !widget_->isHidden();
}

} // namespace minamo
