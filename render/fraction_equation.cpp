#include "render/fraction_equation.h"

#include "core/basic_text.h"
#include "core/spoken_text.h"

#include <algorithm>
#include <array>

namespace minamo {

namespace {

// The term list holds at most this many terms (slots 1..5; slot 0 is the count).
constexpr int maxTerms = 5;
// Splitting empties all but the last term slot first: that one is written whenever a last
// term is found, and nothing reads it otherwise.
constexpr int lastClearedTermSlot = maxTerms - 1;

// Where the problem area's equation starts and where its fraction bars lie.
constexpr int16 equationStartX = 0;
constexpr int16 equationBarY = 400;

// The next line of a worked fraction line lies this far below the end of the one before.
constexpr double workedLineAdvance = 800;

// Fixed estimates of the layout, in twips. Text is not measured: every character of the
// longer part of a fraction counts 200 twips.
constexpr double leadGap = 40;         // before a lead and before a full-width numerator
constexpr double middleLineRise = 200; // leads and trailing letters stand this far above the bar
constexpr double numeratorRise = 400;  // numerators stand this far above the bar
constexpr double characterWidth = 200; // one character of the longer part
constexpr double halfCharacter = 100;  // centring step for the shorter part
constexpr double barExtra = 50;        // the bar reaches beyond the characters by this much
constexpr double trailingLetterWidth = 200;

bool isOperator(QChar c) {
    return c == u'+' || c == u'-' || c == u'=' || c == u'×' || c == u'÷';
}

struct TermParts {
    QString lead;
    QString numerator;
    QString denominator;
    QString trailingX;
};

// The lead operator of a fraction term comes off its numerator: "=-", "=", "-" or "+".
TermParts decompose(const QString& term) {
    TermParts parts;
    const int slash = positionOf(term, QStringLiteral("/"));
    if (slash == 0) {
        parts.lead = term;
        return parts;
    }
    parts.numerator = leftText(term, slash - 1);
    if (parts.numerator.startsWith(u'=')) {
        if (parts.numerator.startsWith(QStringLiteral("=-"))) {
            parts.lead = QStringLiteral("=-");
            parts.numerator = midText(parts.numerator, 3);
        } else {
            parts.lead = QStringLiteral("=");
            parts.numerator = midText(parts.numerator, 2);
        }
    } else if (parts.numerator.startsWith(u'-') || parts.numerator.startsWith(u'+')) {
        parts.lead = leftText(parts.numerator, 1);
        parts.numerator = midText(parts.numerator, 2);
    }
    parts.denominator = midText(term, slash + 1);
    return parts;
}

} // namespace

void splitTerms(DrillState& s) {
    for (int k = 1; k <= lastClearedTermSlot; ++k) {
        s.eqTerm[k].clear();
    }
    const QString text = s.layoutText;
    const int length = static_cast<int>(text.size());
    int count = 0;
    int start = 1;
    bool inBracket = false;
    bool keepMinus = false;
    // Once five terms are stored the rest of the text has no slot left: it is ignored.
    bool full = false;
    for (int i = 1; i <= length; ++i) {
        const QChar c = text[i - 1];
        if (c == u'(') {
            inBracket = true;
        } else if (c == u')') {
            inBracket = false;
        }
        if (inBracket || i == 1 || !isOperator(c)) {
            continue;
        }
        if (keepMinus) {
            keepMinus = false;
            continue;
        }
        if (full) {
            continue;
        }
        ++count;
        s.eqTerm[count] = midText(text, start, i - start);
        start = i;
        keepMinus = midText(text, i, 2) == QStringLiteral("=-");
        full = count == maxTerms;
    }
    if (!full) {
        s.eqTerm[count + 1] = midText(text, start);
    }
    s.eqTerm[0] = decimalText(full ? maxTerms : count + 1);
    // The shared counter ends one past the last character, as a loop over it would.
    s.loopIndex = clampToInt16(static_cast<long long>(length) + 1);
}

void drawFractionLine(DrillState& s, PictureArea& area, double startX, double barY) {
    splitTerms(s);
    const int count = std::clamp(static_cast<int>(leadingNumber(s.eqTerm[0])), 0, maxTerms);

    std::array<TermParts, maxTerms + 1> terms{};
    for (s.loopIndex = 1; s.loopIndex <= count; ++s.loopIndex) {
        terms[static_cast<std::size_t>(s.loopIndex)] = decompose(s.eqTerm[s.loopIndex]);
    }

    double x = startX;
    const double y = barY;
    for (s.loopIndex = 1; s.loopIndex <= count; ++s.loopIndex) {
        TermParts& t = terms[static_cast<std::size_t>(s.loopIndex)];

        area.setPen(x + leadGap, y - middleLineRise);
        area.print(t.lead, LineEnd::Stay);
        x = area.currentX();

        // A letter written after a denominator ("1/3x") stands after the bar.
        if (t.denominator.contains(u'x')) {
            t.denominator.chop(1);
            t.trailingX = QStringLiteral("x");
        }
        const int w = static_cast<int>(std::max(t.numerator.size(), t.denominator.size()));
        const double centring = halfCharacter * w - halfCharacter;

        area.setCurrentY(y - numeratorRise);
        area.setCurrentX(t.numerator.size() == w ? x + leadGap : x + leadGap + centring);
        area.print(t.numerator, LineEnd::Stay);

        const double barLength = barExtra + characterWidth * w;
        if (!t.denominator.isEmpty()) {
            area.line(x, y, x + barLength, y, colour::green);
        }
        if (!t.trailingX.isEmpty()) {
            area.setCurrentY(y - middleLineRise);
            area.print(t.trailingX, LineEnd::Break);
        }

        area.setCurrentY(y);
        area.setCurrentX(t.denominator.size() == w ? x : x + centring);
        area.print(t.denominator, LineEnd::Stay);

        x += barLength;
        if (!t.trailingX.isEmpty()) {
            x += trailingLetterWidth;
        }
    }
}

void drawFractionEquation(Drill& d) {
    d.s.layoutX = equationStartX;
    d.s.layoutY = equationBarY;
    drawFractionLine(d.s, d.ui.picture2, d.s.layoutX, d.s.layoutY);
}

void drawWorkedFractionLine(Drill& d) {
    DrillState& s = d.s;
    PictureArea& area = d.ui.picture7;
    drawFractionLine(s, area, s.layoutX, s.layoutY);
    s.layoutY = roundToInt16(area.currentY() + workedLineAdvance);
    // The terms drawn: a term beyond the last slot is not drawn, nor read.
    QString drawn;
    const int count = std::clamp(static_cast<int>(leadingNumber(s.eqTerm[0])), 0, maxTerms);
    for (int k = 1; k <= count; ++k) {
        drawn += s.eqTerm[k];
    }
    area.addSpokenLine(spokenForm(drawn));
}

} // namespace minamo
