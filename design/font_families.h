#pragma once

// The font families of the design and the installed fonts that draw them: every program,
// page and measurement names its fonts from here.

#include <QString>

namespace minamo::font {

// The design's families: the proportional one of the problems, answers and captions, and
// the fixed one of the worked solutions. The exponents name the proportional one by its
// Japanese name.
inline const QString proportional = QStringLiteral("MS PGothic");
inline const QString fixed = QStringLiteral("MS Gothic");
inline const QString proportionalJapanese = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString fixedJapanese = QStringLiteral("ＭＳ ゴシック");

// What this system draws them with (Debian's fonts-ipafont-gothic).
inline const QString proportionalInstalled = QStringLiteral("IPAPGothic");
inline const QString fixedInstalled = QStringLiteral("IPAGothic");

// The installed family that draws a design family; any other name as it is.
QString installedFamily(const QString& designFamily);
// Whether a design family is the fixed one, every character of one width.
bool isFixedPitch(const QString& designFamily);

} // namespace minamo::font
