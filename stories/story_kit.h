#pragma once

// What the story templates share: a candidate problem with the answer it was made from,
// exact arithmetic on the story's quantities, the drawing of friendly numbers, and the
// texts of numbers and of lines cut where they may be cut.

#include "fresh/exact_solver.h"
#include "fresh/fresh_random.h"
#include "stories/story_set.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <vector>

namespace minamo::stories {

using Q = Rational;

Q q(std::int64_t num, std::int64_t den = 1);
Q operator+(Q a, Q b);
Q operator-(Q a, Q b);
Q operator*(Q a, Q b);
Q operator/(Q a, Q b);
inline bool isWhole(Q v) {
    return v.den == 1;
}

// "12", "3/4".
QString text(Q v);
QString text(std::int64_t v);
// A coefficient before x: "3/4x", "16x", "x".
QString timesX(Q k);

// A candidate: the problem (its answer is written from x when it is taken), the answer it
// was made from, and whether the answer put back into the story's own quantities satisfies
// the story, worked out by the template in exact arithmetic from those quantities.
struct Draft {
    StoryProblem problem;
    Q x;
    bool storyHolds = false;
    // A ratio equation of the story ("x:12=3:4"), which must give x as well; empty if none.
    QString ratio;
};

// A template: a candidate from the random stream, or nothing when the numbers drawn are not
// ones a textbook would use.
using Maker = std::optional<Draft> (*)(FreshRandom&);

// A set's templates, the easier group's and the harder's, taken in turn.
struct SetMakers {
    std::vector<Maker> easier;
    std::vector<Maker> harder;
};

SetMakers speedMakers();
SetMakers timeMakers();
SetMakers distanceMakers();
SetMakers changingSpeedMakers();
SetMakers salt1Makers();
SetMakers salt2Makers();
SetMakers ratioMakers();
SetMakers ratioUseMakers();
SetMakers percentMakers();
SetMakers priceMakers();
SetMakers buaiMakers();
SetMakers unitsMakers();

// Two names of a story: two people, or the two ends of a way.
struct Pair {
    QStringView first;
    QStringView second;
};

// Two people who set out together, share, or give one another.
inline constexpr Pair people[] = {{u"兄", u"弟"}, {u"姉", u"妹"}, {u"A", u"B"}};

// lo, lo + by, ..., up to hi, each as likely.
int drawStep(FreshRandom& random, int lo, int hi, int by);

template <typename T, std::size_t N> const T& pick(FreshRandom& random, const T (&items)[N]) {
    return items[random.between(0, static_cast<int>(N) - 1)];
}

// Worked-solution lines: each text is one line unless it is too wide to draw, when it is cut
// at its '|' marks (a line ends at the last mark that keeps it within storyLineHalves).
std::vector<QString> lines(std::initializer_list<QString> texts);

// The check's last words.
inline const QString fits = QStringLiteral("| で、問題に合っている。");

// The story's wording of minutes: "40分", "2時間", "2時間30分".
QString minutesText(int minutes);
// The line that turns a story's minutes into hours: 「45分=45/60時間=3/4時間」,
// 「2時間30分=5/2時間」.
QString hoursLine(int minutes);

} // namespace minamo::stories
