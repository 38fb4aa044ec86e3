#include "algebra/expression_terms.h"

#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

QStringList termsOf(const DrillState& s) {
    QStringList terms;
    for (int k = 1; k <= s.expressionTermCount; ++k) {
        terms << s.expressionTerms[k];
    }
    return terms;
}

TEST(ExpressionTerms, EveryTermKeepsItsSign) {
    struct Case {
        const char* text;
        const char* rewritten;
        QStringList terms;
    };
    const Case cases[] = {
        {"3/4-1", "+3/4-1", {"+3/4", "-1"}},
        {"-2/3", "-2/3", {"-2/3"}},
        {"5", "+5", {"+5"}},
        {"", "+", {"+"}},
        {"  3/4 ", "+3/4", {"+3/4"}},
        {"1=2", "+1=2", {"+1", "=2"}},
        {"=2", "+=2", {"+", "=2"}},
        {"+/3", "+/3", {"+/3"}},
        {"8/3+", "+8/3+", {"+8/3", "+"}},
        {"2/3++5/4", "+2/3++5/4", {"+2/3", "+", "+5/4"}},
        {"x-1/3=1/3", "+x-1/3=1/3", {"+x", "-1/3", "=1/3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        DrillState s;
        s.answerLayoutText = QString::fromUtf8(c.text);
        splitExpressionTerms(s);
        EXPECT_EQ(s.answerLayoutText, QString::fromUtf8(c.rewritten));
        EXPECT_EQ(termsOf(s), c.terms);
    }
}

TEST(ExpressionTerms, TermsOfAnEarlierTextAreForgotten) {
    DrillState s;
    s.answerLayoutText = QStringLiteral("1+2+3+4");
    splitExpressionTerms(s);
    s.answerLayoutText = QStringLiteral("7");
    splitExpressionTerms(s);
    EXPECT_EQ(s.expressionTermCount, 1);
    for (int k = 2; k <= 5; ++k) {
        EXPECT_EQ(s.expressionTerms[k], QString()) << k;
    }
}

TEST(ExpressionTerms, SurplusSignsStayInTheFifthTerm) {
    const auto violations = rangeViolations();
    DrillState s;
    s.answerLayoutText = QStringLiteral("1+2-3=4+5-6+7-8=9+10-11");
    splitExpressionTerms(s);
    EXPECT_EQ(s.expressionTermCount, 5);
    EXPECT_EQ(termsOf(s), (QStringList{"+1", "+2", "-3", "=4", "+5-6+7-8=9+10-11"}));
    s.answerLayoutText = QString(40, u'-');
    splitExpressionTerms(s);
    EXPECT_EQ(s.expressionTermCount, 5);
    EXPECT_EQ(s.expressionTerms[5], QString(36, u'-'));
    EXPECT_EQ(rangeViolations(), violations);
}

} // namespace
} // namespace minamo
