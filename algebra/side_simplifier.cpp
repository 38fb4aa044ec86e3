#include "algebra/side_simplifier.h"

#include "core/basic_text.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace minamo {

namespace {

bool isSign(QChar c) {
    return c == u'+' || c == u'-';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The text cut before every "+" and "-"; each term keeps its sign. A text that begins
// with a sign therefore gives no empty first term.
QStringList splitAtSigns(const QString& text) {
    QStringList terms;
    QString term;
    for (QChar c : text) {
        if (isSign(c) && !term.isEmpty()) {
            terms << term;
            term.clear();
        }
        term += c;
    }
    if (!term.isEmpty()) {
        terms << term;
    }
    return terms;
}

// A term is read as one of three kinds: a bare sign carries nothing, a term that ends in a
// digit is a number, anything else is a letter term whose letter is its last character.
enum class TermKind { Empty, Number, Letter };

TermKind kindOf(const QString& term) {
    if (term.isEmpty() || (term.size() == 1 && isSign(term[0]))) {
        return TermKind::Empty;
    }
    return isDigit(term.back()) ? TermKind::Number : TermKind::Letter;
}

// Numbers are 16-bit as in the rest of the drill, but sums and products are worked out wide
// and only the results are held in 16 bits: a result that fits is exact even when a step on
// the way (a term, a product, a partial sum) would not, and one that does not fit saturates
// at its limit instead of wrapping round. Checking each step in 16 bits instead turned
// 300(200x)-300(199x) into 0 rather than 300x.
// Wide values stay within this bound: far beyond any side, and exact in a double.
constexpr double wideLimit = 1e15;

long long wide(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<long long>(std::clamp(roundHalfEven(value), -wideLimit, wideLimit));
}

long long wideSum(long long a, long long b) {
    return wide(static_cast<double>(a + b)); // both within 1e15: no overflow
}

long long wideProduct(long long a, long long b) {
    return wide(static_cast<double>(a) * static_cast<double>(b));
}

int16 bounded(long long value) {
    return clampToInt16(value);
}

// The coefficient of a letter term: the number before its letter, a lone sign being 1 or -1.
long long coefficientOf(const QString& letterTerm) {
    const QString head = letterTerm.left(letterTerm.size() - 1);
    if (head.isEmpty() || head == QStringLiteral("+")) {
        return 1;
    }
    if (head == QStringLiteral("-")) {
        return -1;
    }
    return wide(leadingNumber(head));
}

// Number terms add up to the constant. The first letter term names the letter; later
// terms of the same letter add to its coefficient, terms of another letter are ignored.
struct Collected {
    long long constant = 0;
    long long coefficient = 0;
    QString letter;
};

Collected collect(const QString& text) {
    Collected sum;
    for (const QString& term : splitAtSigns(text)) {
        switch (kindOf(term)) {
        case TermKind::Empty:
            break;
        case TermKind::Number:
            sum.constant = wideSum(sum.constant, wide(leadingNumber(term)));
            break;
        case TermKind::Letter:
            if (sum.letter.isEmpty()) {
                sum.letter = term.right(1);
                sum.coefficient = coefficientOf(term);
            } else if (term.right(1) == sum.letter) {
                sum.coefficient = wideSum(sum.coefficient, coefficientOf(term));
            }
            break;
        }
    }
    return sum;
}

QString withLeadingSign(const QString& text) {
    if (text.isEmpty() || !isSign(text[0])) {
        return QStringLiteral("+") + text;
    }
    return text;
}

// One bracket group, last group first: "-2(5x-6)" becomes "-10x+12" in place.
QString expandLastBracket(const QString& s) {
    const int open = static_cast<int>(s.lastIndexOf(u'(')) + 1; // 1-based
    int close = static_cast<int>(s.lastIndexOf(u')')) + 1;
    // A group that is never closed runs to the end of the side.
    if (close < open) {
        close = static_cast<int>(s.size()) + 1;
    }

    // The multiplier runs from the nearest sign before the bracket up to the bracket. The
    // side always begins with a sign, so there is one.
    int signAt = open - 1;
    while (signAt >= 1 && !isSign(s[signAt - 1])) {
        --signAt;
    }
    const QString prefix = signAt >= 1 ? leftText(s, signAt - 1) : QString();
    const QString multiplier = signAt >= 1 ? midText(s, signAt, open - signAt) : QString();
    const QString inner = withLeadingSign(midText(s, open + 1, close - open - 1));
    const QString after = midText(s, close + 1);

    const Collected bracket = collect(inner);

    long long factor = 0;
    if (multiplier.isEmpty() || multiplier == QStringLiteral("+")) {
        factor = 1;
    } else if (multiplier == QStringLiteral("-")) {
        factor = -1;
    } else {
        factor = wide(leadingNumber(multiplier));
    }

    const long long outConstant = wideProduct(factor, bracket.constant);
    QString expansion = decimalText(wideProduct(factor, bracket.coefficient)) + bracket.letter;
    if (outConstant >= 1) {
        expansion += QStringLiteral("+") + decimalText(outConstant);
    } else if (outConstant < 0) {
        expansion += decimalText(outConstant);
    }
    // A constant of 0 is left out: written bare behind the letter ("3x0") it would read as
    // a number term and lose the letter.
    return prefix + withLeadingSign(expansion) + after;
}

} // namespace

void simplifySide(DrillState& s) {
    QString side = s.sideText;
    side.replace(u'－', u'-');
    side.replace(u'＋', u'+');
    side.replace(u'χ', u'x');
    side = withLeadingSign(side);

    // Every pass removes the last "(" and adds none, so the loop ends.
    int expansions = 0;
    while (side.contains(u'(')) {
        side = expandLastBracket(side);
        ++expansions;
        if (expansions == 2) {
            s.sideExpanded = side;
        }
    }

    Collected sum = collect(side);
    const long long coefficient = bounded(sum.coefficient);
    const long long constant = bounded(sum.constant);
    QString letter = sum.letter;
    // The letter goes only when the coefficients add up to 0 in the end: a sum that passes
    // through 0 on the way (2x-2x+3x) still has its letter.
    if (coefficient == 0) {
        letter.clear();
    }

    QString coefficientText;
    if (coefficient == -1) {
        coefficientText = QStringLiteral("-");
    } else if (coefficient == 1) {
        coefficientText = QStringLiteral("+");
    } else if (coefficient != 0) {
        coefficientText = blankSignedText(coefficient);
    }
    QString constantText =
        constant >= 1 ? QStringLiteral("+") + decimalText(constant) : blankSignedText(constant);
    if (constantText == QStringLiteral(" 0") && !coefficientText.isEmpty()) {
        constantText.clear();
    }

    s.sideCoefficient = static_cast<int16>(coefficient);
    s.sideLetter = letter;
    s.sideConstant = static_cast<int16>(constant);
    s.sideCollected = coefficientText.trimmed() + letter.trimmed() + constantText.trimmed();
}

} // namespace minamo
