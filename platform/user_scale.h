#pragma once

namespace minamo {

// The units a picture area is drawn in: its own twips until the program lays a user scale
// over it, naming its left, top, right and bottom edges in units of its own choosing.
class UserScale {
public:
    UserScale(double widthTwips, double heightTwips)
        : widthTwips_(widthTwips), heightTwips_(heightTwips), width_(widthTwips),
          height_(heightTwips) {}

    void set(double left, double top, double right, double bottom) {
        left_ = left;
        top_ = top;
        width_ = right - left;
        height_ = bottom - top;
    }
    double left() const { return left_; }
    double top() const { return top_; }

    // A point in user units, as twips from the area's top left corner.
    double xInTwips(double x) const { return (x - left_) * widthTwips_ / width_; }
    double yInTwips(double y) const { return (y - top_) * heightTwips_ / height_; }
    // A length in twips, in user units.
    double widthFromTwips(double twips) const { return twips * width_ / widthTwips_; }
    double heightFromTwips(double twips) const { return twips * height_ / heightTwips_; }

private:
    double widthTwips_, heightTwips_;
    double left_ = 0, top_ = 0, width_, height_;
};

} // namespace minamo
