#pragma once

#include "app/form_layout.h"
#include "platform/platform.h"
#include "platform/qt/twips.h"

#include <QImage>
#include <QWidget>

namespace minamo {

class QtPictureArea;

// The widget that shows a picture area's drawing; it only paints the kept image.
class PictureWidget : public QWidget {
    Q_OBJECT
public:
    PictureWidget(QtPictureArea& area, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QtPictureArea& area_;
};

// A picture area that keeps its drawing in a backing image, like a canvas repainted from
// memory. Pen positions are twips (or the user units of a scale); the image is in device
// pixels at the screen's logical DPI and device pixel ratio.
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

    PictureWidget* widget() const { return widget_; }
    const QImage& image() const { return pixels(); }
    // Nothing drawn since the last clear: the area shows its back colour alone.
    bool isBlank() const { return clearPending_; }
    Rgb backColour() const { return back_; }
    // Measures text as print does, in the current units.
    double textWidth(const QString& text) const;
    double textHeight() const;

private:
    // The backing image, cleared first if a clear is pending.
    QImage& pixels() const;
    QPointF toPixels(double x, double y) const;
    void updateFont();

    PictureWidget* widget_;
    TwipsScale scale_;
    int widthTwips_, heightTwips_;
    // Its pixels are written on first use, so that an area that stays blank or hidden (the
    // chart of the idle window) keeps none of them in memory.
    mutable QImage image_;
    mutable bool clearPending_ = true;
    Rgb back_;
    Rgb fore_;
    QString fontName_;
    double fontSize_;
    QFont font_;
    double x_ = 0, y_ = 0;
    double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_, scaleHeight_;
};

} // namespace minamo
