#include "render/fraction_term.h"

#include "core/basic_text.h"

namespace minamo {

namespace {

// Offsets of one term, in twips from the term's origin (or absolute where noted).
constexpr double leadGap = 40;       // before the lead
constexpr double leadDrop = 400;     // the lead stands this far below the origin
constexpr double numeratorGap = 350; // numerator with letters or signs, after the lead
constexpr double highlightShift = -240;
constexpr double numeratorTop = 180;      // absolute y of a numerator with letters or signs
constexpr double plainNumeratorTop = 170; // absolute y of a plain numerator (design font)
constexpr double plainNumeratorGap = 130;
constexpr double largeNumeratorGap = 200;
constexpr int16 barOrigin = 100; // absolute y the bar and denominator are placed from

// The large font the power renderer draws with has its own proportions.
constexpr double largeFontPoints = 24;
constexpr double largeBarDrop = 250;
constexpr double largeBarStart = 50;
constexpr double largeBarEnd = 40;
constexpr double largeBarPerCharacter = 580;
constexpr double largeDenominatorGap = 100;

constexpr double barDrop = 480;
constexpr double barStart = 50;
constexpr double barEnd = 140;
constexpr double barPerCharacter = 280;
constexpr double denominatorGap = 70;
constexpr double denominatorDrop = 500;
constexpr double denominatorPerCharacter = 80;

const QString noDenominator = QStringLiteral("0");

bool hasLetterOrSign(const QString& text) {
    return text.contains(u'x') || text.contains(u'×') || text.contains(u'+') || text.contains(u'-');
}

} // namespace

QString cleanTermSign(const QString& sign) {
    if (sign == QStringLiteral("-0")) {
        return QStringLiteral("-");
    }
    if (sign == QStringLiteral("+0")) {
        return QStringLiteral("+");
    }
    if (sign == QStringLiteral("=0")) {
        return QStringLiteral("=");
    }
    if (sign == QStringLiteral("0")) {
        return QString();
    }
    return sign;
}

void drawFractionTerm(Drill& d) {
    DrillState& s = d.s;
    PictureArea& area = d.ui.picture2;
    const double x0 = s.layoutX;
    const double y0 = s.layoutY;
    const bool large = area.fontSize() == largeFontPoints;

    s.termSign = cleanTermSign(s.termSign);
    const QString numerator = s.termNumerator;
    const QString denominator = s.termDenominator;

    area.setPen(x0 + leadGap, y0 + leadDrop);
    area.print(s.termSign, LineEnd::Stay);
    const double a = roundHalfEven(area.currentX() - x0);

    const double shift = s.termHighlight == 1 ? highlightShift : 0;
    area.setCurrentX(x0 + a + numeratorGap + shift);

    if (!numerator.isEmpty()) {
        if (hasLetterOrSign(numerator)) {
            area.setCurrentY(numeratorTop);
        } else if (large) {
            area.setCurrentY(numeratorTop);
            area.setCurrentX(x0 + a + largeNumeratorGap);
        } else {
            area.setCurrentY(plainNumeratorTop);
            area.setCurrentX(x0 + a + plainNumeratorGap);
        }
        area.print(numerator, LineEnd::Stay);
    }

    if (denominator == noDenominator) {
        return;
    }

    const int w = static_cast<int>(denominator.size() > numerator.size() ? denominator.size()
                                                                         : numerator.size());
    s.layoutY = barOrigin;
    const double yb = barOrigin;

    if (!numerator.isEmpty() || !denominator.isEmpty()) {
        if (large) {
            area.line(x0 + a + largeBarStart, yb + largeBarDrop,
                      x0 + a + largeBarEnd + largeBarPerCharacter * w, yb + largeBarDrop,
                      colour::black);
        } else {
            area.line(x0 + a + barStart, yb + barDrop, x0 + a + barEnd + barPerCharacter * w,
                      yb + barDrop, colour::black);
        }
    }

    const double nx = roundHalfEven(area.currentX());

    if (large) {
        area.setPen(x0 + a + largeDenominatorGap + denominatorPerCharacter * w, yb + largeBarDrop);
    } else {
        area.setPen(x0 + a + denominatorGap + denominatorPerCharacter * w, yb + denominatorDrop);
    }
    area.print(denominator, LineEnd::Break);

    s.layoutX = roundToInt16(nx);
    s.layoutY = 0;
    s.termHighlight = 0;
}

} // namespace minamo
