#include "worksheet/sheet_drawings.h"

#include "algebra/worked_solution.h"
#include "answer/typed_fraction.h"
#include "core/basic_text.h"
#include "core/problem.h"
#include "core/standalone_drill.h"
#include "render/power_text.h"
#include "render/problem_display.h"
#include "render/typed_power.h"

namespace minamo {

AreaStyle windowAreaStyle(ControlId id) {
    const ControlSpec& layout = controlSpec(id);
    const FontSpec& font = fontOf(layout);
    return {.fontName = font.name,
            .fontPoints = font.points,
            .fore = layout.fore.value_or(colour::windowText),
            .widthTwips = static_cast<double>(layout.width),
            .heightTwips = static_cast<double>(layout.height)};
}

void drawSheetProblem(PictureArea& area, const QString& problem) {
    StandaloneDrill on(area);
    const QString equation = Problem::read(problem).equation;
    if (problem.contains(u'^')) {
        on.s().powerText = equation;
        drawPowerText(on.d());
    } else if (problem.contains(u'/')) {
        drawProblem(on.d(), problem);
    } else {
        // The window cuts a long problem into lines of 21 characters to fit its area; the
        // sheet's column is wider, and an equation cut inside a bracket reads badly on paper.
        area.print(equation, LineEnd::Break);
    }
}

void drawSheetAnswer(PictureArea& area, const QString& answer) {
    StandaloneDrill on(area);
    DrillState& s = on.s();
    const QString shown = expectedAnswer(answer);
    // As the answer box redraws a typed answer.
    if (shown.contains(u'^')) {
        s.powerText = shown;
        drawTypedPower(on.d());
    } else if (shown.contains(u'/')) {
        s.layoutX = 0;
        s.layoutY = 0;
        s.answerLayoutText = shown;
        showFractionAnswer(on.d());
    } else {
        area.setPen(0, 0);
        area.print(shown, LineEnd::Break);
    }
}

void drawSheetSolution(PictureArea& area, const QString& problem) {
    StandaloneDrill on(area);
    explainProblem(on.d(), problem);
}

} // namespace minamo
