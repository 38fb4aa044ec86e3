#include "design/form_layout.h"
#include "fake/fake_platform.h"
#include "fake/qstring_printer.h"
#include "worksheet_program/paper_sheet.h"
#include "qt/qt_picture_area.h"
#include "worksheet/sheet_drawings.h"

#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace minamo {
namespace {

// The pen rules every picture area follows, checked with the area's own text metrics:
// a print that stays moves right by the text's width, a print with a line break goes to the
// left edge one line lower, a line or box leaves the pen at its end, a clear at the corner.
void checkPenSemantics(PictureArea& area, const std::function<double(const QString&)>& width,
                       const std::function<double()>& height) {
    area.clear();
    EXPECT_DOUBLE_EQ(area.currentX(), 0);
    EXPECT_DOUBLE_EQ(area.currentY(), 0);

    area.setPen(100, 200);
    const QString text = QStringLiteral("x=-8");
    const double w = width(text);
    EXPECT_GT(w, 0);
    area.print(text, LineEnd::Stay);
    EXPECT_NEAR(area.currentX(), 100 + w, 1e-6);
    EXPECT_DOUBLE_EQ(area.currentY(), 200);

    area.print(QStringLiteral("方程式"), LineEnd::Break);
    EXPECT_DOUBLE_EQ(area.currentX(), 0);
    EXPECT_NEAR(area.currentY(), 200 + height(), 1e-6);

    // An empty print with a line break still moves one line down.
    const double y = area.currentY();
    area.print(QString(), LineEnd::Break);
    EXPECT_NEAR(area.currentY(), y + height(), 1e-6);

    area.line(10, 20, 300, 400, colour::green);
    EXPECT_DOUBLE_EQ(area.currentX(), 300);
    EXPECT_DOUBLE_EQ(area.currentY(), 400);
    area.box(5, 6, 70, 80, colour::teal, BoxFill::Solid);
    EXPECT_DOUBLE_EQ(area.currentX(), 70);
    EXPECT_DOUBLE_EQ(area.currentY(), 80);

    // The font size changes the width of the same text.
    area.setFontSize(area.fontSize() * 2);
    EXPECT_NEAR(width(text), 2 * w, 0.25 * w);

    // With user coordinates, a clear puts the pen at the user top left corner and a line
    // break moves toward the user bottom.
    area.setScale(0, 100, 200, 0);
    area.clear();
    EXPECT_DOUBLE_EQ(area.currentX(), 0);
    EXPECT_DOUBLE_EQ(area.currentY(), 100);
    area.print(QStringLiteral("10"), LineEnd::Break);
    EXPECT_DOUBLE_EQ(area.currentX(), 0);
    EXPECT_LT(area.currentY(), 100);
}

TEST(PenSemantics, FakePictureArea) {
    FakePictureArea area(QStringLiteral("Picture2"), 8775, 6615, QStringLiteral("MS PGothic"),
                         20.25);
    checkPenSemantics(
        area, [&](const QString& t) { return FakePictureArea::textWidthTwips(t, area.fontSize()); },
        [&] { return FakePictureArea::lineHeightTwips(area.fontSize()); });
}

TEST(PenSemantics, QtPictureArea) {
    QWidget parent;
    QtPictureArea area(controlSpec(ControlId::Picture2), TwipsScale{96}, &parent);
    checkPenSemantics(
        area, [&](const QString& t) { return area.textWidth(t); },
        [&] { return area.textHeight(); });
}

TEST(PenSemantics, PaperArea) {
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(static_cast<int>(1440 / 0.0254));
    device.setDotsPerMeterY(static_cast<int>(1440 / 0.0254));
    PaperArea area(windowAreaStyle(ControlId::Picture2), device);
    checkPenSemantics(
        area, [&](const QString& t) { return area.textWidth(t); },
        [&] { return area.textHeight(); });
}

TEST(PenSemantics, QtTextIsSizedAtTheScreenDpi) {
    // 20.25 points at 96 dpi are 27 pixels, 405 twips: the line is about that high.
    QWidget parent;
    QtPictureArea area(controlSpec(ControlId::Picture2), TwipsScale{96}, &parent);
    EXPECT_NEAR(area.textHeight(), 405, 405 * 0.3);
    QtPictureArea hidpi(controlSpec(ControlId::Picture2), TwipsScale{192}, &parent);
    EXPECT_NEAR(hidpi.textHeight(), area.textHeight(), area.textHeight() * 0.1);
    EXPECT_NEAR(hidpi.textWidth(QStringLiteral("x=-8/3")), area.textWidth(QStringLiteral("x=-8/3")),
                area.textWidth(QStringLiteral("x=-8/3")) * 0.1);
}

TEST(PenSemantics, QtDrawingLandsWhereThePenSays) {
    QWidget parent;
    QtPictureArea area(controlSpec(ControlId::Picture2), TwipsScale{96}, &parent);
    area.clear();
    // A green bar at y 400 twips is on pixel row 26 or 27 (400 / 15 = 26.7).
    area.line(0, 400, 1500, 400, colour::green);
    const QImage& image = area.image();
    const qreal ratio = image.devicePixelRatio();
    bool found = false;
    for (int row = static_cast<int>(25 * ratio); row <= static_cast<int>(28 * ratio); ++row) {
        found = found || image.pixelColor(static_cast<int>(50 * ratio), row) == QColor(0, 128, 0);
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(image.pixelColor(static_cast<int>(50 * ratio), static_cast<int>(60 * ratio)),
              QColor(192, 255, 255));
}

// A short drawing is painted onto the window from its steps, a long one from the image:
// the window shows the same pixels either way, and after a clear it starts short again.
TEST(PenSemantics, QtWindowShowsTheDrawingWhetherKeptAsStepsOrInTheImage) {
    QWidget parent;
    QtPictureArea area(controlSpec(ControlId::Picture2), TwipsScale{96}, &parent);
    auto drawSteps = [&](int count) {
        area.clear();
        for (int i = 0; i < count; ++i) {
            area.setPen(40.0 * (i % 10), 300.0 * (i % 20));
            area.print(QStringLiteral("x=-8/3 方程式"), LineEnd::Stay);
            area.line(0, 15.0 * i, 3000, 15.0 * i, i % 2 ? colour::red : colour::green);
            area.box(5000, 60.0 * i, 5400, 60.0 * i + 40, colour::teal,
                     i % 3 ? BoxFill::Outline : BoxFill::Solid);
        }
    };
    for (int count : {1, 7, 30, 100}) {
        SCOPED_TRACE(count);
        drawSteps(count);
        const QImage shown = area.widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_FALSE(area.isBlank());
        EXPECT_EQ(shown, area.image().convertToFormat(QImage::Format_RGB32));
        // Once in the image, more steps go on there and the window still shows them.
        area.print(QStringLiteral("続き"), LineEnd::Break);
        EXPECT_EQ(area.widget()->grab().toImage().convertToFormat(QImage::Format_RGB32),
                  area.image().convertToFormat(QImage::Format_RGB32));
    }
    area.clear();
    EXPECT_TRUE(area.isBlank());
    EXPECT_EQ(area.widget()->grab().toImage().pixelColor(3, 3), QColor(192, 255, 255));
}

} // namespace
} // namespace minamo
