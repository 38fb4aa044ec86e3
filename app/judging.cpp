#include "app/judging.h"

#include "algebra/worked_solution.h"
#include "app/answer_form.h"
#include "app/presentation.h"
#include "app/sounds.h"
#include "core/basic_text.h"
#include "core/problem.h"
#include "core/spoken_text.h"
#include "render/problem_display.h"

namespace minamo {

namespace {

// Smaller than the answers the area shows: two lines of seven full-width characters, the
// longest message, fit Picture4 (2655 x 855 twips) at this size.
constexpr double formMessagePoints = 18;

// The whole stored answer (not cut at ":") and the button that goes on to the next problem.
void showExpectedAnswer(Drill& d, const QString& stored) {
    d.ui.picture4.setVisible(true);
    d.ui.command3.setVisible(true);
    d.ui.picture4.clear();
    d.ui.picture4.print(stored, LineEnd::Break);
    d.ui.picture4.setSpokenText(spokenForm(stored));
}

// Where the expected answer would go, what to change in an answer of the right value; the
// answer stays in the box, nothing is counted and no sound is played.
void showFormAdvice(Drill& d, FormAdvice advice) {
    PictureArea& area = d.ui.picture4;
    const FormMessage& message = formMessage(advice);
    area.setVisible(true);
    area.clear();
    const double answerPoints = area.fontSize();
    area.setFontSize(formMessagePoints);
    for (const QString& line : message.lines) {
        area.print(line, LineEnd::Break);
    }
    area.setFontSize(answerPoints);
    area.setSpokenText(message.spoken);
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

// A miss counted, with the answer that was expected.
void countMiss(Drill& d, const QString& stored) {
    d.s.missCount = clampToInt16(d.s.missCount + 1);
    d.ui.label4.setCaption(decimalText(d.s.missCount));
    showExpectedAnswer(d, stored);
}

// The entry, the answer display and the editor keep the wrong answer, so that the pupil
// can correct it and press Enter again.
void judgeWrong(Drill& d, const QString& question, const QString& stored) {
    DrillState& s = d.s;
    Platform& ui = d.ui;
    playWrongSound(d);

    // A word problem or a ratio equation: its own working, the story moved beside it.
    if (const auto own = s.workings.find(question); own != s.workings.end()) {
        countMiss(d, stored);
        if (!isRatioProblem(question)) {
            drawOwnProblem(ui.picture2, question, StoryPlace::Beside);
            ui.picture7.setVisible(true);
        }
        explainWorking(d, own->second);
        return;
    }

    const Problem problem = Problem::read(question);
    if (problem.hasInstruction()) {
        s.explainedEquation = problem.equation;
        countMiss(d, stored);
        showWorkedSolution(d);
        return;
    }

    // A bare problem (set 基本2) shows the answer but counts no miss and explains nothing.
    ui.label4.setCaption(decimalText(s.missCount));
    showExpectedAnswer(d, stored);
}

} // namespace

void judgeAnswer(Drill& d, Numbers numbers) {
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

    // Exact comparison, character by character: no trimming, no reading as numbers. Only
    // the fresh edition reads a text that differs as a number, to point out its form.
    const QString typed = ui.text4.text();
    if (typed == expected) {
        judgeRight(d);
        return;
    }
    if (numbers == Numbers::Fresh) {
        if (const AnswerVerdict verdict = judgeAnswerForm(typed, expected);
            verdict.kind == AnswerVerdict::Kind::FormOnly) {
            showFormAdvice(d, verdict.advice);
            return;
        }
    }
    judgeWrong(d, s.question[s.currentIndex], stored);
}

} // namespace minamo
