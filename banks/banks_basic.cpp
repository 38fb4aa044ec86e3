// The basic sets: one- and two-step equations.
// Each table holds its problems in order of difficulty (the drill asks them group of
// ten by group of ten), exactly as the pupil reads them; nothing is computed.

#include "banks/banks.h"

namespace minamo {

// Sets 基本１ and 基本3: 1-19 one-step integer equations; 20-50 fraction constants,
// fraction answers and two-step equations.
// clang-format off
const BankProblem basicAProblems[] = {
    {u"x+3=4 方程式を解いて。", u"x=1"},
    {u"3x=6 方程式を解いて。", u"x=2"},
    {u"x-5=2 方程式を解いて。", u"x=7"},
    {u"2x=-6 方程式を解いて。", u"x=-3"},
    {u"x-4=-2 方程式を解いて。", u"x=2"},
    {u"-4x=8 方程式を解いて。", u"x=-2"},
    {u"x+2=-4 方程式を解いて。", u"x=-6"},
    {u"-2x=-10 方程式を解いて。", u"x=5"},
    {u"x+8=2 方程式を解いて。", u"x=-6"},
    {u"4x=-12 方程式を解いて。", u"x=-3"},
    {u"x+9=-2 方程式を解いて。", u"x=-11"},
    {u"7x=-21 方程式を解いて。", u"x=-3"},
    {u"x-3=-11 方程式を解いて。", u"x=-8"},
    {u"-5x=-35 方程式を解いて。", u"x=7"},
    {u"x+4=-4 方程式を解いて。", u"x=-8"},
    {u"8x=-32 方程式を解いて。", u"x=-4"},
    {u"x-5=-5 方程式を解いて。", u"x=0"},
    {u"-9x=45 方程式を解いて。", u"x=-5"},
    {u"x+4=4 方程式を解いて。", u"x=0"},
    {u"-3x=-2 方程式を解いて。", u"x=2/3"},
    {u"x+1=3/2 方程式を解いて。", u"x=1/2"},
    {u"2x=-5 方程式を解いて。", u"x=-5/2"},
    {u"x-1/3=1/3 方程式を解いて。", u"x=2/3"},
    {u"-3x=-7 方程式を解いて。", u"x=7/3"},
    {u"x-2/3=2/3 方程式を解いて。", u"x=4/3"},
    {u"2x+1=5 方程式を解いて。", u"x=2"},
    {u"x-3/2=-3/2 方程式を解いて。", u"x=0"},
    {u"2x-3=5 方程式を解いて。", u"x=4"},
    {u"x-1/2=3/2 方程式を解いて。", u"x=2"},
    {u"3x-1=11 方程式を解いて。", u"x=4"},
    {u"x+5/2=-1/2 方程式を解いて。", u"x=-3"},
    {u"-3x-5=10 方程式を解いて。", u"x=-5"},
    {u"x-3/5=2/5 方程式を解いて。", u"x=1"},
    {u"4x-1=11 方程式を解いて。", u"x=3"},
    {u"x-3/2=3/2 方程式を解いて。", u"x=3"},
    {u"-5x-2=13 方程式を解いて。", u"x=-3"},
    {u"x+2/3=-5/3 方程式を解いて。", u"x=-7/3"},
    {u"2x-2=-2 方程式を解いて。", u"x=0"},
    {u"x+3/2=-5/2 方程式を解いて。", u"x=-4"},
    {u"5x+3=3 方程式を解いて。", u"x=0"},
    {u"x-1=1/2 方程式を解いて。", u"x=3/2"},
    {u"-x+2=4 方程式を解いて。", u"x=-2"},
    {u"x+1=1/2 方程式を解いて。", u"x=-1/2"},
    {u"-x-2=3 方程式を解いて。", u"x=-5"},
    {u"x+1/2=2 方程式を解いて。", u"x=3/2"},
    {u"-x=2 方程式を解いて。", u"x=-2"},
    {u"x-1/2=-2 方程式を解いて。", u"x=-3/2"},
    {u"-x=-3 方程式を解いて。", u"x=3"},
    {u"x-2/3=2 方程式を解いて。", u"x=8/3"},
    {u"-x=0 方程式を解いて。", u"x=0"},
};
// clang-format on
const Bank basicA{.builder = u"fillBasicA", .problems = basicAProblems};

// Set 基本2, bare equations without the instruction: 1-19 one-step integer equations with
// larger numbers; 20-40 fraction and two-step equations.
// clang-format off
const BankProblem basicBProblems[] = {
    {u"x+8=6", u"x=-2"},
    {u"3x=-24", u"x=-8"},
    {u"x-15=2", u"x=17"},
    {u"8x=-72", u"x=-9"},
    {u"x-12=-3", u"x=9"},
    {u"-5x=35", u"x=-7"},
    {u"x+7=-13", u"x=-20"},
    {u"-11x=-33", u"x=3"},
    {u"x+8=-15", u"x=-23"},
    {u"8x=-56", u"x=-7"},
    {u"x+9=5", u"x=-4"},
    {u"-7x=-21", u"x=3"},
    {u"x-13=-11", u"x=2"},
    {u"-5x=35", u"x=-7"},
    {u"x+8=-8", u"x=-16"},
    {u"-8x=-32", u"x=4"},
    {u"x-15=-15", u"x=0"},
    {u"-9x=72", u"x=-8"},
    {u"x+40=4", u"x=-36"},
    {u"3x=-2", u"x=-2/3"},
    {u"x+1=5/2", u"x=3/2"},
    {u"4x=-10", u"x=-5/2"},
    {u"x-1/3=1/3", u"x=2/3"},
    {u"-6x=-27", u"x=9/2"},
    {u"x-2/3=5/3", u"x=7/3"},
    {u"2x+1=5", u"x=2"},
    {u"x-3/2=-3/2", u"x=0"},
    {u"x-13=15", u"x=28"},
    {u"x-1/2=3/2", u"x=2"},
    {u"3x-1=11", u"x=4"},
    {u"x+5/2=-1/2", u"x=-3"},
    {u"-3x-5=10", u"x=-5"},
    {u"x-3/5=2/5", u"x=1"},
    {u"4x-1=11", u"x=3"},
    {u"x-3/2=3/2", u"x=3"},
    {u"-5x-2=13", u"x=-3"},
    {u"x+2/3=-5/3", u"x=-7/3"},
    {u"2x-2=-2", u"x=0"},
    {u"x+3/2=-5/2", u"x=-4"},
    {u"5x+3=3", u"x=0"},
};
// clang-format on
const Bank basicB{.builder = u"fillBasicB", .problems = basicBProblems};

} // namespace minamo
