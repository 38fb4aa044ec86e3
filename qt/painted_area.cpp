#include "qt/painted_area.h"

#include "qt/fonts.h"
#include "qt/qt_colour.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

namespace minamo {

void paintStep(QPainter& painter, const PaintStep& step) {
    switch (step.kind) {
    case PaintStep::Kind::Text:
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(step.font);
        painter.setPen(step.colour);
        painter.drawText(step.from, step.text);
        break;
    case PaintStep::Kind::Line:
        painter.setPen(QPen(step.colour, step.penWidth));
        painter.drawLine(step.from, step.to);
        break;
    case PaintStep::Kind::Box:
    case PaintStep::Kind::SolidBox: {
        const QRectF rect = QRectF(step.from, step.to).normalized();
        painter.setPen(QPen(step.colour, step.penWidth));
        if (step.kind == PaintStep::Kind::SolidBox) {
            painter.fillRect(rect, step.colour);
        }
        painter.drawRect(rect);
        break;
    }
    }
}

PaintedArea::PaintedArea(const Design& design, TwipsScale scale)
    : scale_(scale), widthTwips_(design.widthTwips), heightTwips_(design.heightTwips),
      fore_(design.fore), fontName_(design.fontName), fontSize_(design.fontPoints),
      penWidth_(design.penWidth), userScale_(design.widthTwips, design.heightTwips) {
    updateFont();
}

void PaintedArea::updateFont() {
    font_ = designFont(fontName_, fontSize_);
}

void PaintedArea::setFontName(const QString& name) {
    fontName_ = name;
    updateFont();
}

void PaintedArea::setFontSize(double points) {
    fontSize_ = points;
    updateFont();
}

void PaintedArea::penHome() {
    x_ = userScale_.left();
    y_ = userScale_.top();
}

QPointF PaintedArea::toPixels(double x, double y) const {
    return {scale_.toPixels(userScale_.xInTwips(x)), scale_.toPixels(userScale_.yInTwips(y))};
}

double PaintedArea::textWidth(const QString& text) const {
    const QFontMetricsF metrics(font_, metricsDevice());
    return userScale_.widthFromTwips(scale_.toTwips(metrics.horizontalAdvance(text)));
}

double PaintedArea::textHeight() const {
    const QFontMetricsF metrics(font_, metricsDevice());
    return userScale_.heightFromTwips(scale_.toTwips(metrics.height()));
}

void PaintedArea::print(const QString& text, LineEnd end) {
    if (!text.isEmpty()) {
        const QFontMetricsF metrics(font_, metricsDevice());
        const QPointF topLeft = toPixels(x_, y_);
        draw({.kind = PaintStep::Kind::Text,
              .from = QPointF(topLeft.x(), topLeft.y() + metrics.ascent()),
              .colour = toQColor(fore_),
              .text = text,
              .font = font_});
    }
    if (end == LineEnd::Stay) {
        x_ += textWidth(text);
    } else {
        x_ = userScale_.left();
        y_ += textHeight();
    }
}

void PaintedArea::line(double x1, double y1, double x2, double y2, Rgb colour) {
    draw({.kind = PaintStep::Kind::Line,
          .from = toPixels(x1, y1),
          .to = toPixels(x2, y2),
          .colour = toQColor(colour),
          .penWidth = penWidth_});
    x_ = x2;
    y_ = y2;
}

void PaintedArea::box(double x1, double y1, double x2, double y2, Rgb colour, BoxFill fill) {
    draw({.kind = fill == BoxFill::Solid ? PaintStep::Kind::SolidBox : PaintStep::Kind::Box,
          .from = toPixels(x1, y1),
          .to = toPixels(x2, y2),
          .colour = toQColor(colour),
          .penWidth = penWidth_});
    x_ = x2;
    y_ = y2;
}

void PaintedArea::setScale(double left, double top, double right, double bottom) {
    userScale_.set(left, top, right, bottom);
}

} // namespace minamo
