// 食塩水1 and 食塩水2: the salt in a solution is its mass times its concentration over 100,
// and stays the same when water is added or taken away, or adds up when two are mixed.
// Concentrations 2–20 %, masses in steps of 50 g (what is added, 10 g; salt, 5 g), and the
// salt itself in whole grams. The equation is the salt's, both sides times 100.

#include "stories/story_kit.h"

#include <cstdlib>

namespace minamo::stories {

namespace {

constexpr int percentLow = 2, percentHigh = 20;
constexpr int massLow = 100, massHigh = 600, massStep = 50;
constexpr int addedStep = 10;
constexpr int saltStep = 5;
constexpr int hundred = 100;

// Grams of salt in a solution: whole when mass × percent is a multiple of 100.
bool wholeSalt(int mass, int percent) {
    return mass * percent % hundred == 0;
}

Q salt(Q mass, int percent) {
    return mass * q(percent, hundred);
}

const QString timesHundred = QStringLiteral("両辺に100をかけて");
const QString sameSalt = QStringLiteral("水を%1も、食塩の重さは変わらないから");
const QString mixedSalt = QStringLiteral("混ぜる前と後で、食塩の重さは変わらないから");

QString solution(int percent, const QString& mass) {
    return QStringLiteral("%1%の食塩水%2").arg(percent).arg(mass);
}

// Water added (more) or evaporated (less): the unknown is the water, or the solution's mass.
enum class Water { Added, Evaporated };
enum class Unknown { Added, Solution }; // what is added (water or salt), or the solution

std::optional<Draft> water(FreshRandom& r, Water change, Unknown unknown) {
    const bool added = change == Water::Added;
    const int before = r.between(percentLow + 1, percentHigh);
    const int after = r.between(percentLow, percentHigh);
    if (added ? after >= before : after <= before) {
        return std::nullopt;
    }
    // mass·before = (mass ± water)·after
    const int mass = drawStep(r, massLow, massHigh, massStep);
    const int num = mass * (added ? before - after : after - before);
    if (num % after != 0) {
        return std::nullopt;
    }
    const int water = num / after;
    // Water up to the solution's own mass, and no more than half of it boiled away.
    if (added ? water > mass : 2 * water > mass) {
        return std::nullopt;
    }
    const int massAfter = added ? mass + water : mass - water;
    if (water % addedStep != 0 || water < addedStep || massAfter <= 0 || !wholeSalt(mass, before)) {
        return std::nullopt;
    }
    const QChar sign = added ? u'+' : u'-';
    const QString verb = added ? QStringLiteral("加えると") : QStringLiteral("蒸発させると");
    const QString from = added ? QStringLiteral("に") : QStringLiteral("から");
    const int saltGrams = mass * before / hundred;
    Draft d;
    d.storyHolds = salt(q(mass), before) == salt(q(massAfter), after);
    d.problem.check = lines({QStringLiteral("%1×%2/100=%3, |(%1%4%5)×%6/100=%3")
                                 .arg(mass)
                                 .arg(before)
                                 .arg(saltGrams)
                                 .arg(sign)
                                 .arg(water)
                                 .arg(after) +
                             fits});
    const QString kept =
        sameSalt.arg(added ? QStringLiteral("加えて") : QStringLiteral("蒸発させて"));
    if (unknown == Unknown::Added) {
        d.x = q(water);
        d.problem.question =
            QStringLiteral("%1 g%2水を x g%3、%4%の食塩水になった。x を求めなさい。")
                .arg(solution(before, QString::number(mass)), from, verb)
                .arg(after);
        d.problem.setUp = {
            QStringLiteral("%1水を x g とする。").arg(added ? u"加える" : u"蒸発させる"), kept,
            QStringLiteral("(%1%2x)×%3/100=%1×%4/100").arg(mass).arg(sign).arg(after).arg(before),
            timesHundred};
        d.problem.equation =
            QStringLiteral("%1(%2%3x)=%4").arg(after).arg(mass).arg(sign).arg(mass * before);
    } else {
        d.x = q(mass);
        d.problem.question =
            QStringLiteral("%1 x g%2水を%3 g%4、%5%の食塩水になった。x を求めなさい。")
                .arg(QStringLiteral("%1%の食塩水").arg(before), from)
                .arg(water)
                .arg(verb)
                .arg(after);
        d.problem.setUp = {
            QStringLiteral("はじめの食塩水を x g とする。"), kept,
            QStringLiteral("x×%1/100=(x%2%3)×%4/100").arg(before).arg(sign).arg(water).arg(after),
            timesHundred};
        d.problem.equation =
            QStringLiteral("%1x=%2(x%3%4)").arg(before).arg(after).arg(sign).arg(water);
    }
    d.problem.conclusion = QStringLiteral("答 %1 g").arg(text(d.x));
    return d;
}

std::optional<Draft> saltAdded(FreshRandom& r, Unknown unknown) {
    const int before = r.between(percentLow, percentHigh - 1);
    const int after = r.between(before + 1, percentHigh);
    const int mass = drawStep(r, massLow, massHigh, massStep);
    // mass·before + 100·added = (mass + added)·after
    const int num = mass * (after - before);
    if (num % (hundred - after) != 0) {
        return std::nullopt;
    }
    const int added = num / (hundred - after);
    if (added % saltStep != 0 || added < saltStep || !wholeSalt(mass, before)) {
        return std::nullopt;
    }
    const Q saltBefore = salt(q(mass), before);
    const Q saltAfter = salt(q(mass + added), after);
    Draft d;
    d.storyHolds = saltBefore + q(added) == saltAfter;
    d.problem.check = lines({QStringLiteral("%1×%2/100+%3=%4, |(%1+%3)×%5/100=%4")
                                 .arg(mass)
                                 .arg(before)
                                 .arg(added)
                                 .arg(text(saltAfter))
                                 .arg(after) +
                             fits});
    if (unknown == Unknown::Added) {
        d.x = q(added);
        d.problem.question =
            QStringLiteral(
                "%1%の食塩水%2 gに食塩を x g加えると、%3%の食塩水になった。x を求めなさい。")
                .arg(before)
                .arg(mass)
                .arg(after);
        d.problem.setUp = {
            QStringLiteral("加える食塩を x g とする。"),
            QStringLiteral("(はじめの食塩)+(加えた食塩)=(あとの食塩)"),
            QStringLiteral("%1×%2/100+x=(%1+x)×%3/100").arg(mass).arg(before).arg(after),
            timesHundred};
        d.problem.equation =
            QStringLiteral("100x+%1=%2(%3+x)").arg(mass * before).arg(after).arg(mass);
    } else {
        d.x = q(mass);
        d.problem.question =
            QStringLiteral(
                "%1%の食塩水 x gに食塩を%2 g加えると、%3%の食塩水になった。x を求めなさい。")
                .arg(before)
                .arg(added)
                .arg(after);
        d.problem.setUp = {
            QStringLiteral("はじめの食塩水を x g とする。"),
            QStringLiteral("(はじめの食塩)+(加えた食塩)=(あとの食塩)"),
            QStringLiteral("x×%1/100+%2=(x+%2)×%3/100").arg(before).arg(added).arg(after),
            timesHundred};
        d.problem.equation = QStringLiteral("%1x+%2=%3(x+%4)")
                                 .arg(before)
                                 .arg(added * hundred)
                                 .arg(after)
                                 .arg(added);
    }
    d.problem.conclusion = QStringLiteral("答 %1 g").arg(text(d.x));
    return d;
}

std::optional<Draft> waterAdded(FreshRandom& r) {
    return water(r, Water::Added, Unknown::Added);
}
std::optional<Draft> waterEvaporated(FreshRandom& r) {
    return water(r, Water::Evaporated, Unknown::Added);
}
std::optional<Draft> saltAddedToKnown(FreshRandom& r) {
    return saltAdded(r, Unknown::Added);
}
std::optional<Draft> waterAddedToUnknown(FreshRandom& r) {
    return water(r, Water::Added, Unknown::Solution);
}
std::optional<Draft> waterEvaporatedFromUnknown(FreshRandom& r) {
    return water(r, Water::Evaporated, Unknown::Solution);
}
std::optional<Draft> saltAddedToUnknown(FreshRandom& r) {
    return saltAdded(r, Unknown::Solution);
}

// Two solutions mixed, the second one's mass unknown; it is the stronger or the weaker.
enum class Second { Stronger, Weaker };

std::optional<Draft> mixAmount(FreshRandom& r, Second second) {
    const int first = r.between(percentLow, percentHigh);
    const int other = r.between(percentLow, percentHigh);
    const int mixed = r.between(percentLow, percentHigh);
    const bool stronger = second == Second::Stronger;
    constexpr int apart = 4; // two solutions clearly of different strength
    if (stronger ? !(first < mixed && mixed < other) : !(other < mixed && mixed < first)) {
        return std::nullopt;
    }
    if (std::abs(other - first) < apart) {
        return std::nullopt;
    }
    const int mass = drawStep(r, massLow, massHigh, massStep);
    const int num = mass * (mixed - first);
    if (num % (other - mixed) != 0) {
        return std::nullopt;
    }
    const int x = num / (other - mixed);
    if (x % addedStep != 0 || x < massStep || x > massHigh || !wholeSalt(mass, first) ||
        !wholeSalt(x, other)) {
        return std::nullopt;
    }
    const Q total = salt(q(mass), first) + salt(q(x), other);
    Draft d;
    d.x = q(x);
    d.storyHolds = total == salt(q(mass + x), mixed);
    d.problem = {
        .question =
            QStringLiteral("%1%の食塩水%2 gに%3%の食塩水を x g混ぜると、%4%の食塩水になった。"
                           "x を求めなさい。")
                .arg(first)
                .arg(mass)
                .arg(other)
                .arg(mixed),
        .setUp = {QStringLiteral("混ぜる%1%の食塩水を x g とする。").arg(other), mixedSalt,
                  QStringLiteral("%1×%2/100+x×%3/100=(%1+x)×%4/100")
                      .arg(mass)
                      .arg(first)
                      .arg(other)
                      .arg(mixed),
                  timesHundred},
        .equation =
            QStringLiteral("%1x+%2=%3(%4+x)").arg(other).arg(mass * first).arg(mixed).arg(mass),
        .check = lines({QStringLiteral("%1×%2/100+%3×%4/100=%5, |(%1+%3)×%6/100=%5")
                            .arg(mass)
                            .arg(first)
                            .arg(x)
                            .arg(other)
                            .arg(text(total))
                            .arg(mixed) +
                        fits}),
        .conclusion = QStringLiteral("答 %1 g").arg(x)};
    return d;
}

std::optional<Draft> mixStronger(FreshRandom& r) {
    return mixAmount(r, Second::Stronger);
}
std::optional<Draft> mixWeaker(FreshRandom& r) {
    return mixAmount(r, Second::Weaker);
}

std::optional<Draft> mixConcentration(FreshRandom& r) {
    const int first = r.between(percentLow, percentHigh);
    const int mixed = r.between(percentLow, percentHigh);
    const int mass = drawStep(r, massLow, massHigh, massStep);
    const int other = drawStep(r, massLow, massHigh, massStep);
    const int num = mixed * (mass + other) - first * mass;
    if (num <= 0 || num % other != 0) {
        return std::nullopt;
    }
    const int x = num / other;
    if (x < percentLow || x > percentHigh || x == first || x == mixed || !wholeSalt(mass, first) ||
        !wholeSalt(other, x)) {
        return std::nullopt;
    }
    const Q total = salt(q(mass), first) + salt(q(other), x);
    Draft d;
    d.x = q(x);
    d.storyHolds = total == salt(q(mass + other), mixed);
    d.problem = {
        .question =
            QStringLiteral("%1%の食塩水%2 gと x %の食塩水%3 gを混ぜると、%4%の食塩水になった。"
                           "x を求めなさい。")
                .arg(first)
                .arg(mass)
                .arg(other)
                .arg(mixed),
        .setUp = {QStringLiteral("%1 gの食塩水の濃度を x % とする。").arg(other), mixedSalt,
                  QStringLiteral("%1×%2/100+%3×x/100=(%1+%3)×%4/100")
                      .arg(mass)
                      .arg(first)
                      .arg(other)
                      .arg(mixed),
                  timesHundred},
        .equation =
            QStringLiteral("%1x+%2=%3").arg(other).arg(mass * first).arg((mass + other) * mixed),
        .check = lines({QStringLiteral("%1×%2/100+%3×%4/100=%5, |(%1+%3)×%6/100=%5")
                            .arg(mass)
                            .arg(first)
                            .arg(other)
                            .arg(x)
                            .arg(text(total))
                            .arg(mixed) +
                        fits}),
        .conclusion = QStringLiteral("答 %1%").arg(x)};
    return d;
}

std::optional<Draft> mixToMake(FreshRandom& r) {
    const int weak = r.between(percentLow, percentHigh);
    const int strong = r.between(percentLow, percentHigh);
    const int mixed = r.between(percentLow, percentHigh);
    if (!(weak < mixed && mixed < strong)) {
        return std::nullopt;
    }
    const int total = drawStep(r, 200, 1000, massStep);
    const int num = total * (strong - mixed);
    if (num % (strong - weak) != 0) {
        return std::nullopt;
    }
    const int x = num / (strong - weak);
    const int rest = total - x;
    if (x % addedStep != 0 || x < massLow || rest < massLow || !wholeSalt(x, weak) ||
        !wholeSalt(rest, strong)) {
        return std::nullopt;
    }
    const Q made = salt(q(total), mixed);
    Draft d;
    d.x = q(x);
    d.storyHolds = salt(q(x), weak) + salt(q(rest), strong) == made;
    d.problem = {
        .question = QStringLiteral("%1%の食塩水と%2%の食塩水を混ぜて、%3%の食塩水を%4 g作る。"
                                   "%1%の食塩水を x g として、x を求めなさい。")
                        .arg(weak)
                        .arg(strong)
                        .arg(mixed)
                        .arg(total),
        .setUp = lines({QStringLiteral("%1%の食塩水を x g とすると、|%2%の食塩水は (%3-x) g")
                            .arg(weak)
                            .arg(strong)
                            .arg(total),
                        mixedSalt,
                        QStringLiteral("x×%1/100+(%2-x)×%3/100=%2×%4/100")
                            .arg(weak)
                            .arg(total)
                            .arg(strong)
                            .arg(mixed),
                        timesHundred}),
        .equation =
            QStringLiteral("%1x+%2(%3-x)=%4").arg(weak).arg(strong).arg(total).arg(total * mixed),
        .check = lines({QStringLiteral("%1×%2/100+%3×%4/100=%5, |%6×%7/100=%5")
                            .arg(x)
                            .arg(weak)
                            .arg(rest)
                            .arg(strong)
                            .arg(text(made))
                            .arg(total)
                            .arg(mixed) +
                        fits}),
        .conclusion = QStringLiteral("答 %1 g").arg(x)};
    return d;
}

} // namespace

SetMakers salt1Makers() {
    return {{waterAdded, waterEvaporated, saltAddedToKnown},
            {waterAddedToUnknown, waterEvaporatedFromUnknown, saltAddedToUnknown}};
}

SetMakers salt2Makers() {
    return {{mixStronger, mixWeaker}, {mixConcentration, mixToMake}};
}

} // namespace minamo::stories
