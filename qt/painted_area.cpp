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
    : PenArea({.widthTwips = design.widthTwips,
               .heightTwips = design.heightTwips,
               .fontName = design.fontName,
               .fontPoints = design.fontPoints,
               .fore = design.fore}),
      scale_(scale), penWidth_(design.penWidth) {
    updateFont();
}

void PaintedArea::updateFont() {
    font_ = designFont(fontName(), fontSize());
}

void PaintedArea::setFontName(const QString& name) {
    PenArea::setFontName(name);
    updateFont();
}

void PaintedArea::setFontSize(double points) {
    PenArea::setFontSize(points);
    updateFont();
}

QPointF PaintedArea::toPixels(double x, double y) const {
    return {scale_.toPixels(userScale().xInTwips(x)), scale_.toPixels(userScale().yInTwips(y))};
}

double PaintedArea::textWidth(const QString& text) const {
    const QFontMetricsF metrics(font_, metricsDevice());
    return userScale().widthFromTwips(scale_.toTwips(metrics.horizontalAdvance(text)));
}

double PaintedArea::textHeight() const {
    const QFontMetricsF metrics(font_, metricsDevice());
    return userScale().heightFromTwips(scale_.toTwips(metrics.height()));
}

void PaintedArea::print(const QString& text, LineEnd end) {
    if (!text.isEmpty()) {
        const QFontMetricsF metrics(font_, metricsDevice());
        const QPointF topLeft = toPixels(currentX(), currentY());
        draw({.kind = PaintStep::Kind::Text,
              .from = QPointF(topLeft.x(), topLeft.y() + metrics.ascent()),
              .colour = toQColor(foreColor()),
              .text = text,
              .font = font_});
    }
    penAfterPrint(end, textWidth(text), textHeight());
}

void PaintedArea::line(double x1, double y1, double x2, double y2, Rgb colour) {
    draw({.kind = PaintStep::Kind::Line,
          .from = toPixels(x1, y1),
          .to = toPixels(x2, y2),
          .colour = toQColor(colour),
          .penWidth = penWidth_});
    setPen(x2, y2);
}

void PaintedArea::box(double x1, double y1, double x2, double y2, Rgb colour, BoxFill fill) {
    draw({.kind = fill == BoxFill::Solid ? PaintStep::Kind::SolidBox : PaintStep::Kind::Box,
          .from = toPixels(x1, y1),
          .to = toPixels(x2, y2),
          .colour = toQColor(colour),
          .penWidth = penWidth_});
    setPen(x2, y2);
}

} // namespace minamo
