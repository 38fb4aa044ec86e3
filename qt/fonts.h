#pragma once

#include "design/form_layout.h"

#include <QFont>

namespace minamo {

// Maps the design's Japanese font names to the fonts this system has ("MS PGothic" and
// "ＭＳ Ｐゴシック" to IPAPGothic, "MS Gothic" to IPAGothic). Call once, before any font
// is made.
void installFontSubstitutions();
// The substitutions, and the design's font as the application's own (dialogs, menus): what
// every program of the drill does first, once its application object is made.
void useDesignFonts();

// A font of the design name and size (points).
QFont designFont(const QString& name, double points, FontWeight weight = FontWeight::Normal);
QFont designFont(const FontSpec& layout);

} // namespace minamo
