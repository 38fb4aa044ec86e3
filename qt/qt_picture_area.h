#pragma once

#include "design/form_layout.h"
#include "qt/painted_area.h"

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

// A picture area of the window that keeps its drawing, like a canvas repainted from memory.
// Pen positions are twips (or the user units of a scale). A few steps since the last clear
// are kept as a list and painted straight onto the window; a longer drawing goes into a
// backing image in device pixels at the screen's logical DPI and device pixel ratio. Its
// spoken text is told to assistive tools as a text change once the event that changed it
// has run.
class QtPictureArea : public PaintedArea {
public:
    QtPictureArea(const ControlSpec& layout, TwipsScale scale, QWidget* parent);

    void clear() override;
    void setVisible(bool visible) override;
    bool isVisible() const override;
    // Tells assistive tools of the change too.
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

protected:
    void draw(PaintStep step) override;
    const QPaintDevice* metricsDevice() const override { return &image_; }

private:
    // Moves the kept steps into the backing image, which holds the drawing from then on.
    void writeImage() const;
    void announceSoon();
    void announce();

    ControlId id_;
    PictureWidget* widget_;
    // Its pixels are written only once a drawing outgrows the list, so that an area that
    // stays blank, hidden or nearly empty (the idle window) keeps none of them in memory.
    mutable QImage image_;
    mutable bool inImage_ = false;
    mutable std::vector<PaintStep> steps_;
    Rgb back_;
    // What assistive tools were last told: a clear and the drawing after it, in one event,
    // reach them as one change.
    QString announced_;
    bool announcePending_ = false;
};

} // namespace minamo
