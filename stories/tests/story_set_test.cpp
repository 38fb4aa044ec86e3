// Word problems checked apart from their generator: the story's numbers are read back from
// its text (with their units, in metres, grams, minutes, m/min and rates), the answer from
// its text, and each kind of story's own relation between them is evaluated exactly. The
// equation goes to the exact solver, its worked solution through the recording fake.

#include "algebra/worked_solution.h"
#include "banks/tests/bank_checker.h"
#include "fake/fake_drill.h"
#include "fake/solution_reading.h"
#include "fresh/exact_solver.h"
#include "stories/story_set.h"

#include <QRegularExpression>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace minamo {
namespace {

using R = bankcheck::Rational;
using Numbers = std::vector<R>;

// A number of the story as read: its value in the base units, and as written.
struct Token {
    R value;
    R written;
    QString unit; // what follows it: " m", "%", "分", ...; "割" for 割・分・厘, "時間" for h:m
    QString speed; // "分速", "時速" or empty
    QChar before;  // the character before it: ':' in a ratio, 'の' before a part (はじめの3/4)
};

// 1時間30分, 2割5分 and 1割2分5厘 are one number each.
const QRegularExpression numberPattern(
    QStringLiteral(R"((\d+)時間(?:(\d+)分)?|(\d+)割(?:(\d+)分)?(?:(\d+)厘)?|(\d+)(?:/(\d+))?)"));

int at(const QRegularExpressionMatch& m, int group) {
    return m.captured(group).isEmpty() ? 0 : m.captured(group).toInt();
}

R minutesPerUnit(const QString& speed) {
    return speed == u"時速" ? R(1000, 60) : R(1);
}

// The value in the base units: lengths in m, masses in g, times in minutes, speeds in m/min,
// percents and 割 as rates.
R inBase(R v, const QString& unit, const QString& speed) {
    if (!speed.isEmpty()) {
        return v * minutesPerUnit(speed);
    }
    if (unit.startsWith(QStringLiteral(" km")) || unit.startsWith(QStringLiteral(" kg"))) {
        return v * R(1000);
    }
    if (unit.startsWith(QStringLiteral(" cm"))) {
        return v / R(100);
    }
    if (unit.startsWith(u'%')) {
        return v / R(100);
    }
    return v;
}

std::vector<Token> tokens(const QString& text) {
    std::vector<Token> found;
    for (auto it = numberPattern.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const QString before = text.mid(std::max<qsizetype>(0, m.capturedStart() - 2), 2);
        const QString speed = before == u"分速" || before == u"時速" ? before : QString();
        const QChar last = before.isEmpty() ? QChar() : before.back();
        const QString after = text.mid(m.capturedEnd(), 3);
        if (!m.captured(1).isEmpty()) {
            const R minutes(at(m, 1) * 60 + at(m, 2));
            found.push_back({minutes, minutes, QStringLiteral("時間"), {}, last});
        } else if (!m.captured(3).isEmpty()) {
            const R rate(at(m, 3) * 100 + at(m, 4) * 10 + at(m, 5), 1000);
            found.push_back({rate, rate, QStringLiteral("割"), {}, last});
        } else {
            const R v(at(m, 6), m.captured(7).isEmpty() ? 1 : at(m, 7));
            found.push_back({inBase(v, after, speed), v, after, speed, last});
        }
    }
    return found;
}

const QStringList units = {QStringLiteral(" km"), QStringLiteral(" cm"), QStringLiteral(" kg"),
                           QStringLiteral(" mL"), QStringLiteral(" m"),  QStringLiteral(" g"),
                           QStringLiteral("%"),   QStringLiteral("分"),  QStringLiteral("円"),
                           QStringLiteral("人"),  QStringLiteral("個"),  QStringLiteral("本")};

// A unit after it, or a ratio's part, or a part of a whole (「はじめの3/4」).
bool hasUnit(const Token& t) {
    return t.unit == u"時間" || t.unit == u"割" || t.unit.startsWith(u':') || t.before == u':' ||
           t.before == u'の' || std::any_of(units.begin(), units.end(), [&](const QString& u) {
               return t.unit.startsWith(u);
           });
}

// x's unit in the story ("分速 x m", "x 円", "x %"), as a factor into the base units.
std::optional<R> xFactor(const QString& question) {
    static const QRegularExpression pattern(
        QStringLiteral(R"((分速|時速)? ?x ?(km|cm|kg|mL|m|g|%|分|円|人|個))"));
    const auto m = pattern.match(question);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    return inBase(R(1), u' ' + m.captured(2), m.captured(1)) *
           (m.captured(2) == u"%" ? R(1, 100) : R(1));
}

// The story's own relation of its numbers and x, in base units, by a keyword of its kind.
struct Reader {
    QString keyword;
    std::function<bool(const Numbers&, R)> holds;
};

using Rel = std::function<bool(const Numbers&, R)>;

const Rel partOf = [](const Numbers& n, R x) { return x * n[0] == n[1]; };
const Rel more = [](const Numbers& n, R x) { return x * (R(1) + n[0]) == n[1]; };
const Rel less = [](const Numbers& n, R x) { return x * (R(1) - n[0]) == n[1]; };
const Rel known = [](const Numbers& n, R x) { return x * n[1] == n[2] * n[0]; };

const std::vector<Reader> readers[] = {
    // 速さ: [way, speed, minutes]
    {{QString(), [](const Numbers& n, R x) { return (n[1] + x) * n[2] == n[0]; }}},
    // 時間
    {{QStringLiteral("同じ向き"), [](const Numbers& n, R x) { return (n[1] - n[2]) * x == n[0]; }},
     {QStringLiteral("追いかけた"),
      [](const Numbers& n, R x) { return n[2] * x == n[0] * (x + n[1]); }}},
    // 距離
    {{QStringLiteral("往復"), [](const Numbers& n, R x) { return x / n[0] + x / n[1] == n[2]; }},
     {QStringLiteral("多く"), [](const Numbers& n, R x) { return x / n[0] - x / n[1] == n[2]; }},
     {QStringLiteral("遅れる"),
      [](const Numbers& n, R x) { return x / n[0] + n[1] == x / n[2] - n[3]; }}},
    // 食塩水1: [percent, mass, percent]
    {{QStringLiteral("水を x g加"), [](const Numbers& n, R x) { return n[1] * n[0] == (n[1] + x) * n[2]; }},
     {QStringLiteral("水を x g蒸"), [](const Numbers& n, R x) { return n[1] * n[0] == (n[1] - x) * n[2]; }},
     {QStringLiteral("食塩を x g"),
      [](const Numbers& n, R x) { return n[1] * n[0] + x == (n[1] + x) * n[2]; }},
     {QStringLiteral("x gに水"), [](const Numbers& n, R x) { return x * n[0] == (x + n[1]) * n[2]; }},
     {QStringLiteral("x gから水"), [](const Numbers& n, R x) { return x * n[0] == (x - n[1]) * n[2]; }},
     {QStringLiteral("x gに食塩"),
      [](const Numbers& n, R x) { return x * n[0] + n[1] == (x + n[1]) * n[2]; }}},
    // 食塩水2
    {{QStringLiteral("x %"),
      [](const Numbers& n, R x) { return n[1] * n[0] + n[2] * x == (n[1] + n[2]) * n[3]; }},
     {QStringLiteral("作る"),
      [](const Numbers& n, R x) { return x * n[0] + (n[3] - x) * n[1] == n[3] * n[2]; }},
     {QStringLiteral("混ぜる"),
      [](const Numbers& n, R x) { return n[1] * n[0] + x * n[2] == (n[1] + x) * n[3]; }}},
    // 基本4 is read as a ratio equation.
    {},
    // 標準1, 標準2, 標準3: rates as read.
    {{QStringLiteral("男子が"),
      [](const Numbers& n, R x) { return x * n[1] - (n[0] - x) * n[2] == n[3]; }},
     {QStringLiteral("貯金"), [](const Numbers& n, R x) { return x * (R(1) + n[0]) == n[2]; }},
     {QStringLiteral("定価を x"),
      [](const Numbers& n, R x) { return x * (R(1) - n[1]) == n[0] * (R(1) + n[2]); }},
     {QStringLiteral("円で売"), [](const Numbers& n, R x) { return x - n[0] == n[0] * n[1]; }},
     {QStringLiteral("引きで売"),
      [](const Numbers& n, R x) { return x * (R(1) + n[0]) * (R(1) - n[1]) - x == n[2]; }},
     {QStringLiteral("引きで買"), less},       {QStringLiteral("見込んで"), more},
     {QStringLiteral("にあたる"), partOf},      {QStringLiteral("お金の"), partOf},
     {QStringLiteral("増えて"), more},          {QStringLiteral("値上がり"), more},
     {QStringLiteral("減って"), less},          {QStringLiteral("値下がり"), less}},
    {}, // 標準2: as 標準1
    {}, // 標準3: as 標準1
    // 標準4: ratios as their two parts
    {{QStringLiteral("加えて"),
      [](const Numbers& n, R x) {
          const R whole = n[0] + n[1];
          return n[2] * n[0] / whole * n[4] == (n[2] * n[1] / whole + x) * n[3];
      }},
     {QStringLiteral("同じ値段"),
      [](const Numbers& n, R x) { return (n[0] - x) * n[4] == (n[1] - x) * n[3]; }},
     {QStringLiteral("あげる"), [](const Numbers& n, R x) { return (n[0] - x) * n[3] == (n[1] + x) * n[2]; }},
     {QStringLiteral("分ける"), [](const Numbers& n, R x) { return x * n[2] == (n[0] - x) * n[1]; }},
     {QString(), known}},
    // 難問１
    {{QStringLiteral("全体"), [](const Numbers& n, R x) { return n[1] * x + n[2] == n[3]; }},
     {QStringLiteral("テープ"), [](const Numbers& n, R x) { return x * n[2] + n[3] == n[0]; }},
     {QStringLiteral("続けて"), [](const Numbers& n, R x) { return n[0] * n[1] + x * n[2] == n[3]; }},
     {QStringLiteral("多く"), [](const Numbers& n, R x) { return x / n[0] - x / n[1] == n[2]; }},
     {QStringLiteral("使った"), [](const Numbers& n, R x) { return x - n[0] == n[1] * x; }},
     {QStringLiteral("リボン"), [](const Numbers& n, R x) { return x - n[0] * n[1] == n[2] * x; }}},
    // 難問2: [way, first speed, second speed, minutes]
    {{QStringLiteral("時間を x"),
      [](const Numbers& n, R x) { return n[1] * x + n[2] * (n[3] - x) == n[0]; }},
     {QStringLiteral("道のりを x"),
      [](const Numbers& n, R x) { return x / n[1] + (n[0] - x) / n[2] == n[3]; }}},
};

const std::vector<Reader>& readersOf(StorySet set) {
    const auto i = static_cast<std::size_t>(set);
    const bool rates = set == StorySet::Price || set == StorySet::Buai;
    return readers[rates ? static_cast<std::size_t>(StorySet::Percent) : i];
}

// The terms of "a:b=c:d 比例式を解いて。" with x given its value.
std::optional<std::array<R, 4>> ratioTerms(const QString& question, R x) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^([\dx/]+):([\dx/]+)=([\dx/]+):([\dx/]+) 比例式を解いて。$)"));
    const auto m = pattern.match(question);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    std::array<R, 4> terms;
    for (int i = 0; i < 4; ++i) {
        const auto t = bankcheck::SideReader(m.captured(i + 1), x).read();
        if (!t || t->num <= 0) {
            return std::nullopt;
        }
        terms[static_cast<std::size_t>(i)] = *t;
    }
    return terms;
}

// Friendly numbers by their units, as textbooks use them.
bool friendly(const Token& t, StorySet set) {
    const R v = t.written;
    const bool whole = v.den == 1;
    if (t.unit == u"時間" || t.unit == u"割") {
        return true; // whole minutes and thousandths by how they are read
    }
    if (t.speed == u"分速") {
        return whole && v.num >= 50 && v.num <= 300 && v.num % 10 == 0;
    }
    if (t.speed == u"時速") {
        return whole && ((v.num >= 3 && v.num <= 6) || (v.num >= 10 && v.num <= 20));
    }
    if (t.unit.startsWith(u'%')) {
        const bool salt = set == StorySet::Salt1 || set == StorySet::Salt2;
        return whole && v.num >= (salt ? 2 : 1) && v.num <= (salt ? 20 : 90);
    }
    if (t.unit.startsWith(u'円')) {
        return whole && v.num % 10 == 0;
    }
    if (t.unit.startsWith(QStringLiteral(" g"))) {
        return whole && v.num % 5 == 0;
    }
    if (t.unit.startsWith(QStringLiteral(" m")) && !t.unit.startsWith(QStringLiteral(" mL"))) {
        return whole && (v.num < 100 || v.num % 100 == 0);
    }
    return t.before == u'の' || whole; // a fraction only as a part: 「はじめの3/4」
}

// A formula of the worked solution evaluated at x: numbers, a/b as one number, x, brackets,
// × ÷ + -, a number or bracket next to what it multiplies ("3/4x", "4(x+30)/60"), a:b as a/b.
class Formula {
public:
    Formula(const QString& text, R x) : text_(text), x_(x) {}

    std::optional<R> value() {
        auto v = sum();
        if (v && peek() == u':') {
            ++pos_;
            const auto d = sum();
            v = d && d->num != 0 ? std::optional<R>(*v / *d) : std::nullopt;
        }
        return v && pos_ == text_.size() ? v : std::nullopt;
    }

private:
    QChar peek() const { return pos_ < text_.size() ? text_[pos_] : QChar(); }

    static std::optional<R> whole(std::optional<std::int64_t> n) {
        return n ? std::optional(R(*n)) : std::nullopt;
    }

    std::optional<std::int64_t> number() {
        const qsizetype start = pos_;
        std::int64_t n = 0;
        while (peek().isDigit()) {
            n = n * 10 + peek().digitValue();
            ++pos_;
        }
        return pos_ > start ? std::optional(n) : std::nullopt;
    }

    std::optional<R> sum() {
        R total;
        bool first = true;
        while (first || peek() == u'+' || peek() == u'-') {
            const R sign(peek() == u'-' ? -1 : 1);
            pos_ += peek() == u'+' || peek() == u'-' ? 1 : 0;
            first = false;
            const auto t = product();
            if (!t) {
                return std::nullopt;
            }
            total = total + sign * *t;
        }
        return total;
    }

    std::optional<R> product() {
        auto v = factor();
        while (v) {
            const QChar c = peek();
            if (c == u'×' || c == u'÷' || c == u'/') {
                ++pos_;
                const auto f = c == u'/' ? whole(number()) : factor();
                v = f && !(c != u'×' && f->num == 0) ? std::optional(c == u'×' ? *v * *f : *v / *f)
                                                     : std::nullopt;
            } else if (c.isDigit() || c == u'x' || c == u'(') {
                const auto f = factor();
                v = f ? std::optional(*v * *f) : std::nullopt;
            } else {
                break;
            }
        }
        return v;
    }

    std::optional<R> factor() {
        if (peek() == u'x') {
            ++pos_;
            return x_;
        }
        if (peek() == u'(') {
            ++pos_;
            const auto v = sum();
            if (!v || peek() != u')') {
                return std::nullopt;
            }
            ++pos_;
            return v;
        }
        const auto n = number();
        if (n && peek() == u'/' && pos_ + 1 < text_.size() && text_[pos_ + 1].isDigit()) {
            ++pos_;
            const auto d = number();
            return *d == 0 ? std::nullopt : std::optional(R(*n, *d));
        }
        return whole(n);
    }

    QString text_;
    R x_;
    qsizetype pos_ = 0;
};

// Every claim "A=B" a worked-solution line makes (where both sides are numbers or hold x)
// is true at x: the set-up's first equation as much as the check's arithmetic.
bool everyClaimHolds(const QString& line, R x) {
    static const QRegularExpression run(QStringLiteral(R"([0-9x+\-×÷/():=]+)"));
    static const QRegularExpression operand(QStringLiteral("[0-9x]"));
    for (auto it = run.globalMatch(line); it.hasNext();) {
        QStringList sides = it.next().captured().split(u'=');
        sides.removeIf([](const QString& side) { return !side.contains(operand); });
        std::optional<R> first;
        for (const QString& side : sides) {
            const auto v = sides.size() > 1 ? Formula(side, x).value() : first;
            if (sides.size() > 1 && (!v || (first && !(*first == *v)))) {
                return false;
            }
            first = v;
        }
    }
    return true;
}

int halves(const QString& line) {
    int n = 0;
    for (const QChar c : line) {
        n += c.unicode() < 0x80 ? 1 : 2;
    }
    return n;
}

QString lastSolutionLine(const QString& equation) {
    const auto f = std::make_unique<FakeDrill>();
    f->s().explainedEquation = equation;
    showWorkedSolution(f->d());
    const QStringList lines = trace::readSolutionLines(f->fake.picture7.ops(), f->s(), equation);
    return lines.isEmpty() ? QString() : lines.back();
}

// Every rule of a problem this check can see, broken: empty when it keeps them.
QStringList violations(StorySet set, int position, const StoryProblem& p) {
    QStringList found;
    const auto fail = [&](const char* what) {
        found << QStringLiteral("%1 %2: %3 (%4 %5)")
                     .arg(storySetKey(set))
                     .arg(position + 1)
                     .arg(QLatin1String(what), p.question, p.answer);
    };
    const auto x = bankcheck::readAnswer(p.answer);
    if (!x) {
        fail("the answer is not in the stored form");
        return found;
    }
    const bool secondGroup = position >= storyGroupSize;
    const auto solved = solveLinear(p.equation);
    if (!solved || solved->kind != LinearSolution::Kind::One ||
        solved->x != Rational{x->num, x->den}) {
        fail("the equation does not give the answer");
    }
    if (lastSolutionLine(p.equation) != p.answer) {
        fail("the worked solution ends elsewhere");
    }
    const QString shownX = p.answer.mid(2);
    if (!p.conclusion.startsWith(QStringLiteral("答 ")) ||
        !(set == StorySet::Ratio ? p.conclusion.endsWith(p.answer)
                                 : p.conclusion.contains(shownX))) {
        fail("the conclusion is not the answer");
    }
    if (x->num <= 0 || (x->den != 1 && !(set == StorySet::Ratio && secondGroup))) {
        fail("the answer is not a whole number where one is expected");
    }
    std::vector<QString> lines = p.setUp;
    lines.insert(lines.end(), p.check.begin(), p.check.end());
    lines.push_back(p.equation);
    lines.push_back(p.conclusion);
    if (!std::all_of(lines.begin(), lines.end(),
                     [&](const QString& l) { return everyClaimHolds(l, *x); })) {
        fail("a worked-solution line claims what is not so");
    }
    if (p.question.size() > storyQuestionLength ||
        std::any_of(lines.begin(), lines.end(),
                    [](const QString& l) { return halves(l) > storyLineHalves; }) ||
        p.setUp.empty() || p.check.empty()) {
        fail("a line too long, or no set-up or check");
    }
    if (set == StorySet::Ratio) {
        const auto terms = ratioTerms(p.question, *x);
        if (!terms || !((*terms)[0] * (*terms)[3] == (*terms)[1] * (*terms)[2]) ||
            p.question.contains(u'/') != secondGroup) {
            fail("not a ratio equation of its group that the answer satisfies");
        }
        return found;
    }
    const std::vector<Token> read = tokens(p.question);
    Numbers n;
    for (const Token& t : read) {
        if (!hasUnit(t)) {
            fail("a number without its unit");
        }
        if (!friendly(t, set)) {
            fail("a number a textbook would not use");
        }
        n.push_back(t.value);
    }
    const auto factor = xFactor(p.question);
    if (!factor || !p.question.endsWith(QStringLiteral("x を求めなさい。"))) {
        fail("x is not said with its unit, or not asked for");
        return found;
    }
    const R xBase = *x * *factor;
    const auto& kinds = readersOf(set);
    const auto reader = std::find_if(kinds.begin(), kinds.end(), [&](const Reader& r) {
        return r.keyword.isEmpty() || p.question.contains(r.keyword);
    });
    if (reader == kinds.end() || !reader->holds(n, xBase)) {
        fail("the answer does not satisfy the story");
    }
    return found;
}

QStringList violations(StorySet set, const std::vector<StoryProblem>& problems) {
    QStringList found;
    if (problems.size() != static_cast<std::size_t>(storySetSize)) {
        return {QStringLiteral("%1: %2 problems").arg(storySetKey(set)).arg(problems.size())};
    }
    QSet<QString> seen;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        found << violations(set, static_cast<int>(i), problems[i]);
        if (seen.contains(problems[i].question)) {
            found << QStringLiteral("%1: twice %2").arg(storySetKey(set), problems[i].question);
        }
        seen.insert(problems[i].question);
    }
    return found;
}

TEST(StorySet, EverySetForManySeedsKeepsEveryRule) {
    constexpr std::uint64_t seeds = 200;
    for (const StorySet set : allStorySets) {
        QSet<QString> setsSeen;
        for (std::uint64_t seed = 1; seed <= seeds; ++seed) {
            const auto problems = makeStorySet(set, seed);
            ASSERT_TRUE(problems) << storySetKey(set).toString().toStdString() << " seed " << seed;
            const QStringList found = violations(set, *problems);
            ASSERT_TRUE(found.isEmpty()) << "seed " << seed << "\n"
                                         << found.join(u'\n').toStdString();
            ASSERT_EQ(makeStorySet(set, seed), problems) << "one seed, two sets";
            QString whole;
            for (const StoryProblem& problem : *problems) {
                whole += problem.question;
            }
            setsSeen.insert(whole);
        }
        // Two seeds give two sets.
        EXPECT_EQ(setsSeen.size(), static_cast<qsizetype>(seeds))
            << storySetKey(set).toString().toStdString();
    }
}

// The check itself finds an answer the generator got wrong, in every set.
TEST(StorySet, TheCheckFindsAWrongAnswer) {
    for (const StorySet set : allStorySets) {
        const auto problems = makeStorySet(set, 7, {.fault = StoryFault::WrongAnswer});
        ASSERT_TRUE(problems);
        for (int i = 0; i < storySetSize; ++i) {
            EXPECT_FALSE(violations(set, i, (*problems)[static_cast<std::size_t>(i)]).isEmpty())
                << storySetKey(set).toString().toStdString() << " " << i + 1;
        }
    }
}

// One seed, one set, on every machine and build: the random source is the program's own.
TEST(StorySet, OneSeedGivesTheSameProblemsEverywhere) {
    const auto problems = makeStorySet(StorySet::Ratio, 1);
    ASSERT_TRUE(problems);
    EXPECT_EQ(problems->front().question, QStringLiteral("x:35=1:7 比例式を解いて。"));
}

// Generation ends: with no tries left, or a caller's proof that refuses all, it gives up.
TEST(StorySet, NoTriesGiveNoSet) {
    EXPECT_FALSE(makeStorySet(StorySet::Speed, 1, {.triesPerProblem = 0}));
    EXPECT_FALSE(
        makeStorySet(StorySet::Speed, 1, {.accepts = [](const StoryProblem&) { return false; }}));
}

} // namespace
} // namespace minamo
