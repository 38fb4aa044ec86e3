// The fraction sets: fraction coefficients and constants.
// Each table holds its problems in order of difficulty (the drill asks them group of
// ten by group of ten), exactly as the pupil reads them; nothing is computed.

#include "banks/banks.h"

namespace minamo {

// Set 分数 基本1: fraction coefficients, a/bx=c and a/bx+c=d.
// clang-format off
const BankProblem fraction1Problems[] = {
    {u"1/3x=2 方程式を解いて。", u"x=6"},
    {u"1/2x=-4 方程式を解いて。", u"x=-8"},
    {u"-1/4x=2 方程式を解いて。", u"x=-8"},
    {u"2/9x=0 方程式を解いて。", u"x=0"},
    {u"-3/4x=3 方程式を解いて。", u"x=-4"},
    {u"2/3x=3 方程式を解いて。", u"x=9/2"},
    {u"3/4x=-2 方程式を解いて。", u"x=-8/3"},
    {u"-5/6x=-1/3 方程式を解いて。", u"x=2/5"},
    {u"1/3x+5=7 方程式を解いて。", u"x=6"},
    {u"1/2x-3=4 方程式を解いて。", u"x=14"},
    {u"2/3x-2=-4 方程式を解いて。", u"x=-3"},
    {u"-3/4x+1=-1/2 方程式を解いて。", u"x=2"},
    {u"8-5/6x=-2 方程式を解いて。", u"x=12"},
    {u"1/3-2/3x=1/2 方程式を解いて。", u"x=-1/4"},
    {u"2/5x-4=-2 方程式を解いて。", u"x=5"},
    {u"6-3/4x=5 方程式を解いて。", u"x=4/3"},
    {u"-2/5x+7=-9 方程式を解いて。", u"x=40"},
    {u"3+2/3x=-5 方程式を解いて。", u"x=-12"},
    {u"5/6x-1/2=1/3x 方程式を解いて。", u"x=1"},
    {u"1-2/3x=5/6 方程式を解いて。", u"x=1/4"},
};
// clang-format on
const Bank fraction1{.builder = u"fillFraction1", .problems = fraction1Problems};

// Set 分数 基本2: fraction coefficients on both sides; 19 and 20 have x in a numerator.
// clang-format off
const BankProblem fraction2Problems[] = {
    {u"3/2x+2=2/3 方程式を解いて。", u"x=-8/9"},
    {u"8-5/6x=-2 方程式を解いて。", u"x=12"},
    {u"2x-5/4=1/3x 方程式を解いて。", u"x=3/4"},
    {u"2/3x+1=1/2x 方程式を解いて。", u"x=-6"},
    {u"1-1/4x=-6+1/3x 方程式を解いて。", u"x=12"},
    {u"1/6x-4=7/2+8/3x 方程式を解いて。", u"x=-3"},
    {u"3/4x-1/2=1/4x 方程式を解いて。", u"x=1"},
    {u"2/5=1/2x+1/2 方程式を解いて。", u"x=-1/5"},
    {u"1/6x+3/4=1/2x 方程式を解いて。", u"x=9/4"},
    {u"2/3x+4/5=2/3-2/5x 方程式を解いて。", u"x=-1/8"},
    {u"5/6-3/4x=+2/3-1/2x 方程式を解いて。", u"x=2/3"},
    {u"-1/2+3/4x=1/2x-5/8 方程式を解いて。", u"x=-1/2"},
    {u"3/4x+3=2x+1/2 方程式を解いて。", u"x=2"},
    {u"1-1/3x=2x-3/4 方程式を解いて。", u"x=3/4"},
    {u"2/3-3/5x=1-x 方程式を解いて。", u"x=5/6"},
    {u"-1+1/4x=x-3/2 方程式を解いて。", u"x=2/3"},
    {u"1/2x+2/3=1/6x 方程式を解いて。", u"x=-2"},
    {u"1-2x=4/5x+3/10 方程式を解いて。", u"x=1/4"},
    {u"5x/12-3/8=5x/8-1 方程式を解いて。", u"x=3"},
    {u"-x/15-1/12=-x+1/2 方程式を解いて。", u"x=5/8"},
};
// clang-format on
const Bank fraction2{.builder = u"fillFraction2", .problems = fraction2Problems};

// Set 分数 基本3: a/bx=c/d and similar, mostly fractional answers.
// clang-format off
const BankProblem fraction3Problems[] = {
    {u"3/5x=1/5 方程式を解いて。", u"x=1/3"},
    {u"-9/7x=-5/7 方程式を解いて。", u"x=5/9"},
    {u"8/3x=-4/3 方程式を解いて。", u"x=-1/2"},
    {u"1/5x=4/5 方程式を解いて。", u"x=4"},
    {u"-4/7x=-9/7 方程式を解いて。", u"x=9/4"},
    {u"5/6x=5/6 方程式を解いて。", u"x=1"},
    {u"-3/2x=-5/6 方程式を解いて。", u"x=5/9"},
    {u"1/2x=-1/12 方程式を解いて。", u"x=-1/6"},
    {u"1/6x=2/3 方程式を解いて。", u"x=4"},
    {u"-1/3x=-3/4 方程式を解いて。", u"x=9/4"},
    {u"-7x/10=1/2 方程式を解いて。", u"x=-5/7"},
    {u"1/2x=-3/5 方程式を解いて。", u"x=-6/5"},
    {u"-7/3x=-2 方程式を解いて。", u"x=6/7"},
    {u"-1/5x=-1 方程式を解いて。", u"x=5"},
    {u"-2/5x=1 方程式を解いて。", u"x=-5/2"},
    {u"15/2x=-3 方程式を解いて。", u"x=-2/5"},
    {u"-2/3x=0 方程式を解いて。", u"x=0"},
    {u"3/2x=2 方程式を解いて。", u"x=4/3"},
    {u"3/7x-2/7=-1/7 方程式を解いて。", u"x=1/3"},
    {u"24/3x+5/3=1/3 方程式を解いて。", u"x=-1/6"},
};
// clang-format on
const Bank fraction3{.builder = u"fillFraction3", .problems = fraction3Problems};

} // namespace minamo
