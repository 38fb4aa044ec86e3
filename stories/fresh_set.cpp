#include "stories/fresh_set.h"

#include "algebra/fraction_clearing.h"
#include "core/standalone_drill.h"
#include "fresh/measured_area.h"
#include "fresh/proof.h"

#include <QRegularExpression>

namespace minamo {

static_assert(storySetSize == generatedSetSize, "the catalogue counts a generated set's problems");

std::optional<StorySet> storySetOf(QStringView key) {
    for (const StorySet set : allStorySets) {
        if (storySetKey(set) == key) {
            return set;
        }
    }
    return std::nullopt;
}

namespace {

// An equation with fractions goes on as a textbook writes it: the equation with its
// fractions, both sides multiplied by their common denominator, and the equation without
// fractions solved step by step. (The window's own fraction lines, sorted and then over the
// common denominator, take twice a line's height each: more than a story's working has.)
// The equation as it was when its fractions cannot be cleared.
void clearFractionsInWords(Working& working) {
    if (!working.equation.contains(u'/')) {
        return;
    }
    MeasuredArea scratch(0, 0, QString(), 0);
    StandaloneDrill drill(scratch);
    DrillState& s = drill.s();
    s.currentLine = working.equation;
    s.solutionLineCount = 0;
    clearFractions(s);
    const QString overMultiple = s.fractionLines[2];
    if (s.pendingEquation.isEmpty() || !overMultiple.contains(u'/')) {
        return;
    }
    const QString multiple = overMultiple.mid(overMultiple.lastIndexOf(u'/') + 1);
    // Said of the equation as first written when it stands just above (its fractions are
    // those of the equation's, uncomputed), else of the equation; on one line when it fits.
    const auto onOneLine = [&](const QString& equation) {
        const QString together = QStringLiteral("%1 の両辺に%2をかけて").arg(equation, multiple);
        return lineHalves(together) <= storyLineHalves ? together : QString();
    };
    static const QRegularExpression formula(QStringLiteral("^[-+×÷=/()0-9a-z]+$"));
    QString* last = working.setUp.empty() ? nullptr : &working.setUp.back();
    if (last && formula.match(*last).hasMatch() && !onOneLine(*last).isEmpty()) {
        *last = onOneLine(*last);
    } else if (const QString together = onOneLine(working.equation); !together.isEmpty()) {
        working.setUp.push_back(together);
    } else {
        working.setUp.push_back(working.equation);
        working.setUp.push_back(QStringLiteral("両辺に%1をかけて").arg(multiple));
    }
    // A coefficient of 1 is not written: "5x+1x" reads "5x+x".
    static const QRegularExpression one(QStringLiteral("(^|[-+=(])1([a-z])"));
    working.equation = QString(s.pendingEquation).replace(one, QStringLiteral("\\1\\2"));
}

} // namespace

Working workingOf(const StoryProblem& problem) {
    Working working{.setUp = problem.setUp,
                    .equation = problem.equation,
                    .check = problem.check,
                    .conclusion = problem.conclusion};
    clearFractionsInWords(working);
    return working;
}

Result<FreshBank> makeFreshSet(const CatalogueEntry& entry, std::uint64_t seed,
                               const FreshSetLimits& limits) {
    if (entry.generator.isEmpty()) {
        if (entry.bank == nullptr) {
            return Failure{QStringLiteral("この問題はまだありません。")};
        }
        return makeFreshBank(*entry.bank, seed, limits.bank);
    }
    const std::optional<StorySet> set = storySetOf(entry.generator);
    if (!set) {
        qFatal("no generator named %s", qPrintable(entry.generator.toString()));
    }
    StoryLimits storyLimits = limits.story;
    const auto ownProof = storyLimits.accepts;
    // Taken only when the story, beside its worked solution, and the solution fit their
    // areas, and the working's equation as the window solves it ends on the answer.
    storyLimits.accepts = [ownProof](const StoryProblem& p) {
        const Working working = workingOf(p);
        return showProblem(working.equation).solution == p.answer &&
               showOwnProblem(p.question, working).fits() && (!ownProof || ownProof(p));
    };
    const auto problems = makeStorySet(*set, seed, storyLimits);
    if (!problems) {
        return Failure{QStringLiteral("問題を%1回作りなおしても、答えと図を確かめられる問題が"
                                      "そろいませんでした（種 %2）。")
                           .arg(storyLimits.triesPerProblem)
                           .arg(seed)};
    }
    std::vector<QString> questions;
    std::vector<QString> answers;
    std::vector<Working> workings;
    for (const StoryProblem& p : *problems) {
        questions.push_back(p.question);
        answers.push_back(p.answer);
        workings.push_back(workingOf(p));
    }
    return FreshBank(entry.generator, std::move(questions), std::move(answers),
                     std::move(workings));
}

} // namespace minamo
