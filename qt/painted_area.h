#pragma once

// A picture area drawn with QPainter: the pen, font, colour and user scale of the
// picture-area interface, turned into drawing steps in device-independent pixels of a
// twips scale. The window's areas paint the steps onto the screen, the paper's onto PDF
// pages; both measure and place text alike because both are this one class.

#include "platform/pen_area.h"
#include "qt/twips.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;
class QPaintDevice;

namespace minamo {

// One drawing step, in device-independent pixels.
struct PaintStep {
    enum class Kind { Text, Line, Box, SolidBox };
    Kind kind;
    QPointF from, to; // text: its baseline start; a line's ends; a box's corners
    QColor colour;
    QString text;
    QFont font;
    double penWidth = 1; // of lines and box outlines
};

// Paints one step as the window shows it.
void paintStep(QPainter& painter, const PaintStep& step);

class PaintedArea : public PenArea {
public:
    struct Design {
        double widthTwips;
        double heightTwips;
        QString fontName;
        double fontPoints;
        Rgb fore;
        double penWidth; // of lines, in the scale's pixels
    };
    PaintedArea(const Design& design, TwipsScale scale);

    void setFontName(const QString& name) override;
    void setFontSize(double points) override;
    void print(const QString& text, LineEnd end) override;
    void line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void box(double x1, double y1, double x2, double y2, Rgb colour, BoxFill fill) override;

    // Measures text as print does, in the current units.
    double textWidth(const QString& text) const override;
    double textHeight() const;

protected:
    // Where the steps go.
    virtual void draw(PaintStep step) = 0;
    // The device whose resolution fonts are measured at.
    virtual const QPaintDevice* metricsDevice() const = 0;
    const TwipsScale& scale() const { return scale_; }

private:
    QPointF toPixels(double x, double y) const;
    void updateFont();

    TwipsScale scale_;
    QFont font_;
    double penWidth_;
};

} // namespace minamo
