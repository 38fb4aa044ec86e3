#pragma once

// The window's design: every control with its place, size, caption, colours and font, the
// stacking order and the timer's interval. The Qt window and the recording fake are built
// from these tables and the tests check the window against them. The menu bar comes from
// the catalogue of sets.

#include "platform/platform.h"

#include <QString>
#include <optional>
#include <span>

namespace minamo {

namespace form {
inline constexpr int clientWidth = 10395; // twips
inline constexpr int clientHeight = 7260;
inline constexpr Rgb backColour = colour::lightCyan;
inline const QString caption = QStringLiteral("ミナモ塾");
} // namespace form

// Timer1 ticks every 300 ms while a drill runs.
inline constexpr int timerIntervalMs = 300;

enum class ControlKind { Picture, TextBox, Label, Button };

enum class ControlId {
    Picture2,
    Picture7,
    Picture1,
    Picture3,
    Picture4,
    Picture5,
    Text2,
    Text1,
    Text4,
    Text5,
    Text6,
    Label9,
    Label5,
    Label7,
    Label3,
    Label8,
    Label4,
    Label2,
    Label12,
    Label13,
    Label14,
    Command1,
    Command2,
    Command3,
};

enum class FontWeight { Normal, Bold };

struct FontSpec {
    QString name; // the design name; the Qt layer substitutes an installed font
    double points = 0;
    FontWeight weight = FontWeight::Normal;
};

// The font of a control the design gives none: the system's default dialog font.
inline const FontSpec defaultControlFont{.name = QStringLiteral("MS Sans Serif"), .points = 8.25};

struct ControlSpec {
    ControlId id;
    QString name;
    ControlKind kind;
    int left, top, width, height; // twips
    QString caption;              // caption or design text
    std::optional<Rgb> back;
    std::optional<Rgb> fore;
    std::optional<FontSpec> font;
};

// The font a control starts with: its design font, or the default one.
inline const FontSpec& fontOf(const ControlSpec& layout) {
    return layout.font ? *layout.font : defaultControlFont;
}

// The design of every control, in the order of the window's design table.
std::span<const ControlSpec> controlSpecs();
const ControlSpec& controlSpec(ControlId id);

// Controls that have a window of their own, from front to back. Labels are drawn on the
// window's own surface, behind all of them.
std::span<const ControlId> stackingFrontToBack();

// What a picture area shows, as assistive tools are told: lines of text, a chart, nothing.
enum class PictureContent { Text, Chart, Nothing };

// How a screen reader names a picture area and what it finds in it.
struct PictureReading {
    ControlId id;
    QString name;
    PictureContent content;
};

// The reading of a picture area (of Picture5, the empty box: no name, nothing).
const PictureReading& pictureReading(ControlId id);

// How a screen reader names the answer box, and what it says the pupil does there: a
// fraction is typed in the order it is read, denominator first.
inline const QString answerBoxName = QStringLiteral("答えの入力");
inline const QString answerBoxDescription =
    QStringLiteral("x=5 のように打って Enter。分数は読むとおり分母から、3分の8 は 3/8");

} // namespace minamo
