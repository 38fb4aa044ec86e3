#include "stories/fresh_set.h"

#include "fresh/proof.h"

namespace minamo {

std::optional<StorySet> storySetOf(QStringView key) {
    for (const StorySet set : allStorySets) {
        if (storySetKey(set) == key) {
            return set;
        }
    }
    return std::nullopt;
}

Working workingOf(const StoryProblem& problem) {
    return {.setUp = problem.setUp,
            .equation = problem.equation,
            .check = problem.check,
            .conclusion = problem.conclusion};
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
    // Taken only when the story, beside its worked solution, and the solution fit their areas.
    storyLimits.accepts = [ownProof](const StoryProblem& p) {
        return showOwnProblem(p.question, workingOf(p)).fits() && (!ownProof || ownProof(p));
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
