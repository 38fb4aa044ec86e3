// Fresh banks checked apart from the generator: the shape compared as text, every answer
// substituted into its equation by the bank checker, the worked solution read back from
// the recording fake.

#include "algebra/worked_solution.h"
#include "banks/tests/bank_checker.h"
#include "catalogue/catalogue.h"
#include "fake/fake_drill.h"
#include "fake/qstring_printer.h"
#include "fake/solution_reading.h"
#include "fresh/fresh_bank.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <memory>

namespace minamo {
namespace {

using bankcheck::Rational;

// The text around the numbers, and the numbers.
struct Split {
    QStringList pieces;
    QStringList numbers;
};

Split split(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    Split s;
    qsizetype at = 0;
    for (auto it = digits.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        s.pieces << text.mid(at, m.capturedStart() - at);
        s.numbers << m.captured();
        at = m.capturedEnd();
    }
    s.pieces << text.mid(at);
    return s;
}

struct Largest {
    std::int64_t whole = 0, numerator = 0, denominator = 0;
};

Largest largestAnswers(const Bank& bank) {
    Largest largest;
    for (const BankProblem& p : bank.problems) {
        const Rational x = *bankcheck::readAnswer(p.answer.toString());
        if (x.den == 1) {
            largest.whole = std::max<std::int64_t>(largest.whole, std::abs(x.num));
        } else {
            largest.numerator = std::max<std::int64_t>(largest.numerator, std::abs(x.num));
            largest.denominator = std::max(largest.denominator, x.den);
        }
    }
    return largest;
}

QString lastSolutionLine(const QString& equation) {
    const auto f = std::make_unique<FakeDrill>();
    f->s().explainedEquation = equation;
    showWorkedSolution(f->d());
    const QStringList lines = trace::readSolutionLines(f->fake.picture7.ops(), f->s(), equation);
    return lines.isEmpty() ? QString() : lines.back();
}

// Every rule a fresh bank keeps that this check can see, broken: empty when it keeps them.
QStringList violations(const Bank& bank, const Bank& fresh) {
    QStringList found;
    if (fresh.problems.size() != bank.problems.size() || fresh.builder != bank.builder) {
        return {QStringLiteral("not the bank's size or name")};
    }
    const Largest largest = largestAnswers(bank);
    QSet<QString> bankTexts, seen;
    for (const BankProblem& p : bank.problems) {
        bankTexts.insert(p.question.toString());
    }
    int bankOnes = 0;
    for (std::size_t k = 0; k < bank.problems.size(); ++k) {
        const QString was = bank.problems[k].question.toString();
        const QString is = fresh.problems[k].question.toString();
        const QString answer = fresh.problems[k].answer.toString();
        const QString where =
            QStringLiteral("%1 %2: %3 %4").arg(bank.builder).arg(k + 1).arg(is, answer);
        const Split a = split(was), b = split(is);
        if (a.pieces != b.pieces) {
            found << where + QStringLiteral(": not the shape of ") + was;
            continue;
        }
        for (qsizetype n = 0; n < a.numbers.size(); ++n) {
            const bool denominator = a.pieces[n].endsWith(u'/');
            if (b.numbers[n].size() > a.numbers[n].size() ||
                (b.numbers[n].startsWith(u'0') && b.numbers[n] != u'0') ||
                (denominator && b.numbers[n].toInt() < 2)) {
                found << where + QStringLiteral(": the number ") + b.numbers[n];
            }
        }
        const auto x = bankcheck::readAnswer(answer);
        const auto bankX = bankcheck::readAnswer(bank.problems[k].answer.toString());
        const auto equation = bankcheck::equationOf(bank.builder.toString(), is);
        if (!x || !equation) {
            found << where + QStringLiteral(": not in the stored form");
            continue;
        }
        const auto at = bankcheck::imbalance(*equation, *x);
        const auto at0 = bankcheck::imbalance(*equation, 0);
        const auto at1 = bankcheck::imbalance(*equation, 1);
        if (!at || !(*at == Rational(0)) || !at0 || !at1 || *at0 == *at1) {
            found << where + QStringLiteral(": not the one solution");
        }
        if ((x->den == 1) != (bankX->den == 1) ||
            (x->den == 1 ? std::abs(x->num) > largest.whole
                         : std::abs(x->num) > largest.numerator || x->den > largest.denominator)) {
            found << where + QStringLiteral(": not as the bank's answer");
        }
        if (lastSolutionLine(*equation) != answer) {
            found << where + QStringLiteral(": the worked solution ends on ") +
                         lastSolutionLine(*equation);
        }
        if (seen.contains(is)) {
            found << where + QStringLiteral(": twice in the set");
        }
        seen.insert(is);
        bankOnes += bankTexts.contains(is);
    }
    if (bankOnes > static_cast<int>(bank.problems.size()) / 10) {
        found << QStringLiteral("%1: %2 problems of the bank").arg(bank.builder).arg(bankOnes);
    }
    return found;
}

TEST(FreshBank, EveryBankForManySeedsKeepsEveryRule) {
    constexpr std::uint64_t seeds = 200;
    for (const Bank* bank : catalogueBanks()) {
        QSet<QString> banksSeen;
        for (std::uint64_t seed = 1; seed <= seeds; ++seed) {
            const auto fresh = makeFreshBank(*bank, seed);
            ASSERT_TRUE(fresh) << bank->builder.toString().toStdString() << " seed " << seed;
            const QStringList found = violations(*bank, fresh->bank());
            ASSERT_TRUE(found.isEmpty()) << "seed " << seed << "\n"
                                         << found.join(u'\n').toStdString();
            QString whole;
            for (const BankProblem& p : fresh->bank().problems) {
                whole += p.question.toString() + u'\n';
            }
            banksSeen.insert(whole);
        }
        // Two seeds give two banks.
        EXPECT_EQ(banksSeen.size(), static_cast<qsizetype>(seeds))
            << bank->builder.toString().toStdString();
    }
}

// The check itself finds a wrong answer and a bank problem handed out as fresh.
TEST(FreshBank, TheCheckFindsAWrongAnswerAndTheBanksOwnProblems) {
    const auto fresh = makeFreshBank(standard3, 7);
    ASSERT_TRUE(fresh);
    std::vector<QString> questions, answers;
    for (const BankProblem& p : fresh->bank().problems) {
        questions.push_back(p.question.toString());
        answers.push_back(p.answer.toString());
    }
    std::vector<QString> wrong = answers;
    wrong[3] = wrong[3] == QStringLiteral("x=1") ? QStringLiteral("x=2") : QStringLiteral("x=1");
    EXPECT_FALSE(violations(standard3, FreshBank(standard3, questions, wrong).bank()).isEmpty());
    std::vector<QString> bankQuestions, bankAnswers;
    for (const BankProblem& p : standard3.problems) {
        bankQuestions.push_back(p.question.toString());
        bankAnswers.push_back(p.answer.toString());
    }
    EXPECT_FALSE(
        violations(standard3, FreshBank(standard3, bankQuestions, bankAnswers).bank()).isEmpty());
}

// One seed, one bank, on every machine and build: the random source is the program's own.
TEST(FreshBank, OneSeedGivesTheSameProblemsEverywhere) {
    const auto fresh = makeFreshBank(basicA, 1);
    ASSERT_TRUE(fresh);
    const auto& p = fresh->bank().problems;
    EXPECT_EQ(p[0].question, QStringLiteral("x+6=5 方程式を解いて。"));
    EXPECT_EQ(p[0].answer, QStringLiteral("x=-1"));
    EXPECT_EQ(p[22].question, QStringLiteral("x-8/9=4/9 方程式を解いて。"));
    EXPECT_EQ(p[22].answer, QStringLiteral("x=4/3"));
}

// Generation ends: with no tries left it gives up, and says so.
TEST(FreshBank, NoTriesGiveNoBank) {
    EXPECT_FALSE(makeFreshBank(basicA, 1, {.triesPerProblem = 0}));
}

} // namespace
} // namespace minamo
