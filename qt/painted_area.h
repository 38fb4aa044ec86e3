#pragma once

// A picture area drawn with QPainter: the pen, font, colour and user scale of the
// picture-area interface, turned into drawing steps in device-independent pixels of a
// twips scale. The window's areas paint the steps onto the screen, the paper's onto PDF
// pages; both measure and place text alike because both are this one class.

#include "platform/platform.h"
#include "platform/user_scale.h"
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

class PaintedArea : public PictureArea {
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

    double heightTwips() const override { return heightTwips_; }
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setCurrentX(double x) override { x_ = x; }
    void setCurrentY(double y) override { y_ = y; }
    QString fontName() const override { return fontName_; }
    void setFontName(const QString& name) override;
    double fontSize() const override { return fontSize_; }
    void setFontSize(double points) override;
    Rgb foreColor() const override { return fore_; }
    void setForeColor(Rgb colour) override { fore_ = colour; }
    void print(const QString& text, LineEnd end) override;
    void line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void box(double x1, double y1, double x2, double y2, Rgb colour, BoxFill fill) override;
    void setScale(double left, double top, double right, double bottom) override;
    // The text a person reads aloud, as whoever draws sets it.
    QString spokenText() const override { return spoken_; }
    void setSpokenText(const QString& text) override { spoken_ = text; }

    // Measures text as print does, in the current units.
    double textWidth(const QString& text) const;
    double textHeight() const;

protected:
    // Where the steps go.
    virtual void draw(PaintStep step) = 0;
    // The device whose resolution fonts are measured at.
    virtual const QPaintDevice* metricsDevice() const = 0;
    // The pen at the top left corner of the user scale, as a clear leaves it.
    void penHome();
    const TwipsScale& scale() const { return scale_; }

private:
    QPointF toPixels(double x, double y) const;
    void updateFont();

    TwipsScale scale_;
    double widthTwips_, heightTwips_;
    Rgb fore_;
    QString fontName_;
    double fontSize_;
    QFont font_;
    double penWidth_;
    double x_ = 0, y_ = 0;
    UserScale userScale_;
    QString spoken_;
};

} // namespace minamo
