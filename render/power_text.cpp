#include "render/power_text.h"

#include "core/basic_text.h"
#include "design/font_families.h"
#include "render/fraction_term.h"
#include "render/power_core.h"

#include <array>

namespace minamo {

namespace {

const QString& exponentFont = font::proportionalJapanese;

constexpr int16 defaultBaseSize = 48; // points, when baseFontSize is 0 ("not set")
constexpr int16 smallBaseSize = 24;   // the smaller layout a caller may ask for
constexpr int smallExponentSize = 18; // exponents of the smaller layout
constexpr int exponentSize = 20;      // exponents of every other layout
constexpr int typedBaseSize = 48;     // the typed answer: text after an exponent
constexpr int typedExponentSize = 20; // the typed answer: exponents

// The exponent of a bracketed fraction stands this far left of the closing bracket's end
// and this far below the fraction's origin.
constexpr int bracketExponentDx = -200;
constexpr int bracketExponentDy = 200;

// Characters from..to (1-based, inclusive); empty when the range is empty.
QString piece(const QString& text, int from, int to) {
    if (to < from) {
        return {};
    }
    return midText(text, from, to - from + 1);
}

// Stripped of leading and trailing blanks, as every piece of the layout is.
QString trimmedPiece(const QString& text, int from, int to) {
    return piece(text, from, to).trimmed();
}

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// A coefficient 1 in front of a letter is not written ("1x" is "x"); a 1 that starts a
// number, or that stands before an operator or a bracket, stays so the value is kept.
QString withoutLeadingOne(const QString& text) {
    if (text.size() >= 2 && text[0] == u'1' && isAsciiLetter(text[1])) {
        return text.mid(1);
    }
    return text;
}

// 1-based positions of the first four "^" (0 where there is none).
std::array<int, 4> caretPositions(const QString& text) {
    std::array<int, 4> at{};
    int from = 1;
    for (int& position : at) {
        position = positionOf(text, QStringLiteral("^"), from);
        if (position == 0) {
            break;
        }
        from = position + 1;
    }
    return at;
}

class PowerLayout {
public:
    PowerLayout(Drill& d, PowerVariant variant)
        : d_(d), variant_(variant),
          area_(variant == PowerVariant::TypedAnswer ? d.ui.picture3 : d.ui.picture2) {
        if (variant_ == PowerVariant::TypedAnswer) {
            baseSize_ = typedBaseSize;
            exponentSize_ = typedExponentSize;
        } else {
            if (d.s.baseFontSize == 0) {
                d.s.baseFontSize = defaultBaseSize;
            }
            baseSize_ = d.s.baseFontSize;
            exponentSize_ = baseSize_ == smallBaseSize ? smallExponentSize : exponentSize;
        }
        lastEnd_ = d.s.stayOnLine == 1 ? LineEnd::Stay : LineEnd::Break;
    }

    void draw() {
        const QString text = withoutLeadingOne(d_.s.powerText);
        const auto [c1, c2, c3, c4] = caretPositions(text);
        const bool typed = variant_ == PowerVariant::TypedAnswer;
        if (c1 == 0) {
            area_.print(text, lastEnd_);
        } else if (c2 == 0) {
            drawOne(text, c1);
        } else if (c3 == 0) {
            drawTwo(text, c1, c2);
        } else if (!typed || c4 == 0) {
            drawThree(text, c1, c2, c3);
        } else {
            drawFour(text, c1, c2, c3, c4);
        }
        d_.s.stayOnLine = 0;
    }

private:
    void print(const QString& text) { area_.print(text, LineEnd::Stay); }
    void printLast(const QString& text) { area_.print(text, lastEnd_); }
    void exponent(const QString& text) {
        area_.setFontSize(exponentSize_);
        area_.setFontName(exponentFont);
        area_.print(text, LineEnd::Stay);
    }
    void backToBase() { area_.setFontSize(baseSize_); }
    static QString exponentAt(const QString& text, int caret) {
        return trimmedPiece(text, caret + 1, caret + 1);
    }

    void drawOne(const QString& text, int c1) {
        const QString base = trimmedPiece(text, 1, c1 - 1);
        const QString exp = exponentAt(text, c1);
        const QString rest = trimmedPiece(text, c1 + 2, static_cast<int>(text.size()));
        const bool fractionBase = variant_ == PowerVariant::ProblemArea && base.contains(u'/');
        if (fractionBase && base.contains(u'(')) {
            drawBracketedFraction(base, exp);
        } else if (!fractionBase) {
            if (variant_ == PowerVariant::ProblemArea) {
                area_.setPen(d_.s.powerX, d_.s.powerY);
            }
            print(base);
            exponent(exp);
            backToBase();
        }
        // A fraction without brackets before the "^" cannot be raised: only the rest shows.
        printLast(rest);
    }

    void drawTwo(const QString& text, int c1, int c2) {
        print(trimmedPiece(text, 1, c1 - 1));
        exponent(exponentAt(text, c1));
        backToBase();
        print(trimmedPiece(text, c1 + 2, c2 - 1));
        exponent(exponentAt(text, c2));
        backToBase();
        printLast(trimmedPiece(text, c2 + 2, static_cast<int>(text.size())));
    }

    // Base, three exponents and the two texts between them, back at the base size.
    void drawThreeExponents(const QString& text, int c1, int c2, int c3) {
        if (variant_ == PowerVariant::ProblemArea) {
            area_.setFontName(exponentFont);
            area_.setFontSize(baseSize_);
        }
        print(trimmedPiece(text, 1, c1 - 1));
        exponent(exponentAt(text, c1));
        backToBase();
        print(trimmedPiece(text, c1 + 2, c2 - 1));
        exponent(exponentAt(text, c2));
        backToBase();
        print(trimmedPiece(text, c2 + 2, c3 - 1));
        exponent(exponentAt(text, c3));
        backToBase();
    }

    void drawThree(const QString& text, int c1, int c2, int c3) {
        // A fourth "^" in the problem area stays in the rest and is printed as it is.
        drawThreeExponents(text, c1, c2, c3);
        printLast(trimmedPiece(text, c3 + 2, static_cast<int>(text.size())));
    }

    void drawFour(const QString& text, int c1, int c2, int c3, int c4) {
        drawThreeExponents(text, c1, c2, c3);
        print(trimmedPiece(text, c3 + 2, c4 - 1));
        // Everything after the fourth "^" is small; the size stays small afterwards.
        area_.setFontSize(exponentSize_);
        printLast(trimmedPiece(text, c4 + 1, static_cast<int>(text.size())));
    }

    // "(2/3)^2", "(-2/5)^2", "-(2/3)^2": the fraction is stacked by the fraction-term
    // procedure and the exponent placed at the closing bracket.
    void drawBracketedFraction(const QString& base, const QString& exp) {
        DrillState& s = d_.s;
        const int slash = positionOf(base, QStringLiteral("/"));
        const int close = positionOf(base, QStringLiteral(")"));
        const bool minusBracket = base.contains(QStringLiteral("-("));
        const QString inner = piece(base, minusBracket ? 3 : 2, slash - 1);
        s.termDenominator = piece(base, slash + 1, close - 1);
        if (inner.startsWith(u'-')) {
            s.termNumerator = inner.mid(1);
            s.termSign = minusBracket ? QStringLiteral("-(-") : QStringLiteral("(-");
        } else {
            s.termNumerator = inner;
            s.termSign = minusBracket ? QStringLiteral("-(") : QStringLiteral("(");
        }
        drawFractionTerm(d_);
        s.termSign = QStringLiteral(")");
        s.termNumerator.clear();
        s.termDenominator.clear();
        drawFractionTerm(d_);

        area_.setPen(s.layoutX + bracketExponentDx, s.layoutY + bracketExponentDy);
        exponent(exp);
        backToBase();
        s.layoutX = 0;
        s.layoutY = 0;
    }

    Drill& d_;
    PowerVariant variant_;
    PictureArea& area_;
    int baseSize_ = typedBaseSize;
    int exponentSize_ = typedExponentSize;
    LineEnd lastEnd_ = LineEnd::Break;
};

} // namespace

void drawPowers(Drill& d, PowerVariant variant) {
    PowerLayout(d, variant).draw();
}

void drawPowerText(Drill& d) {
    drawPowers(d, PowerVariant::ProblemArea);
}

} // namespace minamo
