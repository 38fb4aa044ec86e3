// The built-in banks checked against an exact reading of their own equations: every answer
// is substituted into both sides with the rational arithmetic of the bank checker, apart
// from any code that wrote the answers.

#include "banks/banks.h"
#include "banks/tests/bank_checker.h"
#include "catalogue/catalogue.h"
#include "core/spoken_text.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

#include <QSet>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <numeric>
#include <optional>

namespace minamo {
namespace {

using namespace bankcheck;

struct Problem {
    QString builder;
    int position;
    QString text;
    QString answer;
};

std::vector<Problem> bank(const Bank& bank) {
    const auto s = std::make_unique<DrillState>();
    fillBank(*s, bank);
    std::vector<Problem> problems;
    for (int i = 1; i <= s->bankCount; ++i) {
        problems.push_back({bank.builder.toString(), i, s->bankQuestion[i], s->bankAnswer[i]});
    }
    return problems;
}

std::vector<Problem> allProblems() {
    std::vector<Problem> all;
    for (const Bank* set : catalogueBanks()) {
        const auto problems = bank(*set);
        all.insert(all.end(), problems.begin(), problems.end());
    }
    return all;
}

const Bank& builderNamed(const QString& name) {
    for (const Bank* set : catalogueBanks()) {
        if (set->builder == name) {
            return *set;
        }
    }
    ADD_FAILURE() << "no builder " << name.toStdString();
    return *catalogueBanks().front();
}

TEST(BankChecker, ReadsTheSyntaxOfTheBanks) {
    const struct {
        const char* side;
        Rational x;
        Rational value;
    } cases[] = {
        {"x", 7, 7},
        {"-x", 7, -7},
        {"3x-5", 2, 1},
        {"1/3x", 3, 1},
        {"-3/4x", 4, -3},
        {"5x/12", 12, 5},
        {"-x/15", 15, -1},
        {"-7x/10", Rational(1, 7), Rational(-1, 10)},
        {"1/3", 9, Rational(1, 3)},
        {"-6(-x-3)", 1, 24},
        {"-(4x-7)", 1, 3},
        {"-5(-9x-2)-5(-4x+7)", 1, 40},
        {"+2/3-1/2x", 2, Rational(-1, 3)},
        {"2(3-4x)", Rational(1, 2), 2},
    };
    for (const auto& c : cases) {
        const auto value = SideReader(QString::fromUtf8(c.side), c.x).read();
        ASSERT_TRUE(value) << c.side;
        EXPECT_EQ(*value, c.value) << c.side;
    }
    for (const char* bad : {"", "x+", "3(x", "2^2", "1/0", "x*2", "(x))", "1/x"}) {
        EXPECT_FALSE(SideReader(QString::fromUtf8(bad), 1).read()) << bad;
    }
}

TEST(BankChecker, RejectsAnswersNotInTheStoredForm) {
    for (const char* good : {"x=0", "x=117", "x=-3", "x=9/4", "x=-8/3"}) {
        EXPECT_TRUE(readAnswer(QString::fromUtf8(good))) << good;
    }
    for (const char* bad : {"x=", "x=-0", "x=+2", "x=4/6", "x=2/1", "x=-2/-3", "x=5/-2", "x=02",
                            "x=1/2/3", "x= 3", "y=3", "x=-", "3", "x=1.5", "x=2/0"}) {
        EXPECT_FALSE(readAnswer(QString::fromUtf8(bad))) << bad;
    }
    // A wrong value is caught by the substitution.
    const auto off = imbalance(QStringLiteral("3/2x+2=2/3"), Rational(8, 9));
    ASSERT_TRUE(off);
    EXPECT_FALSE(*off == Rational(0));
}

TEST(Banks, EveryAnswerIsTheOneExactSolution) {
    const auto all = allProblems();
    ASSERT_FALSE(all.empty());
    for (const Problem& p : all) {
        const std::string where = p.builder.toStdString() + " " + std::to_string(p.position) + " " +
                                  p.text.toStdString() + " " + p.answer.toStdString();
        const auto equation = equationOf(p.builder, p.text);
        ASSERT_TRUE(equation) << where;
        const auto x = readAnswer(p.answer);
        ASSERT_TRUE(x) << where;
        const auto atAnswer = imbalance(*equation, *x);
        ASSERT_TRUE(atAnswer) << where;
        EXPECT_EQ(*atAnswer, Rational(0)) << where;
        // The equation is linear; a slope other than 0 makes the solution the only one.
        const auto at0 = imbalance(*equation, 0);
        const auto at1 = imbalance(*equation, 1);
        ASSERT_TRUE(at0 && at1) << where;
        EXPECT_FALSE(*at1 - *at0 == Rational(0)) << where;
    }
}

// The one place the banks' sizes are written down; every other test counts the tables.
TEST(Banks, BuildersAndTheirCountsInOrder) {
    const std::pair<const char*, int> expected[] = {
        {"fillBasicA", 50},    {"fillBasicB", 40},    {"fillStandard1", 40}, {"fillStandard2", 30},
        {"fillStandard3", 40}, {"fillStandard4", 30}, {"fillStandard5", 30}, {"fillComplex1", 20},
        {"fillComplex2", 20},  {"fillComplex3", 20},  {"fillComplex4", 20},  {"fillComplex5", 30},
        {"fillFraction1", 20}, {"fillFraction2", 20}, {"fillFraction3", 20},
    };
    const auto builders = catalogueBanks();
    ASSERT_EQ(builders.size(), std::size(expected));
    for (std::size_t i = 0; i < builders.size(); ++i) {
        EXPECT_EQ(builders[i]->builder, QString::fromUtf8(expected[i].first));
        const auto s = std::make_unique<DrillState>();
        fillBank(*s, *builders[i]);
        EXPECT_EQ(s->bankCount, expected[i].second) << expected[i].first;
    }
}

TEST(Banks, BuildersTouchOnlyPositionsOneToN) {
    const QString sentinel = QStringLiteral("kept");
    for (const Bank* set : catalogueBanks()) {
        const std::string builder = set->builder.toString().toStdString();
        const auto s = std::make_unique<DrillState>();
        s->bankQuestion.fill(sentinel);
        s->bankAnswer.fill(sentinel);
        fillBank(*s, *set);
        const int n = s->bankCount;
        EXPECT_EQ(s->bankQuestion[0], sentinel) << builder;
        EXPECT_EQ(s->bankAnswer[0], sentinel) << builder;
        for (int i = 1; i <= 1000; ++i) {
            const bool written = i <= n;
            EXPECT_EQ(s->bankQuestion[i] != sentinel, written) << builder << i;
            EXPECT_EQ(s->bankAnswer[i] != sentinel, written) << builder << i;
        }
    }
}

TEST(Banks, FirstFiveOfEachBank) {
    const struct {
        const char* builder;
        std::pair<const char*, const char*> problems[5];
    } table[] = {
        {"fillBasicA",
         {{"x+3=4 方程式を解いて。", "x=1"},
          {"3x=6 方程式を解いて。", "x=2"},
          {"x-5=2 方程式を解いて。", "x=7"},
          {"2x=-6 方程式を解いて。", "x=-3"},
          {"x-4=-2 方程式を解いて。", "x=2"}}},
        {"fillBasicB",
         {{"x+8=6", "x=-2"},
          {"3x=-24", "x=-8"},
          {"x-15=2", "x=17"},
          {"8x=-72", "x=-9"},
          {"x-12=-3", "x=9"}}},
        {"fillStandard1",
         {{"4x+2=2x 方程式を解いて。", "x=-1"},
          {"-8x+2=-6x 方程式を解いて。", "x=1"},
          {"-3x-4=-7x 方程式を解いて。", "x=1"},
          {"4x+8=-4x 方程式を解いて。", "x=-1"},
          {"-6x+2=-8x 方程式を解いて。", "x=-1"}}},
        {"fillStandard2",
         {{"9x+6=7x 方程式を解いて。", "x=-3"},
          {"-7x-1=-6x 方程式を解いて。", "x=-1"},
          {"5x+4=9x 方程式を解いて。", "x=1"},
          {"-x+3=-4x 方程式を解いて。", "x=-1"},
          {"4x+6=2x 方程式を解いて。", "x=-3"}}},
        {"fillStandard3",
         {{"-6x+4=-7x 方程式を解いて。", "x=-4"},
          {"2x-9=-7x 方程式を解いて。", "x=1"},
          {"6x-4=7x 方程式を解いて。", "x=-4"},
          {"-9x+7=-2x 方程式を解いて。", "x=1"},
          {"-x-8=-3x 方程式を解いて。", "x=4"}}},
        {"fillStandard4",
         {{"-6(-x-3)=8(x+4) 方程式を解いて。", "x=-7"},
          {"8(8x-8)=-8(x-1) 方程式を解いて。", "x=1"},
          {"7(2x+7)=7(x-7) 方程式を解いて。", "x=-14"},
          {"-3(-x-7)=-(x-5) 方程式を解いて。", "x=-4"},
          {"-(4x-7)=-5(x-8) 方程式を解いて。", "x=33"}}},
        {"fillStandard5",
         {{"-3(3x-3)=-6(x+6) 方程式を解いて。", "x=15"},
          {"-6(2x+9)=-5(x+8) 方程式を解いて。", "x=-2"},
          {"-3(-x-1)=6(x-6) 方程式を解いて。", "x=13"},
          {"-(6x-5)=-7(x-7) 方程式を解いて。", "x=44"},
          {"-8(-9x+9)=-5(x-1) 方程式を解いて。", "x=1"}}},
        {"fillComplex1",
         {{"-3(6x+2)-9x=7(-3x+6) 方程式を解いて。", "x=-8"},
          {"-5(7x+3)+7x=-5(3x+3) 方程式を解いて。", "x=0"},
          {"-3(4x+8)-8x=-4(7x+2) 方程式を解いて。", "x=2"},
          {"-3(4x-3)-4x=-5(3x+4) 方程式を解いて。", "x=29"},
          {"-2(-9x-9)-6x=-2(-7x-7) 方程式を解いて。", "x=2"}}},
        {"fillComplex2",
         {{"-6(-x-9)-6(-4x-7)=6 方程式を解いて。", "x=-3"},
          {"-2(-2x+7)-(6x+3)=-7 方程式を解いて。", "x=-5"},
          {"-3(2x+9)-8(-4x+6)=3 方程式を解いて。", "x=3"},
          {"-4(-6x+8)+9(-4x-8)=-8 方程式を解いて。", "x=-8"},
          {"-3(5x-7)+2(9x+3)=-6 方程式を解いて。", "x=-11"}}},
        {"fillComplex3",
         {{"8(-7x+6)-5(-9x+4)=4(x+7) 方程式を解いて。", "x=0"},
          {"2(8x-4)+8(-3x-9)=-9(x+5) 方程式を解いて。", "x=35"},
          {"9(8x-4)-9(7x+6)=8(x-6) 方程式を解いて。", "x=42"},
          {"-3(-3x-5)-4(3x-6)=-2(x-8) 方程式を解いて。", "x=23"},
          {"6(-7x-3)+4(-6x-9)=9(x-6) 方程式を解いて。", "x=0"}}},
        {"fillComplex4",
         {{"-2(6x-1)+2(-x+5)-5=7 方程式を解いて。", "x=0"},
          {"-8(-5x-8)-8(4x+3)-2=6 方程式を解いて。", "x=-4"},
          {"-2(8x+5)+2(3x+9)+4=2 方程式を解いて。", "x=1"},
          {"-4(-7x+7)+7(-3x+5)+6=-1 方程式を解いて。", "x=-2"},
          {"-2(-5x-7)-4(4x+8)+8=-4 方程式を解いて。", "x=-1"}}},
        {"fillComplex5",
         {{"2x-10=2(4x-5) 方程式を解いて。", "x=0"},
          {"4x-4(3x+2)=6 方程式を解いて。", "x=-7/4"},
          {"x-3-(7x-1)=8+2x 方程式を解いて。", "x=-5/4"},
          {"x+6=-3(2x+5) 方程式を解いて。", "x=-3"},
          {"2(3-4x)=2x+8 方程式を解いて。", "x=-1/5"}}},
        {"fillFraction1",
         {{"1/3x=2 方程式を解いて。", "x=6"},
          {"1/2x=-4 方程式を解いて。", "x=-8"},
          {"-1/4x=2 方程式を解いて。", "x=-8"},
          {"2/9x=0 方程式を解いて。", "x=0"},
          {"-3/4x=3 方程式を解いて。", "x=-4"}}},
        {"fillFraction2",
         {{"3/2x+2=2/3 方程式を解いて。", "x=-8/9"},
          {"8-5/6x=-2 方程式を解いて。", "x=12"},
          {"2x-5/4=1/3x 方程式を解いて。", "x=3/4"},
          {"2/3x+1=1/2x 方程式を解いて。", "x=-6"},
          {"1-1/4x=-6+1/3x 方程式を解いて。", "x=12"}}},
        {"fillFraction3",
         {{"3/5x=1/5 方程式を解いて。", "x=1/3"},
          {"-9/7x=-5/7 方程式を解いて。", "x=5/9"},
          {"8/3x=-4/3 方程式を解いて。", "x=-1/2"},
          {"1/5x=4/5 方程式を解いて。", "x=4"},
          {"-4/7x=-9/7 方程式を解いて。", "x=9/4"}}},
    };
    ASSERT_EQ(std::size(table), catalogueBanks().size());
    for (const auto& row : table) {
        const auto problems = bank(builderNamed(QString::fromUtf8(row.builder)));
        ASSERT_GE(problems.size(), 5u) << row.builder;
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(problems[i].text, QString::fromUtf8(row.problems[i].first))
                << row.builder << " " << i + 1;
            EXPECT_EQ(problems[i].answer, QString::fromUtf8(row.problems[i].second))
                << row.builder << " " << i + 1;
        }
    }
}

TEST(Banks, TextFactsTheDisplayReliesOn) {
    const auto all = allProblems();
    ASSERT_FALSE(all.empty());
    const Problem* longest = &all.front();
    int longerThan20 = 0;
    int longerThan20WithoutFraction = 0;
    qsizetype longestBare = 0;
    for (const Problem& p : all) {
        if (p.text.size() > longest->text.size()) {
            longest = &p;
        }
        if (p.text.size() > 20) {
            ++longerThan20;
            if (!p.text.contains(u'/')) {
                ++longerThan20WithoutFraction;
            }
        }
        if (p.builder == QStringLiteral("fillBasicB")) {
            longestBare = std::max(longestBare, p.text.size());
        }
        for (const QString& forbidden :
             {QStringLiteral("^"), QStringLiteral("√"), QStringLiteral("×"), QStringLiteral("÷"),
              QStringLiteral(".")}) {
            EXPECT_FALSE(p.text.contains(forbidden)) << p.text.toStdString();
            EXPECT_FALSE(p.answer.contains(forbidden)) << p.answer.toStdString();
        }
    }
    EXPECT_EQ(longest->text.size(), 35);
    EXPECT_EQ(longest->builder, QStringLiteral("fillComplex3"));
    EXPECT_EQ(longest->position, 12);
    EXPECT_EQ(longest->text, QStringLiteral("-5(-9x-2)-5(-4x+7)=-5(x-9) 方程式を解いて。"));
    EXPECT_EQ(longerThan20, 189);
    EXPECT_EQ(longerThan20WithoutFraction, 168);
    EXPECT_EQ(longestBare, 10);
}

TEST(Banks, SharedAndRepeatedProblems) {
    const auto basicA = bank(builderNamed(QStringLiteral("fillBasicA")));
    const auto basicB = bank(builderNamed(QStringLiteral("fillBasicB")));
    QSet<int> shared{23, 26, 27};
    for (int i = 29; i <= 40; ++i) {
        shared.insert(i);
    }
    for (int i = 20; i <= 40; ++i) {
        const QString equationA = basicA[i - 1].text.chopped(instruction.size());
        EXPECT_EQ(basicB[i - 1].text == equationA, shared.contains(i)) << i;
        if (shared.contains(i)) {
            EXPECT_EQ(basicB[i - 1].answer, basicA[i - 1].answer) << i;
        }
    }
    // Repeats stay in the bank; the drill asks both.
    EXPECT_EQ(basicB[5].text, basicB[13].text);
    const auto complex5 = bank(builderNamed(QStringLiteral("fillComplex5")));
    EXPECT_EQ(complex5[14].text, complex5[29].text);
    EXPECT_EQ(complex5[14].answer, complex5[29].answer);
}

// Every problem and answer of the banks: no "/" is left, each became one "分の", and no
// character was lost or added, only moved.
TEST(Banks, SpokenFormOfEveryTextKeepsItsCharacters) {
    const QString word = QStringLiteral("分の");
    auto sorted = [](QString text) {
        std::sort(text.begin(), text.end());
        return text;
    };
    std::size_t texts = 0;
    for (const Bank* bank : catalogueBanks()) {
        for (const BankProblem& problem : bank->problems) {
            for (const QString& written :
                 {problem.question.toString(), problem.answer.toString()}) {
                const QString spoken = spokenForm(written);
                EXPECT_FALSE(spoken.contains(u'/')) << written.toStdString();
                EXPECT_EQ(spoken.count(word), written.count(u'/')) << written.toStdString();
                EXPECT_EQ(sorted(QString(spoken).remove(word)),
                          sorted(QString(written).remove(u'/')))
                    << written.toStdString();
                ++texts;
            }
        }
    }
    EXPECT_EQ(texts, 2 * allProblems().size());
}

} // namespace
} // namespace minamo
