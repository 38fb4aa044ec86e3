#include "design/form_layout.h"

#include "design/font_families.h"

#include <array>

namespace minamo {

namespace {

// The typed answer's denominator is printed 700 twips down in a 36-point font; in the
// installed Japanese font its digits reach 1350 twips, so the area is that high (the
// design's 1215 would cut the lower part of the digits off, and 8 would read like 9).
// Only parts of the window that the problem area already covers lie below it.
constexpr int picture3Height = 1350;

using enum ControlId;
using K = ControlKind;

FontSpec pGothic(double points, FontWeight weight = FontWeight::Normal) {
    return FontSpec{font::proportional, points, weight};
}

const std::array<ControlSpec, 24>& table() {
    const Rgb cyan = colour::lightCyan;
    const Rgb text = colour::windowText;
    const std::nullopt_t none = std::nullopt;
    // clang-format off
    static const std::array<ControlSpec, 24> table{{
        // id, name, kind, left, top, width, height, caption, back, fore, font
        {Picture2, QStringLiteral("Picture2"), K::Picture, 0, 0, 8775, 6615, {}, cyan, text, pGothic(20.25)},
        {Picture7, QStringLiteral("Picture7"), K::Picture, 0, 1080, 6015, 5415, {}, cyan, text,
         FontSpec{font::fixed, 21.75}},
        {Picture1, QStringLiteral("Picture1"), K::Picture, 600, 480, 7215, 6615, {}, cyan, none, none},
        {Picture3, QStringLiteral("Picture3"), K::Picture, 6120, 3960, 2655, picture3Height, {}, cyan, text, pGothic(36)},
        {Picture4, QStringLiteral("Picture4"), K::Picture, 6120, 5280, 2655, 855, {}, cyan, text, pGothic(20.25)},
        {Picture5, QStringLiteral("Picture5"), K::Picture, 6360, 6240, 2295, 735, {}, cyan, text, pGothic(20.25)},
        {Text2, QStringLiteral("Text2"), K::TextBox, 6600, 5175, 3615, 720, {}, cyan, none, pGothic(36)},
        {Text1, QStringLiteral("Text1"), K::TextBox, 9240, 2160, 855, 375, QStringLiteral("Text1"), none, none, none},
        {Text4, QStringLiteral("Text4"), K::TextBox, 8880, 6240, 1455, 375, QStringLiteral("Text4"), none, none, none},
        {Text5, QStringLiteral("Text5"), K::TextBox, 5520, 1200, 975, 735, {}, cyan, none, pGothic(36)},
        {Text6, QStringLiteral("Text6"), K::TextBox, 6480, 6600, 975, 735, {}, cyan, none, pGothic(36)},
        {Label9, QStringLiteral("Label9"), K::Label, 8760, 120, 735, 375, QStringLiteral("得点"), none, none, pGothic(18)},
        {Label5, QStringLiteral("Label5"), K::Label, 9720, 120, 495, 495, {}, none, none, pGothic(18)},
        {Label7, QStringLiteral("Label7"), K::Label, 8760, 840, 735, 375, QStringLiteral("正解"), none, none, pGothic(18)},
        {Label3, QStringLiteral("Label3"), K::Label, 9840, 840, 495, 375, {}, none, Rgb{0, 0, 192}, pGothic(21.75)},
        {Label8, QStringLiteral("Label8"), K::Label, 8880, 1440, 615, 375, QStringLiteral("ミス"), none, none, pGothic(18)},
        {Label4, QStringLiteral("Label4"), K::Label, 9720, 1440, 495, 375, {}, none, colour::red, pGothic(21.75)},
        {Label2, QStringLiteral("Label2"), K::Label, 8880, 3000, 1455, 615, QStringLiteral("Label2"), none,
         colour::green, pGothic(26.25)},
        {Label12, QStringLiteral("Label12"), K::Label, 480, 5520, 1695, 495, QStringLiteral("前問正解"), none, none,
         pGothic(20.25, FontWeight::Bold)},
        {Label13, QStringLiteral("Label13"), K::Label, 600, 6480, 1695, 495, QStringLiteral("前回入力"), none, none,
         pGothic(20.25, FontWeight::Bold)},
        {Label14, QStringLiteral("Label14"), K::Label, 5640, 5400, 1695, 495, {}, none, none,
         pGothic(20.25, FontWeight::Bold)},
        {Command1, QStringLiteral("Command1"), K::Button, 9240, 4440, 975, 855, QStringLiteral("ていせい"), cyan, none,
         pGothic(18, FontWeight::Bold)},
        {Command2, QStringLiteral("Command2"), K::Button, 8880, 5280, 735, 855, QStringLiteral("消す"),
         Rgb{255, 255, 128}, none, pGothic(18)},
        {Command3, QStringLiteral("Command3"), K::Button, 9000, 3960, 1335, 495, QStringLiteral("確認"),
         Rgb{255, 255, 192}, none, none},
    }};
    // clang-format on
    return table;
}

constexpr std::array<ControlId, 14> stacking{Picture7, Command3, Text4,    Text1,    Picture5,
                                             Picture4, Picture3, Picture2, Command2, Picture1,
                                             Command1, Text6,    Text5,    Text2};

} // namespace

std::span<const ControlSpec> controlSpecs() {
    return table();
}

const ControlSpec& controlSpec(ControlId id) {
    for (const auto& layout : table()) {
        if (layout.id == id) {
            return layout;
        }
    }
    return table().front();
}

std::span<const ControlId> stackingFrontToBack() {
    return stacking;
}

const PictureReading& pictureReading(ControlId id) {
    using C = PictureContent;
    static const std::array<PictureReading, 6> readings{{
        {.id = Picture2, .name = QStringLiteral("問題"), .content = C::Text},
        {.id = Picture3, .name = QStringLiteral("答え"), .content = C::Text},
        {.id = Picture4, .name = QStringLiteral("正しい答え"), .content = C::Text},
        {.id = Picture7, .name = QStringLiteral("解き方"), .content = C::Text},
        {.id = Picture1, .name = QStringLiteral("記録のグラフ"), .content = C::Chart},
        {.id = Picture5, .name = {}, .content = C::Nothing},
    }};
    for (const PictureReading& reading : readings) {
        if (reading.id == id) {
            return reading;
        }
    }
    return readings.back();
}

} // namespace minamo
