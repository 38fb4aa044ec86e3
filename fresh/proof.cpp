#include "fresh/proof.h"

#include "design/form_layout.h"
#include "design/story_layout.h"
#include "drawing/picture_roles.h"
#include "fresh/measured_area.h"

namespace minamo {

namespace {

MeasuredArea measuredAs(ControlId id, double height) {
    const ControlSpec& layout = controlSpec(id);
    const FontSpec& font = fontOf(layout);
    return MeasuredArea(layout.width, height, font.name, font.points);
}

// The last line of a worked solution: its last text, or a stacked fraction, the sign
// ("x=" or "x=-") and the numerator above the bar and the denominator below it.
QString lastLine(const std::vector<MeasuredArea::Step>& steps) {
    using Kind = MeasuredArea::Step::Kind;
    const std::size_t n = steps.size();
    if (n == 0 || steps[n - 1].kind != Kind::Text) {
        return {};
    }
    if (n >= 4 && steps[n - 2].kind == Kind::Bar && steps[n - 3].kind == Kind::Text &&
        steps[n - 4].kind == Kind::Text) {
        return steps[n - 4].text + steps[n - 3].text + QStringLiteral("/") + steps[n - 1].text;
    }
    return steps[n - 1].text;
}

} // namespace

ShownProblem showProblem(const QString& problem) {
    // Of the problem area only the part above the worked solution's area can be seen.
    MeasuredArea picture2 = measuredAs(ControlId::Picture2, controlSpec(ControlId::Picture7).top);
    MeasuredArea picture7 =
        measuredAs(ControlId::Picture7, controlSpec(ControlId::Picture7).height);

    // As the drill presents the problem, then explains it after a miss.
    drawProblemRole(picture2, problem, ProblemLines::AsTheWindow);
    drawSolutionRole(picture7, problem);
    return {.problemFits = picture2.fits(),
            .solutionFits = picture7.fits(),
            .solution = lastLine(picture7.steps())};
}

ShownOwnProblem showOwnProblem(const QString& problem, const Working& working) {
    // A story keeps above the answer areas; a ratio equation above the worked solution.
    const bool ratio = isRatioProblem(problem);
    MeasuredArea wide = measuredAs(ControlId::Picture2,
                                   ratio ? storyLayout::ratio.bottom : storyLayout::wide.bottom);
    MeasuredArea beside = measuredAs(ControlId::Picture2, storyLayout::beside.bottom);
    MeasuredArea picture7 =
        measuredAs(ControlId::Picture7, controlSpec(ControlId::Picture7).height);
    drawProblemRole(wide, problem, ProblemLines::AsTheWindow, &working, StoryPlace::Wide);
    drawProblemRole(beside, problem, ProblemLines::AsTheWindow, &working, StoryPlace::Beside);
    drawSolutionRole(picture7, problem, &working);
    return {.wideFits = wide.fits(), .besideFits = beside.fits(), .solutionFits = picture7.fits()};
}

} // namespace minamo
