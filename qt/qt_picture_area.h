#pragma once

#include "design/form_layout.h"
#include "platform/platform.h"
#include "qt/twips.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>
#include <vector>

namespace minamo {

class QtPictureArea;

// The widget that shows a picture area's drawing; it only paints the kept image.
class PictureWidget : public QWidget {
    Q_OBJECT
public:
    PictureWidget(QtPictureArea& area, QWidget* parent);
    const QtPictureArea& area() const { return area_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QtPictureArea& area_;
};

// A picture area that keeps its drawing, like a canvas repainted from memory. Pen positions
// are twips (or the user units of a scale). A few steps since the last clear are kept as a
// list and painted straight onto the window; a longer drawing goes into a backing image in
// device pixels at the screen's logical DPI and device pixel ratio. Its spoken text is
// told to assistive tools as a text change once the event that changed it has run.
class QtPictureArea : public PictureArea {
public:
    QtPictureArea(const ControlSpec& layout, TwipsScale scale, QWidget* parent);

    void clear() override;
    void setVisible(bool visible) override;
    bool isVisible() const override;
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
    QString spokenText() const override { return spoken_; }
    void setSpokenText(const QString& text) override;

    ControlId id() const { return id_; }
    PictureWidget* widget() const { return widget_; }
    // The drawing as pixels (written into the backing image first if it was not yet).
    const QImage& image() const;
    // Nothing drawn since the last clear: the area shows its back colour alone.
    bool isBlank() const { return !inImage_ && steps_.empty(); }
    // Paints the drawing onto the area's widget.
    void paint(QPainter& painter, const QRect& rect) const;
    Rgb backColour() const { return back_; }
    // Measures text as print does, in the current units.
    double textWidth(const QString& text) const;
    double textHeight() const;

private:
    // One drawing step, in device-independent pixels.
    struct Step {
        enum class Kind { Text, Line, Box, SolidBox };
        Kind kind;
        QPointF from, to; // text: its baseline start; a line's ends; a box's corners
        QColor colour;
        QString text;
        QFont font;
    };
    static void paintStep(QPainter& painter, const Step& step);
    void draw(Step step);
    // Moves the kept steps into the backing image, which holds the drawing from then on.
    void writeImage() const;
    QPointF toPixels(double x, double y) const;
    void updateFont();
    void announceSoon();
    void announce();

    ControlId id_;
    PictureWidget* widget_;
    TwipsScale scale_;
    int widthTwips_, heightTwips_;
    // Its pixels are written only once a drawing outgrows the list, so that an area that
    // stays blank, hidden or nearly empty (the idle window) keeps none of them in memory.
    mutable QImage image_;
    mutable bool inImage_ = false;
    mutable std::vector<Step> steps_;
    Rgb back_;
    Rgb fore_;
    QString fontName_;
    double fontSize_;
    QFont font_;
    double x_ = 0, y_ = 0;
    double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_, scaleHeight_;
    QString spoken_;
    // What assistive tools were last told: a clear and the drawing after it, in one event,
    // reach them as one change.
    QString announced_;
    bool announcePending_ = false;
};

} // namespace minamo
