#include "fresh/fresh_bank.h"

#include "core/problem.h"

#include "fresh/exact_solver.h"
#include "fresh/fresh_random.h"
#include "fresh/problem_shape.h"
#include "fresh/proof.h"
#include "render/problem_display.h"

#include <QDateTime>
#include <QSet>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace minamo {

namespace {

// At most this share of a fresh bank may be problems of the bank itself: a shape whose
// numbers are all 0 (or that has none) can be nothing else.
constexpr int bankProblemsPerFreshOne = 10;
// Half of a position's tries look for a problem the bank does not hold before one of the
// bank's own is taken.
constexpr int newOnlyShare = 2;

bool isFraction(const QString& answer) {
    return answer.contains(u'/');
}

// How large the set's own answers are: whole ones, and numerators and denominators of the
// fractions.
struct AnswerBounds {
    std::int64_t whole = 0;
    std::int64_t numerator = 0;
    std::int64_t denominator = 0;
};

AnswerBounds boundsOf(const Bank& bank) {
    AnswerBounds bounds;
    for (const BankProblem& problem : bank.problems) {
        const auto solved = solveLinear(Problem::read(problem.question.toString()).equation);
        if (!solved || solved->kind != LinearSolution::Kind::One) {
            continue;
        }
        const Rational x = solved->x;
        if (x.den == 1) {
            bounds.whole = std::max<std::int64_t>(bounds.whole, std::llabs(x.num));
        } else {
            bounds.numerator = std::max<std::int64_t>(bounds.numerator, std::llabs(x.num));
            bounds.denominator = std::max(bounds.denominator, x.den);
        }
    }
    return bounds;
}

bool asHard(const Rational& x, bool fraction, const AnswerBounds& bounds) {
    if (fraction) {
        return x.den > 1 && std::llabs(x.num) <= bounds.numerator && x.den <= bounds.denominator;
    }
    return x.den == 1 && std::llabs(x.num) <= bounds.whole;
}

int largest(int digits) {
    int n = 9;
    for (int d = 1; d < digits; ++d) {
        n = n * 10 + 9;
    }
    return n;
}

int smallest(NumberRole role) {
    switch (role) {
    case NumberRole::Coefficient:
    case NumberRole::Multiplier:
    case NumberRole::Denominator:
        return 2;
    case NumberRole::Constant:
    case NumberRole::Numerator:
        return 1;
    }
    return 1;
}

// A fraction keeps the bank's character: in lowest terms where the bank's is, proper where
// the bank's is proper.
bool likeTheBanks(const NumberPlace& top, const NumberPlace& bottom, int a, int b) {
    const bool reduced = std::gcd(top.bankValue, bottom.bankValue) == 1;
    return (!reduced || std::gcd(a, b) == 1) && (top.bankValue < bottom.bankValue) == (a < b);
}

// A fraction is drawn again, numerator and denominator together, this many times at most.
constexpr int fractionDraws = 64;

// Numbers for the places: 0 where the bank has 0, otherwise up to as many digits as the
// bank's number, each fraction of the bank's character.
std::optional<std::vector<int>> drawNumbers(const ProblemShape& shape, FreshRandom& random) {
    const auto draw = [&random](const NumberPlace& place) {
        return place.bankValue == 0 ? 0
                                    : random.between(smallest(place.role), largest(place.digits));
    };
    std::vector<int> values;
    values.reserve(shape.places.size());
    for (const NumberPlace& place : shape.places) {
        values.push_back(draw(place));
    }
    for (std::size_t i = 0; i < shape.places.size(); ++i) {
        const NumberPlace& bottom = shape.places[i];
        if (bottom.over < 0) {
            continue;
        }
        const auto t = static_cast<std::size_t>(bottom.over);
        const NumberPlace& top = shape.places[t];
        int draws = 0;
        while (!likeTheBanks(top, bottom, values[t], values[i])) {
            if (++draws > fractionDraws) {
                return std::nullopt;
            }
            values[t] = draw(top);
            values[i] = draw(bottom);
        }
    }
    return values;
}

struct Candidate {
    QString question;
    QString answer;
};

// Why candidates of the last position were drawn again, for the message when none was left.
struct Rejections {
    int answer = 0;   // no single answer, or not of the bank answer's kind and size
    int fit = 0;      // the problem or its worked solution left its area
    int solution = 0; // the worked solution ended on another answer
};

class Generator {
public:
    Rejections rejected;

    Generator(const Bank& bank, std::uint64_t seed, const FreshLimits& limits)
        : random_(seed ^ nameHash(bank.builder)), limits_(limits), bounds_(boundsOf(bank)),
          bankProblemsLeft_(static_cast<int>(bank.problems.size()) / bankProblemsPerFreshOne) {
        for (const BankProblem& problem : bank.problems) {
            bankTexts_.insert(problem.question.toString());
        }
    }

    std::optional<Candidate> problemAt(const BankProblem& original) {
        const QString question = original.question.toString();
        const ProblemShape shape = shapeOf(question);
        const bool fraction = isFraction(original.answer.toString());
        rejected = {};
        for (int attempt = 0; attempt < limits_.triesPerProblem; ++attempt) {
            const bool anyOfTheBanks = attempt >= limits_.triesPerProblem / newOnlyShare;
            const auto values = drawNumbers(shape, random_);
            if (!values) {
                continue;
            }
            const QString text = shape.with(*values);
            const bool bankProblem = bankTexts_.contains(text);
            if (chosen_.contains(text) ||
                (bankProblem && (!anyOfTheBanks || bankProblemsLeft_ == 0))) {
                continue;
            }
            const auto solved = solveLinear(Problem::read(text).equation);
            if (!solved || solved->kind != LinearSolution::Kind::One ||
                !asHard(solved->x, fraction, bounds_)) {
                ++rejected.answer;
                continue;
            }
            const QString answer = answerText(solved->x);
            const ShownProblem shown = showProblem(text);
            if (!shown.problemFits || !shown.solutionFits) {
                ++rejected.fit;
                continue;
            }
            if (shown.solution != answer) {
                ++rejected.solution;
                continue;
            }
            chosen_.insert(text);
            bankProblemsLeft_ -= bankProblem ? 1 : 0;
            return Candidate{text, answer};
        }
        return std::nullopt;
    }

private:
    FreshRandom random_;
    FreshLimits limits_;
    AnswerBounds bounds_;
    int bankProblemsLeft_;
    QSet<QString> bankTexts_;
    QSet<QString> chosen_;
};

} // namespace

FreshBank::FreshBank(const Bank& of, std::vector<QString> questions, std::vector<QString> answers)
    : FreshBank(of.builder, std::move(questions), std::move(answers), {}) {}

FreshBank::FreshBank(QStringView builder, std::vector<QString> questions,
                     std::vector<QString> answers, std::vector<Working> workings)
    : questions_(std::move(questions)), answers_(std::move(answers)),
      workings_(std::move(workings)) {
    // Views into the vectors' own elements, which a move of the bank keeps where they are.
    problems_.reserve(questions_.size());
    for (std::size_t i = 0; i < questions_.size(); ++i) {
        problems_.push_back({.question = questions_[i],
                             .answer = answers_[i],
                             .working = i < workings_.size() ? &workings_[i] : nullptr});
    }
    bank_ = Bank{.builder = builder, .problems = problems_};
}

Result<FreshBank> makeFreshBank(const Bank& bank, std::uint64_t seed, const FreshLimits& limits) {
    Generator generator(bank, seed, limits);
    std::vector<QString> questions;
    std::vector<QString> answers;
    int position = 0;
    for (const BankProblem& original : bank.problems) {
        ++position;
        const auto candidate = generator.problemAt(original);
        if (!candidate) {
            const Rejections& r = generator.rejected;
            qWarning("fresh numbers: no proven problem of the shape of %s %d (%s) for seed %llu "
                     "in %d tries (answers %d, outside the areas %d, other worked solutions %d)",
                     qPrintable(bank.builder.toString()), position,
                     qPrintable(original.question.toString()),
                     static_cast<unsigned long long>(seed), limits.triesPerProblem, r.answer, r.fit,
                     r.solution);
            return Failure{QStringLiteral("%1番目の問題の形で、数を%2回かえても、答えを確かめられる"
                                          "問題ができませんでした（種 %3）。")
                               .arg(position)
                               .arg(limits.triesPerProblem)
                               .arg(seed)};
        }
        questions.push_back(candidate->question);
        answers.push_back(candidate->answer);
    }
    return FreshBank(bank, std::move(questions), std::move(answers));
}

QString freshFailureMessage(const CatalogueEntry& entry, const QString& reason) {
    return QStringLiteral("「%1」の新しい数の問題を作れませんでした。%2")
        .arg(menuPath(entry), reason);
}

std::uint64_t clockSeed() {
    return static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
}

} // namespace minamo
