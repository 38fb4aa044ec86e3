// 基本4 and 標準4: ratio equations a:b=c:d, solved by the product rule (the outer terms'
// product equals the inner terms'), on their own and in stories of sharing and mixing.

#include "stories/story_kit.h"

#include <array>
#include <numeric>

namespace minamo::stories {

namespace {

const QString productRule = QStringLiteral("外項の積＝内項の積より");

// Ratios of small whole numbers in lowest terms, the two parts different.
struct SmallRatio {
    int p = 0, q = 0;
};

std::optional<SmallRatio> drawRatio(FreshRandom& r, int high) {
    const SmallRatio s{.p = r.between(1, high), .q = r.between(1, high)};
    if (s.p == s.q || std::gcd(s.p, s.q) != 1) {
        return std::nullopt;
    }
    return s;
}

// A term of a ratio equation as the pupil reads it: x, or a number.
using Terms = std::array<std::optional<Q>, 4>;

QString termText(const std::optional<Q>& t) {
    return t ? text(*t) : QStringLiteral("x");
}

Q valueAt(const Terms& t, int i, Q x) {
    return t[static_cast<std::size_t>(i)].value_or(x);
}

// The ratio equation of four terms, x in one place: its product line, equation and check.
Draft ratioDraft(const Terms& terms, int place, Q x) {
    const QString ratio =
        QStringLiteral("%1:%2=%3:%4")
            .arg(termText(terms[0]), termText(terms[1]), termText(terms[2]), termText(terms[3]));
    // x's partner in its product, and the other product.
    const int partner = 3 - place;
    const Q k = *terms[static_cast<std::size_t>(partner)];
    const int o1 = place == 0 || place == 3 ? 1 : 0;
    const int o2 = place == 0 || place == 3 ? 2 : 3;
    const Q other = *terms[static_cast<std::size_t>(o1)] * *terms[static_cast<std::size_t>(o2)];
    const Q a = valueAt(terms, 0, x), b = valueAt(terms, 1, x);
    const Q c = valueAt(terms, 2, x), d = valueAt(terms, 3, x);
    Draft draft;
    draft.x = x;
    draft.ratio = ratio;
    draft.storyHolds = a / b == c / d;
    draft.problem = {
        .question = ratio + QStringLiteral(" 比例式を解いて。"),
        .setUp = {productRule, QStringLiteral("%1×%2=%3×%4")
                                   .arg(termText(terms[0]), termText(terms[3]), termText(terms[1]),
                                        termText(terms[2]))},
        .equation = QStringLiteral("%1=%2").arg(timesX(k), text(other)),
        .check = lines({QStringLiteral("%1÷%2=%3, %4÷%5=%6| で、比の値が等しい。")
                            .arg(text(a), text(b), text(a / b), text(c), text(d), text(c / d))}),
        .conclusion = QStringLiteral("答 ") + answerText(x)};
    return draft;
}

// Whole terms: p:q and the same ratio m times, x in place Place.
template <int Place> std::optional<Draft> wholeRatio(FreshRandom& r) {
    const auto s = drawRatio(r, 9);
    if (!s) {
        return std::nullopt;
    }
    const int m = r.between(2, 9);
    const std::array<int, 4> both = r.between(0, 1) == 0
                                        ? std::array<int, 4>{s->p * m, s->q * m, s->p, s->q}
                                        : std::array<int, 4>{s->p, s->q, s->p * m, s->q * m};
    Terms terms;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        terms[i] = q(both[i]);
    }
    const Q x = *terms[Place];
    terms[Place].reset();
    if (*terms[3 - Place] == q(1)) {
        return std::nullopt; // "x=…" at once: nothing to solve
    }
    return ratioDraft(terms, Place, x);
}

// A term with a fraction or not: 2–12, or a fraction below 2 with a denominator up to 6.
Q drawTerm(FreshRandom& r) {
    if (r.between(0, 1) == 0) {
        return q(r.between(2, 12));
    }
    const int den = r.between(2, 6);
    return q(r.between(1, 2 * den - 1), den);
}

template <int Place> std::optional<Draft> fractionRatio(FreshRandom& r) {
    Terms terms;
    bool fraction = false, twice = false;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        if (i != Place) {
            terms[i] = drawTerm(r);
            fraction = fraction || !isWhole(*terms[i]);
            for (std::size_t j = 0; j < i; ++j) {
                twice = twice || terms[j] == terms[i]; // "7:9/5=7:x" shows its answer
            }
        }
    }
    // a·d = b·c
    const int partner = 3 - Place;
    const Q k = *terms[static_cast<std::size_t>(partner)];
    const int o1 = Place == 0 || Place == 3 ? 1 : 0;
    const int o2 = Place == 0 || Place == 3 ? 2 : 3;
    const Q x = *terms[static_cast<std::size_t>(o1)] * *terms[static_cast<std::size_t>(o2)] / k;
    constexpr int largestDenominator = 10, largestNumerator = 30;
    if (!fraction || twice || k == q(1) || x.den > largestDenominator || x.num > largestNumerator) {
        return std::nullopt;
    }
    return ratioDraft(terms, Place, x);
}

// "k(inner)", or the inner alone when k is 1.
QString timesBracket(int k, const QString& inner) {
    return k == 1 ? inner : QStringLiteral("%1(%2)").arg(k).arg(inner);
}

// A ratio story's set-up: what x is, then its ratio equation "(A-x):(B+x)=p:q" (its terms
// as text) and the products.
std::vector<QString> ratioLines(std::vector<QString> setUp, const QString& a, const QString& b,
                                int p, int q) {
    setUp.push_back(QStringLiteral("%1:%2=%3:%4").arg(a, b).arg(p).arg(q));
    setUp.push_back(productRule);
    setUp.push_back(QStringLiteral("%1×%2=%3×%4").arg(a).arg(q).arg(b).arg(p));
    return setUp;
}

QString ratioHolds(int a, int b, int p, int q) {
    return QStringLiteral("%1:%2=%3:%4").arg(a).arg(b).arg(p).arg(q);
}

std::optional<Draft> shareTotal(FreshRandom& r) {
    const Pair who = pick(r, people);
    const auto s = drawRatio(r, 5);
    if (!s) {
        return std::nullopt;
    }
    const int unit = drawStep(r, 50, 1000, 50);
    const int total = (s->p + s->q) * unit;
    if (total % 100 != 0 || total > 6000) {
        return std::nullopt;
    }
    const int x = s->p * unit;
    const int rest = total - x;
    Draft d;
    d.x = q(x);
    d.storyHolds = x + rest == total && x * s->q == rest * s->p;
    const QString restText = QStringLiteral("(%1-x)").arg(total);
    d.ratio = QStringLiteral("x:%1=%2:%3").arg(restText).arg(s->p).arg(s->q);
    d.problem = {.question = QStringLiteral("%1円を%2と%3で%4:%5に分けるとき、%2の分を x 円として、"
                                            "x を求めなさい。")
                                 .arg(total)
                                 .arg(who.first, who.second)
                                 .arg(s->p)
                                 .arg(s->q),
                 .setUp = ratioLines(lines({QStringLiteral("%1の分を x 円とすると、|%2の分は %3 円")
                                                .arg(who.first, who.second, restText)}),
                                     QStringLiteral("x"), restText, s->p, s->q),
                 .equation = QStringLiteral("%1=%2").arg(
                     timesX(q(s->q)), timesBracket(s->p, restText.mid(1, restText.size() - 2))),
                 .check = lines({QStringLiteral("%1+%2=%3, %4")
                                     .arg(x)
                                     .arg(rest)
                                     .arg(total)
                                     .arg(ratioHolds(x, rest, s->p, s->q)) +
                                 fits}),
                 .conclusion = QStringLiteral("答 %1円").arg(x)};
    return d;
}

std::optional<Draft> shareKnown(FreshRandom& r) {
    const Pair who = pick(r, people);
    const auto s = drawRatio(r, 9);
    if (!s) {
        return std::nullopt;
    }
    const int unit = drawStep(r, 50, 1000, 50);
    const int x = s->p * unit;
    const int known = s->q * unit;
    if (known % 100 != 0 || s->q == 1) {
        return std::nullopt;
    }
    Draft d;
    d.x = q(x);
    d.storyHolds = x * s->q == known * s->p;
    d.ratio = QStringLiteral("x:%1=%2:%3").arg(known).arg(s->p).arg(s->q);
    d.problem = {
        .question = QStringLiteral("%1と%2の持っているお金の比は%3:%4で、%2は%5円持っている。"
                                   "%1の持っているお金を x 円として、x を求めなさい。")
                        .arg(who.first, who.second)
                        .arg(s->p)
                        .arg(s->q)
                        .arg(known),
        .setUp =
            ratioLines(lines({QStringLiteral("%1の持っているお金を x 円とする。").arg(who.first)}),
                       QStringLiteral("x"), QString::number(known), s->p, s->q),
        .equation = QStringLiteral("%1x=%2").arg(s->q).arg(known * s->p),
        .check = lines({ratioHolds(x, known, s->p, s->q) + fits}),
        .conclusion = QStringLiteral("答 %1円").arg(x)};
    return d;
}

struct Mixture {
    QStringView first, second, made, unit;
};

constexpr Mixture mixtures[] = {{u"酢", u"サラダ油", u"ドレッシング", u"mL"},
                                {u"コーヒー", u"牛乳", u"コーヒー牛乳", u"mL"},
                                {u"小麦粉", u"砂糖", u"クッキーの生地", u"g"}};

std::optional<Draft> mixInRatio(FreshRandom& r) {
    const Mixture m = pick(r, mixtures);
    const auto s = drawRatio(r, 7);
    if (!s) {
        return std::nullopt;
    }
    const int unit = drawStep(r, 10, 100, 10);
    const int x = s->p * unit;
    const int known = s->q * unit;
    if (s->q == 1 || known > 600) {
        return std::nullopt;
    }
    Draft d;
    d.x = q(x);
    d.storyHolds = x * s->q == known * s->p;
    d.ratio = QStringLiteral("x:%1=%2:%3").arg(known).arg(s->p).arg(s->q);
    d.problem = {
        .question = QStringLiteral("%1と%2を%3:%4の割合で混ぜて%5を作る。%2を%6 %7使うとき、"
                                   "使う%1を x %7 として、x を求めなさい。")
                        .arg(m.first, m.second)
                        .arg(s->p)
                        .arg(s->q)
                        .arg(m.made)
                        .arg(known)
                        .arg(m.unit),
        .setUp = ratioLines(lines({QStringLiteral("使う%1を x %2 とする。").arg(m.first, m.unit)}),
                            QStringLiteral("x"), QString::number(known), s->p, s->q),
        .equation = QStringLiteral("%1x=%2").arg(s->q).arg(known * s->p),
        .check = lines({ratioHolds(x, known, s->p, s->q) + fits}),
        .conclusion = QStringLiteral("答 %1 %2").arg(x).arg(m.unit)};
    return d;
}

// Both spend the same: (A-x):(B-x) = p:q.
std::optional<Draft> sameSpending(FreshRandom& r) {
    const Pair who = pick(r, people);
    const auto s = drawRatio(r, 5);
    if (!s || s->p < s->q) {
        return std::nullopt;
    }
    const int unit = drawStep(r, 50, 500, 50);
    const int x = drawStep(r, 100, 1000, 50);
    const int a = s->p * unit + x;
    const int b = s->q * unit + x;
    if (a % 100 != 0 || b % 100 != 0 || a > 5000) {
        return std::nullopt;
    }
    const QString left = QStringLiteral("(%1-x)").arg(a);
    const QString right = QStringLiteral("(%1-x)").arg(b);
    Draft d;
    d.x = q(x);
    d.storyHolds = (a - x) * s->q == (b - x) * s->p;
    d.ratio = QStringLiteral("%1:%2=%3:%4").arg(left, right).arg(s->p).arg(s->q);
    d.problem = {
        .question =
            QStringLiteral("%1は%2円、%3は%4円持っていた。2人とも同じ値段の本を買ったところ、"
                           "残りのお金の比が%5:%6になった。本の値段を x 円として、"
                           "x を求めなさい。")
                .arg(who.first)
                .arg(a)
                .arg(who.second)
                .arg(b)
                .arg(s->p)
                .arg(s->q),
        .setUp =
            ratioLines(lines({QStringLiteral("本の値段を x 円とする。")}), left, right, s->p, s->q),
        .equation = QStringLiteral("%1=%2").arg(timesBracket(s->q, left.mid(1, left.size() - 2)),
                                                timesBracket(s->p, right.mid(1, right.size() - 2))),
        .check = lines({QStringLiteral("%1-%2=%3, %4-%2=%5, |%6")
                            .arg(a)
                            .arg(x)
                            .arg(a - x)
                            .arg(b)
                            .arg(b - x)
                            .arg(ratioHolds(a - x, b - x, s->p, s->q)) +
                        fits}),
        .conclusion = QStringLiteral("答 %1円").arg(x)};
    return d;
}

// Milk added to a mixture until the ratio is another: C:(M+x) = p2:q2.
std::optional<Draft> addToMixture(FreshRandom& r) {
    struct Drink {
        QStringView base, made;
    };
    constexpr Drink drinks[] = {{u"コーヒー", u"コーヒー牛乳"}, {u"紅茶", u"ミルクティー"}};
    const Drink drink = pick(r, drinks);
    const auto before = drawRatio(r, 5);
    const auto after = drawRatio(r, 5);
    if (!before || !after) {
        return std::nullopt;
    }
    const int unit = drawStep(r, 20, 200, 20);
    const int total = (before->p + before->q) * unit;
    const int base = before->p * unit;
    const int milk = before->q * unit;
    // base·q2 = (milk + x)·p2
    const int num = base * after->q - milk * after->p;
    if (num <= 0 || num % after->p != 0 || total > 1000 || total % 100 != 0) {
        return std::nullopt;
    }
    const int x = num / after->p;
    if (x % 10 != 0) {
        return std::nullopt;
    }
    const int shares = before->p + before->q;
    const QString right = QStringLiteral("(%1+x)").arg(milk);
    Draft d;
    d.x = q(x);
    d.storyHolds = base + milk == total && base * after->q == (milk + x) * after->p;
    d.ratio = QStringLiteral("%1:%2=%3:%4").arg(base).arg(right).arg(after->p).arg(after->q);
    const std::vector<QString> intro =
        lines({QStringLiteral("加える牛乳を x mL とする。"),
               QStringLiteral("%1は %2×%3/%4=%5 (mL)、|牛乳は %2×%6/%4=%7 (mL)")
                   .arg(drink.base)
                   .arg(total)
                   .arg(before->p)
                   .arg(shares)
                   .arg(base)
                   .arg(before->q)
                   .arg(milk)});
    d.problem = {.question =
                     QStringLiteral("%1と牛乳を%2:%3の割合で混ぜた%4が%5 mLある。これに牛乳を x mL"
                                    "加えて、%1と牛乳の比を%6:%7にしたい。x を求めなさい。")
                         .arg(drink.base)
                         .arg(before->p)
                         .arg(before->q)
                         .arg(drink.made)
                         .arg(total)
                         .arg(after->p)
                         .arg(after->q),
                 .setUp = ratioLines(intro, QString::number(base), right, after->p, after->q),
                 .equation = QStringLiteral("%1=%2")
                                 .arg(timesBracket(after->p, right.mid(1, right.size() - 2)))
                                 .arg(base * after->q),
                 .check = lines({QStringLiteral("%1+%2=%3, %4")
                                     .arg(milk)
                                     .arg(x)
                                     .arg(milk + x)
                                     .arg(ratioHolds(base, milk + x, after->p, after->q)) +
                                 fits}),
                 .conclusion = QStringLiteral("答 %1 mL").arg(x)};
    return d;
}

// One gives the other x: (A-x):(B+x) = p:q.
std::optional<Draft> giveSome(FreshRandom& r) {
    const Pair who = pick(r, people);
    const auto s = drawRatio(r, 7);
    if (!s) {
        return std::nullopt;
    }
    const int unit = drawStep(r, 100, 1000, 100);
    const int x = drawStep(r, 100, 2000, 100);
    const int a = s->p * unit + x;
    const int b = s->q * unit - x;
    if (b <= 0 || b >= a || a > 6000) {
        return std::nullopt;
    }
    const QString left = QStringLiteral("(%1-x)").arg(a);
    const QString right = QStringLiteral("(%1+x)").arg(b);
    Draft d;
    d.x = q(x);
    d.storyHolds = (a - x) * s->q == (b + x) * s->p;
    d.ratio = QStringLiteral("%1:%2=%3:%4").arg(left, right).arg(s->p).arg(s->q);
    d.problem = {
        .question = QStringLiteral("%1は%2円、%3は%4円持っている。%1が%3に x 円あげると、%1と%3の"
                                   "持っているお金の比は%5:%6になる。x を求めなさい。")
                        .arg(who.first)
                        .arg(a)
                        .arg(who.second)
                        .arg(b)
                        .arg(s->p)
                        .arg(s->q),
        .setUp = ratioLines(
            lines({QStringLiteral("%1が%2にあげるお金を x 円とする。").arg(who.first, who.second)}),
            left, right, s->p, s->q),
        .equation = QStringLiteral("%1=%2").arg(timesBracket(s->q, left.mid(1, left.size() - 2)),
                                                timesBracket(s->p, right.mid(1, right.size() - 2))),
        .check = lines({QStringLiteral("%1-%2=%3, %4+%2=%5, |%6")
                            .arg(a)
                            .arg(x)
                            .arg(a - x)
                            .arg(b)
                            .arg(b + x)
                            .arg(ratioHolds(a - x, b + x, s->p, s->q)) +
                        fits}),
        .conclusion = QStringLiteral("答 %1円").arg(x)};
    return d;
}

} // namespace

SetMakers ratioMakers() {
    return {{wholeRatio<0>, wholeRatio<1>, wholeRatio<2>, wholeRatio<3>},
            {fractionRatio<0>, fractionRatio<1>, fractionRatio<2>, fractionRatio<3>}};
}

SetMakers ratioUseMakers() {
    return {{shareTotal, shareKnown, mixInRatio}, {sameSpending, addToMixture, giveSome}};
}

} // namespace minamo::stories
