#include "stories/story_set.h"

#include "fresh/exact_solver.h"
#include "fresh/fresh_random.h"
#include "fresh/proof.h"
#include "stories/story_kit.h"

#include <QSet>
#include <QtGlobal>

namespace minamo {

namespace {

using stories::Draft;
using stories::Maker;
using stories::SetMakers;

SetMakers makersOf(StorySet set) {
    switch (set) {
    case StorySet::Speed:
        return stories::speedMakers();
    case StorySet::Time:
        return stories::timeMakers();
    case StorySet::Distance:
        return stories::distanceMakers();
    case StorySet::Salt1:
        return stories::salt1Makers();
    case StorySet::Salt2:
        return stories::salt2Makers();
    case StorySet::Ratio:
        return stories::ratioMakers();
    case StorySet::Percent:
        return stories::percentMakers();
    case StorySet::Price:
        return stories::priceMakers();
    case StorySet::Buai:
        return stories::buaiMakers();
    case StorySet::RatioUse:
        return stories::ratioUseMakers();
    case StorySet::Units:
        return stories::unitsMakers();
    case StorySet::ChangingSpeed:
        return stories::changingSpeedMakers();
    }
    return {};
}

bool shortEnough(const StoryProblem& p) {
    if (p.question.size() > storyQuestionLength) {
        return false;
    }
    const auto narrow = [](const QString& line) { return lineHalves(line) <= storyLineHalves; };
    return std::all_of(p.setUp.begin(), p.setUp.end(), narrow) && narrow(p.equation) &&
           std::all_of(p.check.begin(), p.check.end(), narrow) && narrow(p.conclusion);
}

bool solvedTo(const std::optional<LinearSolution>& solved, const Rational& x) {
    return solved && solved->kind == LinearSolution::Kind::One && solved->x == x;
}

// The proofs a candidate must pass: the exact solver finds x in its equation (and in its
// ratio equation), the story's own quantities hold with x, every line can be drawn, and the
// window's worked solution ends on x (its integers are 16-bit, so a large cleared
// denominator can leave it short of the answer).
bool proven(const Draft& draft) {
    return solvedTo(solveLinear(draft.problem.equation), draft.x) &&
           (draft.ratio.isEmpty() || solvedTo(solveRatio(draft.ratio), draft.x)) &&
           draft.storyHolds && shortEnough(draft.problem) &&
           showProblem(draft.problem.equation).solution == draft.problem.answer;
}

class Generator {
public:
    Generator(StorySet set, std::uint64_t seed, const StoryLimits& limits)
        : random_(seed ^ nameHash(storySetKey(set))), limits_(limits), makers_(makersOf(set)) {}

    std::optional<StoryProblem> problemAt(int position) {
        const std::vector<Maker>& group =
            position < storyGroupSize ? makers_.easier : makers_.harder;
        const Maker make =
            group[static_cast<std::size_t>(position % storyGroupSize) % group.size()];
        StoryTally unused;
        StoryTally& tally = limits_.tally ? *limits_.tally : unused;
        for (int attempt = 0; attempt < limits_.triesPerProblem; ++attempt) {
            ++tally.drafts;
            tally.mostForOne = std::max(tally.mostForOne, attempt + 1);
            std::optional<Draft> draft = make(random_);
            if (!draft) {
                ++tally.unfriendly;
                continue;
            }
            draft->problem.answer = answerText(draft->x);
            if (chosen_.contains(draft->problem.question)) {
                ++tally.repeated;
                continue;
            }
            if (!proven(*draft)) {
                ++tally.unproven;
                continue;
            }
            if (limits_.accepts && !limits_.accepts(draft->problem)) {
                ++tally.refused;
                continue;
            }
            chosen_.insert(draft->problem.question);
            if (limits_.fault == StoryFault::WrongAnswer) {
                draft->problem.answer =
                    answerText(stories::q(draft->x.num + draft->x.den, draft->x.den));
            }
            return std::move(draft->problem);
        }
        return std::nullopt;
    }

private:
    FreshRandom random_;
    const StoryLimits& limits_;
    SetMakers makers_;
    QSet<QString> chosen_;
};

} // namespace

std::optional<std::vector<StoryProblem>> makeStorySet(StorySet set, std::uint64_t seed,
                                                      const StoryLimits& limits) {
    Generator generator(set, seed, limits);
    std::vector<StoryProblem> problems;
    problems.reserve(storySetSize);
    for (int position = 0; position < storySetSize; ++position) {
        auto problem = generator.problemAt(position);
        if (!problem) {
            qWarning("word problems: no proven problem for %s %d and seed %llu in %d tries",
                     qPrintable(storySetKey(set).toString()), position + 1,
                     static_cast<unsigned long long>(seed), limits.triesPerProblem);
            return std::nullopt;
        }
        problems.push_back(std::move(*problem));
    }
    return problems;
}

QStringView storySetKey(StorySet set) {
    switch (set) {
    case StorySet::Speed:
        return u"storySpeed";
    case StorySet::Time:
        return u"storyTime";
    case StorySet::Distance:
        return u"storyDistance";
    case StorySet::Salt1:
        return u"storySalt1";
    case StorySet::Salt2:
        return u"storySalt2";
    case StorySet::Ratio:
        return u"storyRatio";
    case StorySet::Percent:
        return u"storyPercent";
    case StorySet::Price:
        return u"storyPrice";
    case StorySet::Buai:
        return u"storyBuai";
    case StorySet::RatioUse:
        return u"storyRatioUse";
    case StorySet::Units:
        return u"storyUnits";
    case StorySet::ChangingSpeed:
        return u"storyChangingSpeed";
    }
    return {};
}

QStringView storySetCaption(StorySet set) {
    switch (set) {
    case StorySet::Speed:
        return u"速さ";
    case StorySet::Time:
        return u"時間";
    case StorySet::Distance:
        return u"距離";
    case StorySet::Salt1:
        return u"食塩水1";
    case StorySet::Salt2:
        return u"食塩水2";
    case StorySet::Ratio:
        return u"基本4";
    case StorySet::Percent:
        return u"標準1";
    case StorySet::Price:
        return u"標準2";
    case StorySet::Buai:
        return u"標準3";
    case StorySet::RatioUse:
        return u"標準4";
    case StorySet::Units:
        return u"難問１";
    case StorySet::ChangingSpeed:
        return u"難問2";
    }
    return {};
}

int lineHalves(QStringView line) {
    int halves = 0;
    for (const QChar c : line) {
        halves += c.unicode() < 0x80 ? 1 : 2;
    }
    return halves;
}

} // namespace minamo
