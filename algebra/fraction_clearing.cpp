#include "algebra/fraction_clearing.h"

#include "core/basic_text.h"
#include "core/common_factor.h"
#include "render/fraction_equation.h"

#include <QStringList>
#include <cmath>
#include <limits>
#include <vector>

namespace minamo {

namespace {

bool isSign(QChar c) {
    return c == u'+' || c == u'-';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool startsWithSign(const QString& text) {
    return !text.isEmpty() && isSign(text[0]);
}

// The terms splitTerms leaves in eqTerm, never more than the list holds.
QStringList splitIntoTerms(DrillState& s, const QString& text) {
    s.layoutText = text;
    splitTerms(s);
    int count = roundToInt16(leadingNumber(s.eqTerm[0]));
    if (count > decltype(s.eqTerm)::last) {
        count = decltype(s.eqTerm)::last;
    }
    QStringList terms;
    for (int k = 1; k <= count; ++k) {
        terms << s.eqTerm[k];
    }
    return terms;
}

// Every term of one side as a fraction: a whole number or a plain letter term over 1.
QStringList sideAsFractions(DrillState& s, const QString& side) {
    QStringList terms = splitIntoTerms(s, side);
    for (QString& term : terms) {
        if (!term.contains(u'/')) {
            term += QStringLiteral("/1");
        }
    }
    return terms;
}

enum class Joining { AsTheyAre, Signed };

QString joinTerms(const QStringList& terms, Joining joining) {
    QString joined;
    for (const QString& term : terms) {
        if (joining == Joining::Signed && !startsWithSign(term)) {
            joined += u'+';
        }
        joined += term;
    }
    return joined;
}

QString withoutLeadingPlus(const QString& text) {
    return text.startsWith(u'+') ? text.mid(1) : text;
}

struct LetterGroups {
    QStringList x, y, rest;
};

// x terms first, then y terms, then the rest, each group in its order.
LetterGroups groupByLetter(const QStringList& terms) {
    LetterGroups groups;
    for (const QString& term : terms) {
        if (term.contains(u'x')) {
            groups.x << term;
        } else if (term.contains(u'y')) {
            groups.y << term;
        } else {
            groups.rest << term;
        }
    }
    return groups;
}

// One term of the sorted line, read as coefficient, letter and denominator.
struct FractionTerm {
    bool afterEquals = false; // the first term of the right side
    int16 coefficient = 1;
    QString letter;
    int16 denominator = 1;
    bool fits = true; // coefficient and denominator as written fit in 16 bits
};

bool fitsInt16(double value) {
    return std::abs(value) <= std::numeric_limits<int16>::max();
}

QString leadingDigits(const QString& text) {
    int n = 0;
    while (n < text.size() && isDigit(text[n])) {
        ++n;
    }
    return text.left(n);
}

FractionTerm readTerm(const QString& term) {
    FractionTerm read;
    QString numerator = term;
    QString denominator = QStringLiteral("1");
    const int slash = positionOf(term, QStringLiteral("/"));
    if (slash > 0) {
        numerator = leftText(term, slash - 1);
        denominator = midText(term, slash + 1);
    }
    if (numerator.startsWith(u'=')) {
        read.afterEquals = true;
        numerator.remove(0, 1);
    }

    const bool negative = numerator.startsWith(u'-');
    const QString body = startsWithSign(numerator) ? numerator.mid(1) : numerator;
    const QString digits = leadingDigits(body);
    if (digits.isEmpty()) {
        read.coefficient = negative ? -1 : 1;
    } else {
        read.coefficient = roundToInt16(leadingNumber(numerator));
        read.fits = fitsInt16(leadingNumber(numerator));
    }

    read.denominator = roundToInt16(leadingNumber(denominator));
    read.fits = read.fits && fitsInt16(leadingNumber(denominator));
    const QString unsignedDenominator =
        startsWithSign(denominator) ? denominator.mid(1) : denominator;
    const QString afterDenominator =
        unsignedDenominator.mid(leadingDigits(unsignedDenominator).size());
    read.letter = !afterDenominator.isEmpty() ? afterDenominator : body.mid(digits.size());
    return read;
}

int16 commonMultiple(DrillState& s, int16 a, int16 b) {
    s.factorInputA = a;
    s.factorInputB = b;
    findCommonFactor(s);
    return s.commonMultipleResult;
}

int16 commonDenominator(DrillState& s, const std::vector<FractionTerm>& terms) {
    if (terms.empty()) {
        return 1;
    }
    if (terms.size() == 4) {
        return commonMultiple(s, commonMultiple(s, terms[0].denominator, terms[1].denominator),
                              commonMultiple(s, terms[2].denominator, terms[3].denominator));
    }
    // Two and three terms, and equations longer than the banks hold, fold from the left.
    int16 multiple = terms[0].denominator;
    for (std::size_t k = 1; k < terms.size(); ++k) {
        multiple = commonMultiple(s, multiple, terms[k].denominator);
    }
    return multiple;
}

void storeLine(DrillState& s, const QString& line) {
    s.solutionLineCount = clampToInt16(s.solutionLineCount + 1);
    // A line numbered past the list is not kept; the count still moves on.
    if (decltype(s.fractionLines)::contains(s.solutionLineCount)) {
        s.fractionLines[s.solutionLineCount] = line;
    }
}

} // namespace

void clearFractions(DrillState& s) {
    const QString equation = s.currentLine;
    const int equals = positionOf(equation, QStringLiteral("="));
    // Without "=" the whole text is taken as the left side.
    const QString left = equals > 0 ? leftText(equation, equals - 1) : equation;
    const QString right = equals > 0 ? midText(equation, equals + 1) : QString();

    QStringList leftTerms = sideAsFractions(s, left);
    const QStringList rightTerms = sideAsFractions(s, right);
    if (!leftTerms.isEmpty() && !startsWithSign(leftTerms.front())) {
        leftTerms.front().prepend(u'+');
    }

    const LetterGroups leftGroups = groupByLetter(leftTerms);
    const QString sortedLeft = withoutLeadingPlus(joinTerms(leftGroups.x, Joining::AsTheyAre) +
                                                  joinTerms(leftGroups.y, Joining::AsTheyAre) +
                                                  joinTerms(leftGroups.rest, Joining::AsTheyAre));
    const LetterGroups rightGroups = groupByLetter(rightTerms);
    const QString sortedRight = withoutLeadingPlus(joinTerms(rightGroups.x, Joining::AsTheyAre) +
                                                   joinTerms(rightGroups.y, Joining::Signed) +
                                                   joinTerms(rightGroups.rest, Joining::Signed));

    const QString sorted = sortedLeft + QStringLiteral("=") + sortedRight;
    storeLine(s, sorted);

    std::vector<FractionTerm> terms;
    for (const QString& term : splitIntoTerms(s, sorted)) {
        terms.push_back(readTerm(term));
    }
    const int16 multiple = commonDenominator(s, terms);

    QString overMultiple;
    QString cleared;
    for (const FractionTerm& term : terms) {
        // The new coefficient is computed in double: a denominator of 0 gives no division
        // fault (the term is refused just below).
        const double exact = static_cast<double>(term.coefficient) * multiple /
                             static_cast<double>(term.denominator);
        // A number beyond the 16-bit range is held at its limit: a common denominator is
        // then no multiple of the denominators, a term is not the one written, a new
        // coefficient may not fit. Worked out, the equation would change silently: it is
        // not cleared at all (the worked solution then shows the sorted equation only).
        if (!term.fits || term.denominator == 0 || multiple % term.denominator != 0 ||
            !fitsInt16(exact)) {
            storeLine(s, QString());
            storeLine(s, QString());
            s.pendingEquation.clear();
            return;
        }
        const int16 h = roundToInt16(exact);
        if (term.afterEquals) {
            overMultiple += u'=';
            cleared += u'=';
        } else if (h >= 0 && !overMultiple.isEmpty()) {
            // A term of 0 gets its "+" too: written bare it would run into the term before.
            overMultiple += u'+';
            cleared += u'+';
        }
        overMultiple += decimalText(h) + term.letter + QStringLiteral("/") + decimalText(multiple);
        cleared += decimalText(h) + term.letter;
    }

    storeLine(s, overMultiple);
    storeLine(s, cleared);
    s.pendingEquation = cleared;
}

} // namespace minamo
