#pragma once

// What every picture area keeps alike, whatever it draws on: the pen, the font, the colour,
// the user scale and the spoken text. An area built on it adds only how it draws.

#include "platform/platform.h"
#include "platform/user_scale.h"

namespace minamo {

class PenArea : public PictureArea {
public:
    struct Start {
        double widthTwips;
        double heightTwips;
        QString fontName;
        double fontPoints;
        Rgb fore = colour::windowText;
    };
    explicit PenArea(Start start)
        : widthTwips_(start.widthTwips), heightTwips_(start.heightTwips),
          fontName_(std::move(start.fontName)), fontSize_(start.fontPoints), fore_(start.fore),
          userScale_(start.widthTwips, start.heightTwips) {}

    double heightTwips() const override { return heightTwips_; }
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setCurrentX(double x) override { x_ = x; }
    void setCurrentY(double y) override { y_ = y; }
    QString fontName() const override { return fontName_; }
    void setFontName(const QString& name) override { fontName_ = name; }
    double fontSize() const override { return fontSize_; }
    void setFontSize(double points) override { fontSize_ = points; }
    Rgb foreColor() const override { return fore_; }
    void setForeColor(Rgb colour) override { fore_ = colour; }
    void setScale(double left, double top, double right, double bottom) override {
        userScale_.set(left, top, right, bottom);
    }
    QString spokenText() const override { return spoken_; }
    void setSpokenText(const QString& text) override { spoken_ = text; }

protected:
    double widthTwips() const { return widthTwips_; }
    const UserScale& userScale() const { return userScale_; }
    // The pen at the top left corner of the user scale, as a clear leaves it.
    void penHome() { setPen(userScale_.left(), userScale_.top()); }
    // The pen after printing text this wide, on a line this high (user units): Stay, right
    // of the text; Break, at the left edge one line lower.
    void penAfterPrint(LineEnd end, double textWidth, double lineHeight) {
        if (end == LineEnd::Stay) {
            x_ += textWidth;
        } else {
            x_ = userScale_.left();
            y_ += lineHeight;
        }
    }

private:
    double widthTwips_, heightTwips_;
    QString fontName_;
    double fontSize_;
    Rgb fore_;
    double x_ = 0, y_ = 0;
    UserScale userScale_;
    QString spoken_;
};

} // namespace minamo
