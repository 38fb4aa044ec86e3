#include "app/judging.h"

#include "algebra/worked_solution.h"
#include "app/presentation.h"
#include "app/sounds.h"
#include "core/basic_text.h"
#include "core/problem.h"
#include "core/spoken_text.h"
#include "render/problem_display.h"

namespace minamo {

namespace {

// The whole stored answer (not cut at ":") and the button that goes on to the next problem.
void showExpectedAnswer(Drill& d, const QString& stored) {
    d.ui.picture4.setVisible(true);
    d.ui.command3.setVisible(true);
    d.ui.picture4.clear();
    d.ui.picture4.print(stored, LineEnd::Break);
    d.ui.picture4.setSpokenText(spokenForm(stored));
}

void judgeRight(Drill& d) {
    DrillState& s = d.s;
    Platform& ui = d.ui;
    playRightSound(d);

    s.explainedEquation.clear();
    ui.picture4.setVisible(false);
    ui.picture5.setVisible(false);
    ui.label12.setVisible(false);
    ui.label13.setVisible(false);
    s.sideExpanded.clear();
    s.solutionLineCount = 0;

    ui.text2.setText(QString());
    ui.picture3.clear();
    s.correctCount = clampToInt16(s.correctCount + 1);
    ui.label3.setCaption(decimalText(s.correctCount));
    s.answerText.clear();
    s.exponentReady = 0;

    advanceProblem(d);

    // The editor's end step: the boxes show the (now empty) answer.
    ui.text4.setText(s.answerText);
    ui.text2.setText(s.answerText);
    if (ui.text2.isVisible()) {
        ui.text2.setFocus();
    }
}

// The entry, the answer display and the editor keep the wrong answer, so that the pupil
// can correct it and press Enter again.
void judgeWrong(Drill& d, const QString& question, const QString& stored) {
    DrillState& s = d.s;
    Platform& ui = d.ui;
    playWrongSound(d);

    const Problem problem = Problem::read(question);
    if (problem.hasInstruction()) {
        s.explainedEquation = problem.equation;
        s.missCount = clampToInt16(s.missCount + 1);
        ui.label4.setCaption(decimalText(s.missCount));
        showExpectedAnswer(d, stored);
        showWorkedSolution(d);
        return;
    }

    // A bare problem (set 基本2) shows the answer but counts no miss and explains nothing.
    ui.label4.setCaption(decimalText(s.missCount));
    showExpectedAnswer(d, stored);
}

} // namespace

void judgeAnswer(Drill& d) {
    DrillState& s = d.s;
    Platform& ui = d.ui;
    // Before the first drill and after a drill has ended nothing is judged: there is no
    // problem on screen, and a recorded score must not change.
    if (s.drillRunning != 1 || s.drillFinished == 1) {
        return;
    }

    s.solutionLineCount = 0;
    if (ui.text2.text().isEmpty()) {
        return;
    }
    ui.text2.setFocus();

    // Only a position of the drill list that holds a problem is judged. Past the end of the
    // list the expected answer is empty, and an empty expected answer is never a right one.
    if (s.currentIndex < 1 || s.currentIndex > s.bankCount ||
        !decltype(s.answer)::contains(s.currentIndex)) {
        return;
    }
    const QString stored = s.answer[s.currentIndex];
    const QString expected = expectedAnswer(stored);
    if (expected.isEmpty()) {
        return;
    }

    // Exact comparison, character by character: no trimming, no reading as numbers.
    if (ui.text4.text() == expected) {
        judgeRight(d);
    } else {
        judgeWrong(d, s.question[s.currentIndex], stored);
    }
}

} // namespace minamo
