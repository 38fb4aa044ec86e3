#include "algebra/worked_solution.h"

#include "algebra/fraction_clearing.h"
#include "algebra/side_simplifier.h"
#include "core/basic_text.h"
#include "core/common_factor.h"
#include "core/problem.h"
#include "core/spoken_text.h"
#include "design/form_layout.h"
#include "design/story_layout.h"
#include "render/fraction_equation.h"
#include "render/math_text.h"
#include "render/problem_display.h"

#include <QMap>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

namespace minamo {

namespace {

// Text steps stand this far below the line before them.
constexpr double lineGap = 20;
// The bar level of the first stacked fraction line, below the top of what it follows (the
// area's top, or a working's lines in words).
constexpr int16 firstFractionLineY = 400;

// The stacked solution, relative to y0 (200 twips above the pen after the last step).
constexpr double rowAbovePen = 200;
constexpr double signRow = 400;
constexpr double numeratorRow = 200;
constexpr double barRow = 600;
constexpr double barLength = 350;
constexpr double denominatorIndent = 50;
// The reduced fraction below it.
constexpr double reducedIndent = 100;
constexpr double reducedBarStart = 50;
constexpr double reducedBarEnd = 400;

// A quotient this close to a whole number is written as one.
constexpr double wholeTolerance = 0.0001;

// Step numbers are 16-bit; one that would leave the range saturates at its limit instead of
// wrapping round to the wrong sign.
int16 bounded(long long value) {
    return clampToInt16(value);
}

bool fitsInt16(long long value) {
    return value == clampToInt16(value);
}

// A side's coefficient or constant at a limit of the 16-bit range may have been held there
// (the simplifier saturates what does not fit).
bool atLimit(int16 value) {
    return value == std::numeric_limits<int16>::max() || value == std::numeric_limits<int16>::min();
}

// The numbered steps of one solution, so that a step equal to the one before it is not
// shown twice. The numbers continue from solutionLineCount as the caller left it.
class Steps {
public:
    explicit Steps(DrillState& s) : s_(s) {}

    // Adds a step under the next number; true when it differs from the step before it.
    bool add(const QString& text) {
        s_.solutionLineCount = bounded(s_.solutionLineCount + 1);
        texts_[s_.solutionLineCount] = text;
        return text != texts_.value(s_.solutionLineCount - 1);
    }
    // Takes the last step back: it was not shown.
    void drop() { s_.solutionLineCount = bounded(s_.solutionLineCount - 1); }

private:
    DrillState& s_;
    QMap<int, QString> texts_;
};

struct Sides {
    QString left;
    QString right;
};

Sides splitAtEquals(const QString& equation) {
    const int equals = positionOf(equation, QStringLiteral("="));
    if (equals == 0) {
        return {equation, QString()};
    }
    return {leftText(equation, equals - 1), midText(equation, equals + 1)};
}

struct Side {
    int16 coefficient = 0;
    QString letter;
    int16 constant = 0;
    QString collected;
};

Side simplified(DrillState& s, const QString& text) {
    s.sideText = text;
    simplifySide(s);
    return {s.sideCoefficient, s.sideLetter, s.sideConstant, s.sideCollected};
}

void printStep(Drill& d, const QString& text) {
    d.s.currentLine = text;
    printSolutionLine(d);
}

// The moved term of the transposition step: its sign (the opposite of its own) and the
// term without sign.
struct MovedTerm {
    QString sign;
    QString text;
};

MovedTerm moved(int16 value, const QString& letter) {
    if (value == 0) {
        return {};
    }
    return {value > 0 ? QStringLiteral("-") : QStringLiteral("+"),
            decimalText(std::llabs(value)) + letter};
}

// "x=" (or "x=-") and the fraction |b|/|a| as it is read aloud.
QString spokenFraction(const QString& sign, long long a, long long b) {
    return spokenForm(sign + decimalText(std::llabs(b)) + u'/' + decimalText(std::llabs(a)));
}

// The solution as a stacked fraction "x=" (or "x=-") with N over D, and below it the
// fraction reduced by the common factor when there is one.
void printFractionSolution(Drill& d, int a, int b, double quotient) {
    DrillState& s = d.s;
    PictureArea& area = d.ui.picture7;
    const QString sign = quotient < 0 ? QStringLiteral("x=-") : QStringLiteral("x=");

    double y0 = area.currentY() - rowAbovePen;
    area.setCurrentY(y0 + signRow);
    area.print(sign, LineEnd::Stay);
    const double x = area.currentX();
    area.setCurrentY(y0 + numeratorRow);
    area.setCurrentX(x);
    area.print(decimalText(std::llabs(b)), LineEnd::Break);
    area.line(x, y0 + barRow, x + barLength, y0 + barRow, colour::green);
    area.setCurrentX(x + denominatorIndent);
    area.setCurrentY(y0 + barRow);
    area.print(decimalText(std::llabs(a)), LineEnd::Break);
    y0 = area.currentY() - rowAbovePen;
    area.addSpokenLine(spokenFraction(sign, a, b));

    // The common factor is found in 16 bits: a collected form beyond that range is left
    // unreduced rather than reduced by the factor of other numbers.
    if (!fitsInt16(a) || !fitsInt16(b)) {
        return;
    }
    s.factorInputA = static_cast<int16>(b);
    s.factorInputB = static_cast<int16>(a);
    findCommonFactor(s);
    const int factor = s.commonFactorResult;
    if (factor == 1 || factor == 0) {
        return;
    }
    b /= factor;
    a /= factor;
    area.setCurrentX(0);
    area.setCurrentY(y0 + signRow);
    area.print(sign, LineEnd::Break);
    area.setCurrentX(x + reducedIndent);
    area.setCurrentY(y0 + numeratorRow);
    area.print(decimalText(std::llabs(b)), LineEnd::Break);
    area.line(x + reducedBarStart, y0 + barRow, x + reducedBarEnd, y0 + barRow, colour::green);
    area.setCurrentX(x + reducedIndent);
    area.setCurrentY(y0 + barRow);
    area.print(decimalText(std::llabs(a)), LineEnd::Break);
    area.addSpokenLine(spokenFraction(sign, a, b));
}

// Every miss at the same problem writes its solution below the one before. After a dozen
// or so misses the next would run past the 16-bit twip range, long out of sight below the
// bottom of Picture7: it starts at the top instead. (A solution written below the last is
// never taller than the picture; one with fraction lines starts at the top.)
void makeRoomBelow(PictureArea& area) {
    if (area.currentY() > std::numeric_limits<int16>::max() - area.heightTwips()) {
        area.clear();
    }
}

// The sides to solve: those of the equation itself, or, for an equation with fractions,
// those of the equation cleared of them, after its two fraction lines are drawn (sorted,
// then over the common denominator). None when the fractions cannot be cleared: their
// common denominator does not fit in 16 bits, and the sorted equation is all there is.
std::optional<Sides> sidesWithoutFractions(Drill& d, const QString& equation, double top) {
    DrillState& s = d.s;
    if (!equation.contains(u'/')) {
        return splitAtEquals(equation);
    }
    clearFractions(s);
    s.layoutY = roundToInt16(top + firstFractionLineY);
    s.layoutText = s.fractionLines[1];
    drawWorkedFractionLine(d);
    if (s.pendingEquation.isEmpty()) {
        return std::nullopt;
    }
    s.layoutText = s.fractionLines[2];
    drawWorkedFractionLine(d);
    return splitAtEquals(s.pendingEquation);
}

// The equation without fractions (nothing for an equation that had none).
void printClearedEquation(Drill& d, Steps& steps) {
    DrillState& s = d.s;
    d.ui.picture7.print(QString(), LineEnd::Break);
    const QString cleared = s.pendingEquation;
    steps.add(cleared);
    s.pendingEquation.clear();
    printStep(d, cleared);
}

struct SimplifiedSides {
    Side left;
    Side right;
};

// Both sides simplified; the left side with its brackets expanded is a step of its own
// when it had any.
SimplifiedSides simplifySides(Drill& d, Steps& steps, const Sides& sides) {
    DrillState& s = d.s;
    // An expansion left over from an earlier solution must not be shown for this one.
    s.sideExpanded.clear();
    const Side left = simplified(s, sides.left);
    if (!s.sideExpanded.isEmpty()) {
        const QString expanded = s.sideExpanded + QStringLiteral("=") + sides.right;
        steps.add(expanded);
        printStep(d, expanded);
    }
    return {left, simplified(s, sides.right)};
}

bool heldAtLimit(const SimplifiedSides& sides) {
    return atLimit(sides.left.coefficient) || atLimit(sides.left.constant) ||
           atLimit(sides.right.coefficient) || atLimit(sides.right.constant);
}

// Both sides collected; dropped when it repeats the step before or begins with "+".
void printCollectedSides(Drill& d, Steps& steps, const SimplifiedSides& sides) {
    const QString right = sides.right.collected;
    const QString collected = sides.left.collected + QStringLiteral("=") +
                              (right.startsWith(u'+') ? right.mid(1) : right);
    if (steps.add(collected) && !collected.startsWith(u'+')) {
        printStep(d, collected);
    } else {
        steps.drop();
    }
}

// The variable term of the right side and the constant of the left side move across, their
// new signs in red and the moved terms in blue.
void printTransposition(Drill& d, Steps& steps, const SimplifiedSides& sides) {
    PictureArea& area = d.ui.picture7;
    const Side& left = sides.left;
    const Side& right = sides.right;
    const QString kept = decimalText(left.coefficient) + left.letter;
    const MovedTerm movedVariable = moved(right.coefficient, right.letter);
    const MovedTerm movedConstant = moved(left.constant, QString());
    // When no constant moves and the right side has none, the right side reads 0: a bare
    // "=" at the end ("2x=") would not be an equation.
    const QString rightConstant =
        QStringLiteral("=") + (right.constant != 0 || movedConstant.text.isEmpty()
                                   ? decimalText(right.constant)
                                   : QString());
    if (!steps.add(kept + movedVariable.sign + movedVariable.text + rightConstant +
                   movedConstant.sign + movedConstant.text)) {
        return;
    }
    area.print(kept, LineEnd::Stay);
    area.setForeColor(colour::red);
    area.print(movedVariable.sign, LineEnd::Stay);
    area.setForeColor(colour::blue);
    area.print(movedVariable.text, LineEnd::Stay);
    area.setForeColor(colour::black);
    area.print(rightConstant, LineEnd::Stay);
    area.setForeColor(colour::red);
    area.print(movedConstant.sign, LineEnd::Stay);
    area.setForeColor(colour::blue);
    area.print(movedConstant.text, LineEnd::Break);
    area.setForeColor(colour::black);
    area.addSpokenLine(spokenForm(kept + movedVariable.sign + movedVariable.text + rightConstant +
                                  movedConstant.sign + movedConstant.text));
}

// The collected form a·x = b, exact: two 16-bit values differ by up to 17 bits.
struct CollectedForm {
    int a = 0;
    int b = 0;
    QString letter;
};

CollectedForm collectedForm(const SimplifiedSides& sides) {
    return {.a = sides.left.coefficient - sides.right.coefficient,
            .b = sides.right.constant - sides.left.constant,
            .letter = !sides.left.letter.isEmpty() ? sides.left.letter : sides.right.letter};
}

void printCollectedForm(Drill& d, Steps& steps, const CollectedForm& form) {
    const QString text =
        decimalText(form.a) + form.letter + QStringLiteral("=") + decimalText(form.b);
    if (steps.add(text)) {
        printStep(d, text);
    }
}

// The solution: x=0 when no x is left, a whole number, or a stacked fraction.
void printSolution(Drill& d, const CollectedForm& form) {
    if (form.a == 0) {
        d.ui.picture7.print(QStringLiteral("x=0"), LineEnd::Break);
        d.ui.picture7.addSpokenLine(QStringLiteral("x=0"));
        return;
    }
    const double quotient = static_cast<double>(form.b) / form.a;
    if (std::abs(form.a * std::floor(quotient) - form.b) < wholeTolerance) {
        printStep(d, form.letter + QStringLiteral("=") + decimalText(std::llround(quotient)));
        return;
    }
    printFractionSolution(d, form.a, form.b, quotient);
}

} // namespace

void printSolutionLine(Drill& d) {
    if (d.s.currentLine.isEmpty()) {
        return;
    }
    PictureArea& area = d.ui.picture7;
    area.setCurrentY(roundHalfEven(area.currentY()) + lineGap);
    area.print(d.s.currentLine, LineEnd::Break);
    area.addSpokenLine(spokenForm(d.s.currentLine));
}

namespace {

// The solution with its fraction lines, if any, from top down.
void showWorkedSolutionFrom(Drill& d, double top) {
    DrillState& s = d.s;
    const QString equation = s.explainedEquation;
    s.currentLine = equation;
    // Without an equals sign there is nothing to solve, and nothing is written.
    if (positionOf(equation, QStringLiteral("=")) == 0) {
        return;
    }
    makeRoomBelow(d.ui.picture7);
    const std::optional<Sides> sides = sidesWithoutFractions(d, equation, top);
    if (!sides) {
        return;
    }
    Steps steps(s);
    printClearedEquation(d, steps);
    const SimplifiedSides simplifiedSides = simplifySides(d, steps, *sides);
    // Steps worked out from a side held at a limit would be wrong: the solution ends here.
    if (heldAtLimit(simplifiedSides)) {
        return;
    }
    printCollectedSides(d, steps, simplifiedSides);
    printTransposition(d, steps, simplifiedSides);
    const CollectedForm form = collectedForm(simplifiedSides);
    printCollectedForm(d, steps, form);
    printSolution(d, form);
}

} // namespace

void showWorkedSolution(Drill& d) {
    showWorkedSolutionFrom(d, 0);
}

namespace {

// Lines in words, in the working's own size; the pen ends below them.
void printWorkingLines(PictureArea& area, const std::vector<QString>& lines) {
    const double points = area.fontSize();
    const QString font = area.fontName();
    area.setFontName(storyLayout::storyFont());
    area.setFontSize(storyLayout::workingTextPoints);
    double y = area.currentY();
    for (const QString& line : lines) {
        y = drawMathText(area, line, storyLayout::workingTextLeft, y,
                         storyLayout::workingTextWidth);
        area.addSpokenLine(spokenForm(line));
    }
    area.setFontName(font);
    area.setFontSize(points);
    area.setPen(0, y + storyLayout::workingGap);
}

} // namespace

void explainWorking(Drill& d, const Working& working, WorkingFractions fractions) {
    PictureArea& area = d.ui.picture7;
    area.clear();
    printWorkingLines(area, working.setUp);
    // The equation on the line the step-by-step solution leaves empty for an equation
    // without fractions; with fractions its own first line is the equation, sorted.
    const double equationTop = area.currentY();
    if (!working.equation.contains(u'/')) {
        area.print(working.equation, LineEnd::Break);
        area.addSpokenLine(spokenForm(working.equation));
        area.setPen(0, equationTop);
    }
    d.s.explainedEquation = working.equation;
    d.s.solutionLineCount = 0;
    showWorkedSolutionFrom(d, fractions == WorkingFractions::UnderTheWords ? equationTop : 0);
    area.setPen(0, area.currentY() + storyLayout::workingGap);
    std::vector<QString> after = working.check;
    after.push_back(working.conclusion);
    printWorkingLines(area, after);
}

void explainProblem(Drill& d, const QString& problem) {
    d.s.explainedEquation = Problem::read(problem).equation;
    d.s.solutionLineCount = 0;
    showWorkedSolution(d);
}

} // namespace minamo
