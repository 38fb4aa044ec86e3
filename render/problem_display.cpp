#include "render/problem_display.h"

#include "core/basic_text.h"
#include "core/problem.h"
#include "core/spoken_text.h"
#include "design/story_layout.h"
#include "render/fraction_equation.h"
#include "render/math_text.h"

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

bool isRatioProblem(const QString& problem) {
    const Problem read = Problem::read(problem);
    return read.hasInstruction() && read.equation.contains(u':');
}

void drawOwnProblem(PictureArea& area, const QString& problem, StoryPlace place) {
    const QString fontBefore = area.fontName();
    const double sizeBefore = area.fontSize();
    const bool ratio = isRatioProblem(problem);
    const storyLayout::Box& box = ratio                       ? storyLayout::ratio
                                  : place == StoryPlace::Wide ? storyLayout::wide
                                                              : storyLayout::beside;
    if (place == StoryPlace::Beside && !ratio) {
        // The story set wide goes; what a screen reader reads of the area stays as it was.
        area.box(0, 0, storyLayout::wide.left + storyLayout::wide.width + storyLayout::wide.left,
                 storyLayout::wide.bottom, colour::lightCyan, BoxFill::Solid);
    }
    area.setFontName(storyLayout::storyFont());
    area.setFontSize(box.points);
    drawMathText(area, ratio ? Problem::read(problem).equation : problem, box.left, box.top,
                 box.width);
    area.setFontName(fontBefore);
    area.setFontSize(sizeBefore);
    if (place == StoryPlace::Wide) {
        area.setSpokenText(spokenForm(problem));
    }
}

} // namespace minamo
