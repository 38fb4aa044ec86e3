// The fraction sets: fraction coefficients and constants.
// Each builder writes its problems in order of difficulty (the drill asks them group of
// ten by group of ten) and never computes anything: the texts are the data.

#include "banks/banks.h"

namespace minamo {

// Set 分数 基本1: fraction coefficients, a/bx=c and a/bx+c=d.
void fillFraction1(DrillState& s) {
    s.bankQuestion[1] = QStringLiteral("1/3x=2 方程式を解いて。");
    s.bankAnswer[1] = QStringLiteral("x=6");
    s.bankQuestion[2] = QStringLiteral("1/2x=-4 方程式を解いて。");
    s.bankAnswer[2] = QStringLiteral("x=-8");
    s.bankQuestion[3] = QStringLiteral("-1/4x=2 方程式を解いて。");
    s.bankAnswer[3] = QStringLiteral("x=-8");
    s.bankQuestion[4] = QStringLiteral("2/9x=0 方程式を解いて。");
    s.bankAnswer[4] = QStringLiteral("x=0");
    s.bankQuestion[5] = QStringLiteral("-3/4x=3 方程式を解いて。");
    s.bankAnswer[5] = QStringLiteral("x=-4");
    s.bankQuestion[6] = QStringLiteral("2/3x=3 方程式を解いて。");
    s.bankAnswer[6] = QStringLiteral("x=9/2");
    s.bankQuestion[7] = QStringLiteral("3/4x=-2 方程式を解いて。");
    s.bankAnswer[7] = QStringLiteral("x=-8/3");
    s.bankQuestion[8] = QStringLiteral("-5/6x=-1/3 方程式を解いて。");
    s.bankAnswer[8] = QStringLiteral("x=2/5");
    s.bankQuestion[9] = QStringLiteral("1/3x+5=7 方程式を解いて。");
    s.bankAnswer[9] = QStringLiteral("x=6");
    s.bankQuestion[10] = QStringLiteral("1/2x-3=4 方程式を解いて。");
    s.bankAnswer[10] = QStringLiteral("x=14");
    s.bankQuestion[11] = QStringLiteral("2/3x-2=-4 方程式を解いて。");
    s.bankAnswer[11] = QStringLiteral("x=-3");
    s.bankQuestion[12] = QStringLiteral("-3/4x+1=-1/2 方程式を解いて。");
    s.bankAnswer[12] = QStringLiteral("x=2");
    s.bankQuestion[13] = QStringLiteral("8-5/6x=-2 方程式を解いて。");
    s.bankAnswer[13] = QStringLiteral("x=12");
    s.bankQuestion[14] = QStringLiteral("1/3-2/3x=1/2 方程式を解いて。");
    s.bankAnswer[14] = QStringLiteral("x=-1/4");
    s.bankQuestion[15] = QStringLiteral("2/5x-4=-2 方程式を解いて。");
    s.bankAnswer[15] = QStringLiteral("x=5");
    s.bankQuestion[16] = QStringLiteral("6-3/4x=5 方程式を解いて。");
    s.bankAnswer[16] = QStringLiteral("x=4/3");
    s.bankQuestion[17] = QStringLiteral("-2/5x+7=-9 方程式を解いて。");
    s.bankAnswer[17] = QStringLiteral("x=40");
    s.bankQuestion[18] = QStringLiteral("3+2/3x=-5 方程式を解いて。");
    s.bankAnswer[18] = QStringLiteral("x=-12");
    s.bankQuestion[19] = QStringLiteral("5/6x-1/2=1/3x 方程式を解いて。");
    s.bankAnswer[19] = QStringLiteral("x=1");
    s.bankQuestion[20] = QStringLiteral("1-2/3x=5/6 方程式を解いて。");
    s.bankAnswer[20] = QStringLiteral("x=1/4");
    s.bankCount = 20;
}

// Set 分数 基本2: fraction coefficients on both sides; 19 and 20 have x in a numerator.
void fillFraction2(DrillState& s) {
    s.bankQuestion[1] = QStringLiteral("3/2x+2=2/3 方程式を解いて。");
    s.bankAnswer[1] = QStringLiteral("x=-8/9");
    s.bankQuestion[2] = QStringLiteral("8-5/6x=-2 方程式を解いて。");
    s.bankAnswer[2] = QStringLiteral("x=12");
    s.bankQuestion[3] = QStringLiteral("2x-5/4=1/3x 方程式を解いて。");
    s.bankAnswer[3] = QStringLiteral("x=3/4");
    s.bankQuestion[4] = QStringLiteral("2/3x+1=1/2x 方程式を解いて。");
    s.bankAnswer[4] = QStringLiteral("x=-6");
    s.bankQuestion[5] = QStringLiteral("1-1/4x=-6+1/3x 方程式を解いて。");
    s.bankAnswer[5] = QStringLiteral("x=12");
    s.bankQuestion[6] = QStringLiteral("1/6x-4=7/2+8/3x 方程式を解いて。");
    s.bankAnswer[6] = QStringLiteral("x=-3");
    s.bankQuestion[7] = QStringLiteral("3/4x-1/2=1/4x 方程式を解いて。");
    s.bankAnswer[7] = QStringLiteral("x=1");
    s.bankQuestion[8] = QStringLiteral("2/5=1/2x+1/2 方程式を解いて。");
    s.bankAnswer[8] = QStringLiteral("x=-1/5");
    s.bankQuestion[9] = QStringLiteral("1/6x+3/4=1/2x 方程式を解いて。");
    s.bankAnswer[9] = QStringLiteral("x=9/4");
    s.bankQuestion[10] = QStringLiteral("2/3x+4/5=2/3-2/5x 方程式を解いて。");
    s.bankAnswer[10] = QStringLiteral("x=-1/8");
    s.bankQuestion[11] = QStringLiteral("5/6-3/4x=+2/3-1/2x 方程式を解いて。");
    s.bankAnswer[11] = QStringLiteral("x=2/3");
    s.bankQuestion[12] = QStringLiteral("-1/2+3/4x=1/2x-5/8 方程式を解いて。");
    s.bankAnswer[12] = QStringLiteral("x=-1/2");
    s.bankQuestion[13] = QStringLiteral("3/4x+3=2x+1/2 方程式を解いて。");
    s.bankAnswer[13] = QStringLiteral("x=2");
    s.bankQuestion[14] = QStringLiteral("1-1/3x=2x-3/4 方程式を解いて。");
    s.bankAnswer[14] = QStringLiteral("x=3/4");
    s.bankQuestion[15] = QStringLiteral("2/3-3/5x=1-x 方程式を解いて。");
    s.bankAnswer[15] = QStringLiteral("x=5/6");
    s.bankQuestion[16] = QStringLiteral("-1+1/4x=x-3/2 方程式を解いて。");
    s.bankAnswer[16] = QStringLiteral("x=2/3");
    s.bankQuestion[17] = QStringLiteral("1/2x+2/3=1/6x 方程式を解いて。");
    s.bankAnswer[17] = QStringLiteral("x=-2");
    s.bankQuestion[18] = QStringLiteral("1-2x=4/5x+3/10 方程式を解いて。");
    s.bankAnswer[18] = QStringLiteral("x=1/4");
    s.bankQuestion[19] = QStringLiteral("5x/12-3/8=5x/8-1 方程式を解いて。");
    s.bankAnswer[19] = QStringLiteral("x=3");
    s.bankQuestion[20] = QStringLiteral("-x/15-1/12=-x+1/2 方程式を解いて。");
    s.bankAnswer[20] = QStringLiteral("x=5/8");
    s.bankCount = 20;
}

// Set 分数 基本3: a/bx=c/d and similar, mostly fractional answers.
void fillFraction3(DrillState& s) {
    s.bankQuestion[1] = QStringLiteral("3/5x=1/5 方程式を解いて。");
    s.bankAnswer[1] = QStringLiteral("x=1/3");
    s.bankQuestion[2] = QStringLiteral("-9/7x=-5/7 方程式を解いて。");
    s.bankAnswer[2] = QStringLiteral("x=5/9");
    s.bankQuestion[3] = QStringLiteral("8/3x=-4/3 方程式を解いて。");
    s.bankAnswer[3] = QStringLiteral("x=-1/2");
    s.bankQuestion[4] = QStringLiteral("1/5x=4/5 方程式を解いて。");
    s.bankAnswer[4] = QStringLiteral("x=4");
    s.bankQuestion[5] = QStringLiteral("-4/7x=-9/7 方程式を解いて。");
    s.bankAnswer[5] = QStringLiteral("x=9/4");
    s.bankQuestion[6] = QStringLiteral("5/6x=5/6 方程式を解いて。");
    s.bankAnswer[6] = QStringLiteral("x=1");
    s.bankQuestion[7] = QStringLiteral("-3/2x=-5/6 方程式を解いて。");
    s.bankAnswer[7] = QStringLiteral("x=5/9");
    s.bankQuestion[8] = QStringLiteral("1/2x=-1/12 方程式を解いて。");
    s.bankAnswer[8] = QStringLiteral("x=-1/6");
    s.bankQuestion[9] = QStringLiteral("1/6x=2/3 方程式を解いて。");
    s.bankAnswer[9] = QStringLiteral("x=4");
    s.bankQuestion[10] = QStringLiteral("-1/3x=-3/4 方程式を解いて。");
    s.bankAnswer[10] = QStringLiteral("x=9/4");
    s.bankQuestion[11] = QStringLiteral("-7x/10=1/2 方程式を解いて。");
    s.bankAnswer[11] = QStringLiteral("x=-5/7");
    s.bankQuestion[12] = QStringLiteral("1/2x=-3/5 方程式を解いて。");
    s.bankAnswer[12] = QStringLiteral("x=-6/5");
    s.bankQuestion[13] = QStringLiteral("-7/3x=-2 方程式を解いて。");
    s.bankAnswer[13] = QStringLiteral("x=6/7");
    s.bankQuestion[14] = QStringLiteral("-1/5x=-1 方程式を解いて。");
    s.bankAnswer[14] = QStringLiteral("x=5");
    s.bankQuestion[15] = QStringLiteral("-2/5x=1 方程式を解いて。");
    s.bankAnswer[15] = QStringLiteral("x=-5/2");
    s.bankQuestion[16] = QStringLiteral("15/2x=-3 方程式を解いて。");
    s.bankAnswer[16] = QStringLiteral("x=-2/5");
    s.bankQuestion[17] = QStringLiteral("-2/3x=0 方程式を解いて。");
    s.bankAnswer[17] = QStringLiteral("x=0");
    s.bankQuestion[18] = QStringLiteral("3/2x=2 方程式を解いて。");
    s.bankAnswer[18] = QStringLiteral("x=4/3");
    s.bankQuestion[19] = QStringLiteral("3/7x-2/7=-1/7 方程式を解いて。");
    s.bankAnswer[19] = QStringLiteral("x=1/3");
    s.bankQuestion[20] = QStringLiteral("24/3x+5/3=1/3 方程式を解いて。");
    s.bankAnswer[20] = QStringLiteral("x=-1/6");
    s.bankCount = 20;
}

} // namespace minamo
