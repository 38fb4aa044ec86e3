#include "answer/typed_fraction.h"

#include "render/fraction_term.h"

#include "algebra/expression_terms.h"
#include "core/basic_text.h"

#include <algorithm>
#include <cmath>

namespace minamo {

namespace {

// Both typed-fraction procedures draw on Picture3; positions are twips.
constexpr int highlightShift = -240; // the highlighted numerator stands further left
constexpr int16 barLayoutY = 500;    // layoutY while the bar and denominator are drawn

// drawEntryFraction: the fraction being typed.
constexpr int entryLeadDx = 40;
constexpr int entryLeadDy = 300;
constexpr int entryNumeratorDx = 100;
constexpr int entryNumeratorDy = 10;
constexpr int entryBarY = 950;
constexpr int entryBarEndDx = 140;
constexpr int entryBarPerChar = 580;
constexpr int entryDenominatorDx = 100;
constexpr int entryDenominatorPerChar = 80;
constexpr int entryDenominatorY = 1000;

// drawAnswerFraction: a finished fraction.
constexpr int answerLeadDx = 100;
constexpr int answerLeadDy = 300;
constexpr int answerNumeratorDx = 400;
constexpr int answerNarrowingPerChar = 50; // a wide fraction starts its numerator further left
constexpr int wideFraction = 6;            // from this width on the narrowing is smaller
constexpr int wideFractionRelief = 2;
constexpr int answerNumeratorDy = 280;
constexpr int answerLetterNumeratorDy = 50;
constexpr int answerBarY = 750;
constexpr int answerBarEndDx = 140;
constexpr int answerBarPerChar = 350;
constexpr int answerDenominatorDx = 100;
constexpr int answerDenominatorY = 700;

// Shared by both.
constexpr int noBarNumeratorDy = 300; // denominator "0": no bar, the numerator on the lead's line
constexpr int plainNumeratorDx = -100;
constexpr int plainNumeratorY = 50;
constexpr int barStartDx = 50;

// The overline of a root, over the characters from the "√" on.
constexpr int rootCharWidth = 200;
constexpr int rootFirstCharDx = 50;
constexpr int rootStartDx = 250;
constexpr int rootPerChar = 280;
constexpr int rootBarDy = 40;
constexpr int rootNoBarDy = 290;
constexpr int denominatorRootBarY = 1030;

// Terms drawn with stacked fractions and texts printed after a term.
constexpr int followingTextDx = 100;
constexpr int followingTextDy = 400;
constexpr int drawnTerms = 3;

const QString rootSign = QStringLiteral("√");

enum class TypedFraction { Entry, Answer };

// A numerator that is not a plain number is printed as typed.
bool isWrittenOut(const QString& numerator, TypedFraction kind) {
    for (QChar c : numerator) {
        if (c == u'x' || c == u'×' || c == u'+' || c == u'-' ||
            (kind == TypedFraction::Answer && c == u'y')) {
            return true;
        }
    }
    return false;
}

// The bar of a root over text just printed (ending at xAfter): from the "√" at position
// root to the end.
void drawRootBar(PictureArea& area, const QString& text, int root, double xAfter, double y,
                 Rgb colour) {
    const int length = static_cast<int>(text.startsWith(u'-') ? text.size() - 1 : text.size());
    double e = xAfter - rootCharWidth * (length + 1);
    if (root == 1) {
        e += rootFirstCharDx;
    }
    const double from = e + rootCharWidth * (root - 1);
    area.line(from + rootStartDx, y, from + rootPerChar * (length - root + 1), y, colour);
}

// The numerator is placed from the longer of the two parts: equally long parts count
// whole, otherwise the longer one less a character; very wide fractions less two more.
int answerFractionWidth(const QString& numerator, const QString& denominator) {
    const int n = static_cast<int>(numerator.size());
    const int d = static_cast<int>(denominator.size());
    int width = n == d ? n : std::max(n, d) - 1;
    if (width >= wideFraction) {
        width -= wideFractionRelief;
    }
    return width;
}

void drawTypedFraction(Drill& d, TypedFraction kind) {
    DrillState& s = d.s;
    PictureArea& area = d.ui.picture3;
    const bool answer = kind == TypedFraction::Answer;

    s.termSign = cleanTermSign(s.termSign);
    if (answer && s.termNumerator.startsWith(u'-')) {
        s.termNumerator.remove(0, 1);
    }
    const QString numerator = s.termNumerator;
    const QString denominator = s.termDenominator;
    const int x0 = s.layoutX;
    const int y0 = s.layoutY;
    const int shift = s.termHighlight == 1 ? highlightShift : 0;
    const Rgb rootColour = s.termHighlight == 1 ? colour::red : colour::black;
    const bool noBar = denominator == QStringLiteral("0");

    // The lead; a is where the fraction starts (entry: from the origin, answer: absolute).
    int a = 0;
    if (answer) {
        area.setPen(x0 + answerLeadDx, y0 + answerLeadDy);
        area.print(s.termSign, LineEnd::Stay);
        a = static_cast<int>(roundHalfEven(area.currentX()));
    } else {
        area.setPen(x0 + entryLeadDx, y0 + entryLeadDy);
        area.print(s.termSign, LineEnd::Stay);
        a = static_cast<int>(roundHalfEven(area.currentX() - x0));
    }

    double penX = 0;
    double penY = 0;
    if (answer) {
        const int width = answerFractionWidth(numerator, denominator);
        penX = a + answerNumeratorDx + shift - answerNarrowingPerChar * (width - 1);
        penY = y0 + (noBar ? noBarNumeratorDy : answerNumeratorDy);
    } else {
        penX = x0 + a + entryNumeratorDx + shift;
        penY = y0 + (noBar ? noBarNumeratorDy : entryNumeratorDy);
    }
    area.setPen(penX, penY);

    if (const int root = positionOf(numerator, rootSign); root > 0) {
        area.print(numerator, LineEnd::Stay);
        drawRootBar(area, numerator, root, area.currentX(),
                    y0 + rootBarDy + (noBar ? rootNoBarDy : 0), rootColour);
    } else if (isWrittenOut(numerator, kind)) {
        if (answer) {
            area.setCurrentY(y0 + answerLetterNumeratorDy);
        }
        area.print(numerator, LineEnd::Stay);
    } else if (!numerator.isEmpty()) {
        area.setPen(a + plainNumeratorDx, plainNumeratorY);
        printNumber(area, std::abs(leadingNumber(numerator)), LineEnd::Stay);
    }

    if (noBar) {
        return;
    }

    s.layoutY = barLayoutY;
    const int n = static_cast<int>(denominator.size());
    if (answer) {
        area.line(a + barStartDx, answerBarY, a + answerBarEndDx + answerBarPerChar * n, answerBarY,
                  colour::black);
        const int16 barEnd = roundToInt16(area.currentX());
        area.setPen(a + answerDenominatorDx, answerDenominatorY);
        area.print(denominator, LineEnd::Stay);
        if (const int root = positionOf(denominator, rootSign); root > 0) {
            drawRootBar(area, denominator, root, area.currentX(), denominatorRootBarY, rootColour);
        }
        s.layoutX = barEnd;
        s.layoutY = 0;
        s.termHighlight = 0;
    } else {
        area.line(a + barStartDx, entryBarY, a + entryBarEndDx + entryBarPerChar * n, entryBarY,
                  colour::black);
        area.setPen(a + entryDenominatorDx + entryDenominatorPerChar * n, entryDenominatorY);
        area.print(denominator, LineEnd::Break);
    }
}

// The numeric value of a numerator without its sign, as the display writes it.
QString magnitudeText(const QString& numerator) {
    return QString::number(std::abs(leadingNumber(numerator)), 'g', 15);
}

struct TypedTerm {
    QString whole;
    QString numerator;   // before the "/", without a leading "+"
    QString denominator; // after the "/"
    bool hasSlash = false;
    bool isFraction() const { return hasSlash && (!numerator.isEmpty() || !denominator.isEmpty()); }
};

TypedTerm typedTerm(const QString& whole) {
    TypedTerm term{whole};
    const auto slash = whole.indexOf(u'/');
    if (slash >= 0) {
        term.hasSlash = true;
        term.numerator = whole.left(slash);
        if (term.numerator.startsWith(u'+')) {
            term.numerator.remove(0, 1);
        }
        term.denominator = whole.mid(slash + 1);
    }
    return term;
}

// A term's own sign ("+", "-" or "="): every term the splitter gives begins with one.
QString signOf(const TypedTerm& term) {
    return term.whole.left(1);
}

void printFollowingText(Drill& d, const QString& text) {
    d.ui.picture3.setPen(d.s.layoutX + followingTextDx, d.s.layoutY + followingTextDy);
    d.ui.picture3.print(text, LineEnd::Break);
}

} // namespace

void showFractionAnswer(Drill& d) {
    DrillState& s = d.s;

    QString text = s.answerLayoutText;
    QString lead;
    if (const int at = positionOf(text, QStringLiteral("x=-")); at > 0) {
        lead = QStringLiteral("x=-");
        text = midText(text, at + 3);
    } else if (const int plain = positionOf(text, QStringLiteral("x=")); plain > 0) {
        lead = QStringLiteral("x=");
        text = midText(text, plain + 2);
    }

    s.answerLayoutText = text;
    splitExpressionTerms(s);
    TypedTerm terms[drawnTerms + 1];
    for (int k = 1; k <= drawnTerms; ++k) {
        terms[k] = typedTerm(s.expressionTerms[k]);
    }

    // Term 1: the lead and the first fraction (a term without "/" shows only the lead).
    s.termSign = lead;
    s.termNumerator = terms[1].numerator;
    s.termDenominator = terms[1].denominator;
    s.termHighlight = 1;
    drawAnswerFraction(d);

    const TypedTerm& second = terms[2];
    if (!second.isFraction()) {
        // An operator typed after a fraction commits what was typed so far.
        if (second.whole == QStringLiteral("-") || second.whole == QStringLiteral("+")) {
            if (s.answerHead.isEmpty()) {
                s.answerHead = s.answerText;
            }
            s.answerText.clear();
            s.typedNumerator.clear();
        }
        if (!second.whole.isEmpty()) {
            printFollowingText(d, second.whole);
        }
        return;
    }

    s.termSign = second.numerator.isEmpty() ? rightText(s.answerHead, 1) : signOf(second);
    if (second.numerator.contains(u'y')) {
        s.termNumerator = second.numerator;
    } else {
        const QString magnitude = magnitudeText(second.numerator);
        s.termNumerator = magnitude == QStringLiteral("0") ? QString() : magnitude;
    }
    s.termDenominator = second.denominator;
    s.termHighlight = 1;
    drawAnswerFraction(d);

    const TypedTerm& third = terms[3];
    if (third.isFraction()) {
        if (third.numerator.contains(u'=')) {
            s.termSign = QStringLiteral("=");
            s.termNumerator = third.numerator.mid(1);
        } else {
            s.termSign = signOf(third);
            s.termNumerator = magnitudeText(third.numerator);
        }
        s.termDenominator = third.denominator;
        s.termHighlight = 1;
        drawAnswerFraction(d);
        return;
    }
    if (third.whole == QStringLiteral("=")) {
        s.answerHead += s.answerText;
        s.answerText.clear();
    }
    if (!third.whole.isEmpty()) {
        printFollowingText(d, third.whole);
    }
}

void drawEntryFraction(Drill& d) {
    drawTypedFraction(d, TypedFraction::Entry);
}

void drawAnswerFraction(Drill& d) {
    drawTypedFraction(d, TypedFraction::Answer);
}

} // namespace minamo
