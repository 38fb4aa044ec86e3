#pragma once

#include "design/form_layout.h"
#include "qt/painted_area.h"

#include <QImage>
#include <QWidget>
#include <functional>
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
// has run, and each of its lines keeps the box of the drawing it was set beside, so that a
// screen reader's review finds the text where it is drawn.
class QtPictureArea : public PaintedArea {
public:
    QtPictureArea(const ControlSpec& layout, TwipsScale scale, QWidget* parent);

    void clear() override;
    void setVisible(bool visible) override;
    bool isVisible() const override;
    // Tells assistive tools of the change too.
    void setSpokenText(const QString& text) override;
    // How the spoken text changed: lines added after it, or replaced whole (a clear
    // empties it).
    enum class SpokenChange { Extended, Replaced };
    // Called whenever the spoken text changes, with the lines added or the new text.
    using SpokenTextHandler = std::function<void(SpokenChange, const QString&)>;
    void setSpokenTextHandler(SpokenTextHandler handler) {
        spokenTextHandler_ = std::move(handler);
    }
    // Where the character at offset of the spoken text is drawn, in the widget's pixels;
    // empty for one out of sight or out of range. The characters of a line share its box
    // evenly, as the drawing does not map them one to one (a fraction is drawn stacked).
    QRect characterBox(int offset) const;
    // The offset of the character drawn at point (the widget's pixels), or -1.
    int offsetAt(QPoint point) const;

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
    // Gives the lines of the spoken text a box each; returns whether lines were added to
    // those before or the text was replaced.
    SpokenChange placeLines(const QString& before, const QString& text);
    // The box of a spoken line, within the area.
    QRectF lineBox(qsizetype line) const;

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
    SpokenTextHandler spokenTextHandler_;
    // What is drawn since the last clear, and since the spoken text last changed: the lines
    // set then describe the steps drawn just before.
    QRectF drawn_;
    QRectF drawnSinceSpoken_;
    std::vector<QRectF> lineBoxes_; // one for each line of the spoken text
};

} // namespace minamo
