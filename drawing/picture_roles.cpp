#include "drawing/picture_roles.h"

#include "algebra/worked_solution.h"
#include "answer/typed_fraction.h"
#include "core/problem.h"
#include "core/standalone_drill.h"
#include "render/power_text.h"
#include "render/problem_display.h"
#include "render/typed_power.h"

namespace minamo {

void drawProblemRole(PictureArea& area, const QString& problem, ProblemLines lines,
                     const Working* working, StoryPlace place) {
    if (working) {
        drawOwnProblem(area, problem, place);
        return;
    }
    StandaloneDrill on(area);
    const QString equation = Problem::read(problem).equation;
    if (problem.contains(u'^')) {
        // The window hands the power renderer the whole text; a sheet the equation.
        on.s().powerText = lines == ProblemLines::AsTheWindow ? problem : equation;
        drawPowerText(on.d());
    } else if (lines == ProblemLines::AsTheWindow || problem.contains(u'/')) {
        on.s().layoutText = problem;
        drawProblem(on.d(), problem);
    } else {
        area.print(equation, LineEnd::Break);
    }
}

void drawAnswerRole(PictureArea& area, const QString& answer) {
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

void drawSolutionRole(PictureArea& area, const QString& problem, const Working* working,
                      WorkingFractions fractions) {
    StandaloneDrill on(area);
    if (working) {
        explainWorking(on.d(), *working, fractions);
    } else {
        explainProblem(on.d(), problem);
    }
}

bool drawChartRole(PictureArea& area, const ChartValues& values) {
    return drawChart(area, values);
}

} // namespace minamo
