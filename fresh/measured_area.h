#pragma once

// A picture area that draws nothing and measures everything: where the drawing reaches, and
// the texts and bars in the order they were drawn. Text is measured by the widest the
// design's fonts draw each kind of character, so that what fits here fits the window on
// every machine, and the measure gives the same answer wherever the program runs.

#include "platform/pen_area.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace minamo {

class MeasuredArea : public PenArea {
public:
    MeasuredArea(double widthTwips, double heightTwips, QString fontName, double fontSize);

    // One step of the drawing, as the worked solution's reader needs it.
    struct Step {
        enum class Kind { Text, Bar };
        Kind kind;
        QString text;
    };

    // The box of everything drawn since the last clear, in twips; none while nothing is.
    struct Reach {
        double left, top, right, bottom;
    };
    const std::optional<Reach>& reached() const { return reached_; }
    // Every point drawn lies inside the area.
    bool fits() const;
    const std::vector<Step>& steps() const { return steps_; }

    void clear() override;
    void setVisible(bool) override {}
    bool isVisible() const override { return true; }
    void print(const QString& text, LineEnd end) override;
    void line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void box(double x1, double y1, double x2, double y2, Rgb colour, BoxFill fill) override;
    // The proofs and the sheets draw in twips and measure in twips: a user scale is not
    // taken up (only the chart sets one, and it is not measured).
    void setScale(double, double, double, double) override {}

    // The widest text and the highest line the design's fonts draw, in twips.
    static double textWidthTwips(const QString& text, const QString& fontName, double points);
    double textWidth(const QString& text) const override {
        return textWidthTwips(text, fontName(), fontSize());
    }
    static double lineHeightTwips(double points);

private:
    void reach(double x, double y);

    std::optional<Reach> reached_;
    std::vector<Step> steps_;
};

} // namespace minamo
