// The exact solver's ratio equations, by their own product rule, and the bracket forms the
// word problems write: a table of texts with x in each place, terms whole and fractional.

#include "fresh/exact_solver.h"

#include <QString>
#include <gtest/gtest.h>

namespace minamo {
namespace {

struct Row {
    const char* text;
    Rational x;
};

const Row ratioRows[] = {
    {"x:12=3:4", {9, 1}},          {"6:x=3:5", {10, 1}},
    {"2:5=x:15", {6, 1}},          {"3:4=9:x", {12, 1}},
    {"2/3:x=4:9", {3, 2}},         {"x:3/4=2:5", {3, 10}},
    {"5:2=x:4/5", {2, 1}},         {"1/2:1/3=3/4:x", {1, 2}},
    {"x:(2400-x)=5:3", {1500, 1}}, {"(1200-x):(800-x)=2:1", {400, 1}},
    {"300:(200+x)=3:4", {200, 1}},
};

TEST(ExactSolver, RatioEquationsByTheProductRule) {
    for (const Row& row : ratioRows) {
        const auto solved = solveRatio(QString::fromUtf8(row.text));
        ASSERT_TRUE(solved) << row.text;
        EXPECT_EQ(solved->kind, LinearSolution::Kind::One) << row.text;
        EXPECT_EQ(solved->x, row.x) << row.text;
        // A ratio is not an equation of the banks' syntax.
        EXPECT_FALSE(solveLinear(QString::fromUtf8(row.text))) << row.text;
    }
}

TEST(ExactSolver, WhatIsNoLinearRatioEquationGivesNothing) {
    for (const char* text : {"x:3=2:x", "x:12=3", "x:12:3=4", "x+1=2", "x:2/0=1:2"}) {
        EXPECT_FALSE(solveRatio(QString::fromUtf8(text))) << text;
    }
    EXPECT_EQ(solveRatio(QStringLiteral("x:2=x:2"))->kind, LinearSolution::Kind::Every);
}

TEST(ExactSolver, BracketsOverANumberAndFractionsBeforeOne) {
    const Row rows[] = {{"x/60+(1800-x)/150=18", {600, 1}},
                        {"12x/60=4(x+30)/60", {15, 1}},
                        {"1/10x-1/20(500-x)=10", {700, 3}},
                        {"-(x-3)/2=1", {1, 1}}};
    for (const Row& row : rows) {
        const auto solved = solveLinear(QString::fromUtf8(row.text));
        ASSERT_TRUE(solved) << row.text;
        EXPECT_EQ(solved->x, row.x) << row.text;
    }
}

} // namespace
} // namespace minamo
