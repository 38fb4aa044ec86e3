#pragma once

// Text with fractions in it, set as a textbook sets a word problem or a line of working:
// in lines no wider than a width, a fraction written a/b stacked (its numerator over a bar
// over its denominator), a number with its unit ("700 m") and a term ("5x", "(x+9)") never
// cut, and no line begun with a closing mark (「、」「。」). Drawn in the area's own font.

#include "platform/platform.h"

#include <QString>
#include <vector>

namespace minamo {

// A piece that is never cut: a fraction, a run of letters, digits and signs, or one
// Japanese character with the marks that cling to it.
struct MathAtom {
    enum class Kind { Text, Fraction };
    Kind kind = Kind::Text;
    QString text;        // the text, or the numerator
    QString denominator; // a fraction's
};

// The text taken apart into what is never cut.
std::vector<MathAtom> mathAtoms(const QString& text);

// Sets text from (left, top) in lines no wider than width and returns the y below its last
// line. The fraction bars are green, as everywhere in the drill.
double drawMathText(PictureArea& area, const QString& text, double left, double top,
                    double width);

// The height one line of the area's font takes, without and with a stacked fraction.
double mathLineHeight(const PictureArea& area);
double mathFractionLineHeight(const PictureArea& area);

} // namespace minamo
