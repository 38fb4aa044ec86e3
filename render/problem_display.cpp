#include "render/problem_display.h"

#include "core/basic_text.h"
#include "core/problem.h"
#include "render/fraction_equation.h"

namespace minamo {

namespace {

// A plain problem up to this length fits one line of the problem area; longer ones are
// cut into pieces of pieceLength characters, one a line.
constexpr int oneLineLength = 20;
constexpr int pieceLength = 21;

void printPlainProblem(PictureArea& area, const QString& text) {
    const int length = static_cast<int>(text.size());
    if (length <= oneLineLength) {
        area.print(text, LineEnd::Break);
        return;
    }
    const int pieces = length / pieceLength + 1;
    for (int k = 1; k <= pieces; ++k) {
        area.print(midText(text, (k - 1) * pieceLength + 1, pieceLength), LineEnd::Break);
    }
}

} // namespace

QString expectedAnswer(const QString& stored) {
    const int colon = positionOf(stored, QStringLiteral(":"));
    return colon > 0 ? leftText(stored, colon - 1) : stored;
}

void drawProblem(Drill& d, const QString& problem) {
    if (problem.contains(u'/')) {
        d.s.layoutText = Problem::read(problem).equation;
        drawFractionEquation(d);
    } else {
        printPlainProblem(d.ui.picture2, problem);
    }
}

} // namespace minamo
