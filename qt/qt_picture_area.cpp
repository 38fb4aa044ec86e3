#include "qt/qt_picture_area.h"

#include "qt/fonts.h"
#include "qt/qt_colour.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace minamo {

namespace {
constexpr double metresPerInch = 0.0254;
// Steps kept as a list before the drawing goes into the image: of the built-in problems, one
// takes at most 21 steps and its worked solution at most 51; the chart of a long history
// takes more.
constexpr std::size_t keptStepLimit = 64;
// Lines are one pixel wide on the screen.
constexpr double screenPenWidth = 1.0;

// The pixels a step covers.
QRectF boundsOf(const PaintStep& step, const QPaintDevice* device) {
    switch (step.kind) {
    case PaintStep::Kind::Text: {
        const QFontMetricsF metrics(step.font, device);
        return {step.from.x(), step.from.y() - metrics.ascent(),
                metrics.horizontalAdvance(step.text), metrics.height()};
    }
    case PaintStep::Kind::Line:
    case PaintStep::Kind::Box:
    case PaintStep::Kind::SolidBox: {
        const double half = step.penWidth / 2;
        return QRectF(step.from, step.to).normalized().adjusted(-half, -half, half, half);
    }
    }
    return {};
}

// Lines of text set at once share the box of what was drawn for them, one band each.
std::vector<QRectF> bands(const QRectF& box, qsizetype count) {
    std::vector<QRectF> result;
    const double height = count > 0 ? box.height() / static_cast<double>(count) : 0;
    for (qsizetype i = 0; i < count; ++i) {
        result.emplace_back(box.left(), box.top() + height * static_cast<double>(i), box.width(),
                            height);
    }
    return result;
}

qsizetype lineCount(const QString& text) {
    return text.isEmpty() ? 0 : text.count(u'\n') + 1;
}

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
    const QRectF bounds = boundsOf(step, metricsDevice());
    drawn_ |= bounds;
    drawnSinceSpoken_ |= bounds;
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
    drawn_ = {};
    drawnSinceSpoken_ = {};
    penHome();
    widget_->update();
    setSpokenText(QString());
}

void QtPictureArea::setSpokenText(const QString& text) {
    const QString before = spokenText();
    if (text == before) {
        return;
    }
    PaintedArea::setSpokenText(text);
    const SpokenChange change = placeLines(before, text);
    announceSoon();
    if (spokenTextHandler_) {
        spokenTextHandler_(change,
                           change == SpokenChange::Extended ? text.mid(before.size() + 1) : text);
    }
}

QtPictureArea::SpokenChange QtPictureArea::placeLines(const QString& before, const QString& text) {
    // The drawing code sets the text beside the drawing, just after the steps it describes.
    const SpokenChange change = !before.isEmpty() && text.startsWith(before + u'\n')
                                    ? SpokenChange::Extended
                                    : SpokenChange::Replaced;
    if (change == SpokenChange::Replaced) {
        lineBoxes_ = bands(drawn_, lineCount(text));
    } else {
        for (const QRectF& band : bands(drawnSinceSpoken_, lineCount(text) - lineCount(before))) {
            lineBoxes_.push_back(band);
        }
    }
    drawnSinceSpoken_ = {};
    return change;
}

QRectF QtPictureArea::lineBox(qsizetype line) const {
    const QRectF box =
        line < static_cast<qsizetype>(lineBoxes_.size()) ? lineBoxes_[line] : QRectF();
    // A line set with nothing drawn for it is read where the area's drawing is.
    return (box.isEmpty() ? drawn_ : box) & QRectF(widget_->rect());
}

QRect QtPictureArea::characterBox(int offset) const {
    const QString text = spokenText();
    if (offset < 0 || offset >= text.size()) {
        return {};
    }
    const qsizetype start = offset == 0 ? 0 : text.lastIndexOf(u'\n', offset - 1) + 1;
    qsizetype end = text.indexOf(u'\n', offset);
    if (end < 0) {
        end = text.size();
    }
    const QRectF box = lineBox(text.first(offset).count(u'\n'));
    if (box.isEmpty()) {
        return {};
    }
    // The line break sits after the line's last character, with no width.
    const double width = box.width() / static_cast<double>(std::max<qsizetype>(1, end - start));
    const double left = box.left() + width * static_cast<double>(offset - start);
    return QRectF(left, box.top(), offset == end ? 0 : width, box.height()).toAlignedRect();
}

int QtPictureArea::offsetAt(QPoint point) const {
    const QString text = spokenText();
    qsizetype start = 0;
    for (qsizetype line = 0; start <= text.size() && line < lineCount(text); ++line) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) {
            end = text.size();
        }
        const QRectF box = lineBox(line);
        if (end > start && box.contains(point)) {
            const double width = box.width() / static_cast<double>(end - start);
            const auto column = static_cast<qsizetype>((point.x() - box.left()) / width);
            return static_cast<int>(start + std::min(column, end - start - 1));
        }
        start = end + 1;
    }
    return -1;
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
