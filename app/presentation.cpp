#include "app/presentation.h"

#include "app/end_of_drill.h"
#include "app/score.h"
#include "core/basic_text.h"
#include "core/spoken_text.h"
#include "render/power_text.h"
#include "render/problem_display.h"

#include <algorithm>

namespace minamo {

namespace {

// The reset empties the term count and the first four terms; the splitter writes the last
// slot whenever it finds a fifth term, and nothing reads it otherwise.
constexpr int lastResetTermSlot = 4;

// The drill position that means "the list is used up". It never lies beyond the drill
// list's last slot.
int endPosition(const DrillState& s) {
    using List = decltype(s.question);
    return std::clamp(s.bankCount + 1, 1, List::last);
}

void resetProblemState(Drill& d) {
    DrillState& s = d.s;
    s.termNumerator.clear();
    s.termDenominator.clear();
    s.typedNumerator.clear();
    s.fractionMode = 0;
    s.answerText.clear();
    d.ui.picture2.clear();
    d.ui.picture7.clear();
    for (int k = decltype(s.eqTerm)::first; k <= lastResetTermSlot; ++k) {
        s.eqTerm[k].clear();
    }
    s.layoutX = 0;
    s.layoutY = 0;
    d.ui.picture3.clear();
}

} // namespace

void advanceProblem(Drill& d) {
    DrillState& s = d.s;
    Platform& ui = d.ui;

    // Past the end of the list there is nothing more to show, and the end has been run.
    if (s.currentIndex >= endPosition(s)) {
        return;
    }

    s.currentIndex = clampToInt16(s.currentIndex + 1);
    s.sideExpanded.clear();
    s.solutionLineCount = 0;

    if (s.currentIndex == endPosition(s)) {
        ui.text2.setText(endOfDrillText);
        endDrill(d);
    }

    ui.text1.setText(decimalText(s.currentIndex));
    resetProblemState(d);

    const QString t = s.question[s.currentIndex];
    s.layoutText = t;
    // A set whose problems carry their own working (fresh numbers only): a word problem
    // needs the room the worked solution's area takes, which shows again after a miss.
    const bool ownWorking = s.workings.contains(t);
    if (!s.workings.empty() && s.drillFinished == 0) {
        ui.picture7.setVisible(!ownWorking || isRatioProblem(t));
    }
    if (ownWorking) {
        drawOwnProblem(ui.picture2, t, StoryPlace::Wide);
        s.fractionSuffix.clear();
        s.fractionMode = 0;
        s.exponentReady = 0;
    } else if (t.contains(u'^')) {
        ui.picture2.clear();
        s.powerText = t;
        drawPowerText(d);
        ui.text2.setFocus();
    } else {
        drawProblem(d, t);
        s.fractionSuffix.clear();
        s.fractionMode = 0;
        s.exponentReady = 0;
    }
    // The problem as the bank writes it, the instruction too: a fraction problem's drawing
    // leaves the instruction out for room, and a long one is cut into lines.
    ui.picture2.setSpokenText(spokenForm(t));

    ui.form1.show();
    if (ui.text2.isVisible()) {
        ui.text2.setFocus();
    }

    if (s.clockMinutes <= 0 && s.clockSeconds <= 0) {
        s.score = drillScore(s);
        ui.label5.setCaption(decimalText(s.score));
        ui.label2.setCaption(decimalText(s.score));
    }
}

bool buttonWaits(const Platform& ui) {
    return ui.command3.isVisible() || ui.command2.isVisible();
}

void goOnAfterMiss(Drill& d) {
    Platform& ui = d.ui;
    ui.command3.setVisible(false);
    ui.label12.setVisible(false);
    ui.label13.setVisible(false);
    ui.picture4.setVisible(false);
    ui.picture5.setVisible(false);
    ui.picture7.clear();
    d.s.solutionLineCount = 0;
    // The missed entry goes with its problem: left in the boxes, an Enter on the next
    // problem would judge it again and count a miss the pupil never typed.
    ui.text2.setText(QString());
    ui.text4.setText(QString());
    advanceProblem(d);
}

} // namespace minamo
