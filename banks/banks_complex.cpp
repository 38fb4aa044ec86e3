// The complex sets: several brackets.
// Each builder writes its problems in order of difficulty (the drill asks them group of
// ten by group of ten) and never computes anything: the texts are the data.

#include "banks/banks.h"

namespace minamo {

// Set その1: k(ax+b)+cx=m(dx+e).
void fillComplex1(DrillState& s) {
    s.bankQuestion[1] = QStringLiteral("-3(6x+2)-9x=7(-3x+6) 方程式を解いて。");
    s.bankAnswer[1] = QStringLiteral("x=-8");
    s.bankQuestion[2] = QStringLiteral("-5(7x+3)+7x=-5(3x+3) 方程式を解いて。");
    s.bankAnswer[2] = QStringLiteral("x=0");
    s.bankQuestion[3] = QStringLiteral("-3(4x+8)-8x=-4(7x+2) 方程式を解いて。");
    s.bankAnswer[3] = QStringLiteral("x=2");
    s.bankQuestion[4] = QStringLiteral("-3(4x-3)-4x=-5(3x+4) 方程式を解いて。");
    s.bankAnswer[4] = QStringLiteral("x=29");
    s.bankQuestion[5] = QStringLiteral("-2(-9x-9)-6x=-2(-7x-7) 方程式を解いて。");
    s.bankAnswer[5] = QStringLiteral("x=2");
    s.bankQuestion[6] = QStringLiteral("5(9x+8)+7x=6(8x+8) 方程式を解いて。");
    s.bankAnswer[6] = QStringLiteral("x=2");
    s.bankQuestion[7] = QStringLiteral("-4(6x-4)-6x=-4(7x+8) 方程式を解いて。");
    s.bankAnswer[7] = QStringLiteral("x=24");
    s.bankQuestion[8] = QStringLiteral("-7(3x-8)+7x=-4(2x-2) 方程式を解いて。");
    s.bankAnswer[8] = QStringLiteral("x=8");
    s.bankQuestion[9] = QStringLiteral("2(8x+3)-7x=-5(-2x-9) 方程式を解いて。");
    s.bankAnswer[9] = QStringLiteral("x=-39");
    s.bankQuestion[10] = QStringLiteral("4(-2x-4)-8x=-6(-8x-8) 方程式を解いて。");
    s.bankAnswer[10] = QStringLiteral("x=-1");
    s.bankQuestion[11] = QStringLiteral("-8(5x+3)+2x=-8(6x+3) 方程式を解いて。");
    s.bankAnswer[11] = QStringLiteral("x=0");
    s.bankQuestion[12] = QStringLiteral("-7(3x+8)+2x=5(-7x-8) 方程式を解いて。");
    s.bankAnswer[12] = QStringLiteral("x=1");
    s.bankQuestion[13] = QStringLiteral("3(4x+7)-4x=-7(-8x-3) 方程式を解いて。");
    s.bankAnswer[13] = QStringLiteral("x=0");
    s.bankQuestion[14] = QStringLiteral("3(-6x+2)-x=2(-8x+6) 方程式を解いて。");
    s.bankAnswer[14] = QStringLiteral("x=-2");
    s.bankQuestion[15] = QStringLiteral("-5(4x-4)+4x=3(-5x-2) 方程式を解いて。");
    s.bankAnswer[15] = QStringLiteral("x=26");
    s.bankQuestion[16] = QStringLiteral("7(-2x-3)-7x=-7(5x+3) 方程式を解いて。");
    s.bankAnswer[16] = QStringLiteral("x=0");
    s.bankQuestion[17] = QStringLiteral("-7(6x+7)+5x=4(-9x+5) 方程式を解いて。");
    s.bankAnswer[17] = QStringLiteral("x=-69");
    s.bankQuestion[18] = QStringLiteral("-6(2x-9)-x=3(-5x+4) 方程式を解いて。");
    s.bankAnswer[18] = QStringLiteral("x=-21");
    s.bankQuestion[19] = QStringLiteral("-9(-2x+4)-x=4(6x-2) 方程式を解いて。");
    s.bankAnswer[19] = QStringLiteral("x=-4");
    s.bankQuestion[20] = QStringLiteral("3(-8x-9)+5x=-3(4x-5) 方程式を解いて。");
    s.bankAnswer[20] = QStringLiteral("x=-6");
    s.bankCount = 20;
}

// Set その2: two brackets on the left, a constant on the right.
void fillComplex2(DrillState& s) {
    s.bankQuestion[1] = QStringLiteral("-6(-x-9)-6(-4x-7)=6 方程式を解いて。");
    s.bankAnswer[1] = QStringLiteral("x=-3");
    s.bankQuestion[2] = QStringLiteral("-2(-2x+7)-(6x+3)=-7 方程式を解いて。");
    s.bankAnswer[2] = QStringLiteral("x=-5");
    s.bankQuestion[3] = QStringLiteral("-3(2x+9)-8(-4x+6)=3 方程式を解いて。");
    s.bankAnswer[3] = QStringLiteral("x=3");
    s.bankQuestion[4] = QStringLiteral("-4(-6x+8)+9(-4x-8)=-8 方程式を解いて。");
    s.bankAnswer[4] = QStringLiteral("x=-8");
    s.bankQuestion[5] = QStringLiteral("-3(5x-7)+2(9x+3)=-6 方程式を解いて。");
    s.bankAnswer[5] = QStringLiteral("x=-11");
    s.bankQuestion[6] = QStringLiteral("-4(-4x+5)+6(-3x-1)=2 方程式を解いて。");
    s.bankAnswer[6] = QStringLiteral("x=-14");
    s.bankQuestion[7] = QStringLiteral("-4(3x-4)+3(9x+2)=7 方程式を解いて。");
    s.bankAnswer[7] = QStringLiteral("x=-1");
    s.bankQuestion[8] = QStringLiteral("4(-3x-4)-3(5x-6)=2 方程式を解いて。");
    s.bankAnswer[8] = QStringLiteral("x=0");
    s.bankQuestion[9] = QStringLiteral("5(2x+4)-2(-4x-1)=4 方程式を解いて。");
    s.bankAnswer[9] = QStringLiteral("x=-1");
    s.bankQuestion[10] = QStringLiteral("-4(2x-9)-4(2x+8)=4 方程式を解いて。");
    s.bankAnswer[10] = QStringLiteral("x=0");
    s.bankQuestion[11] = QStringLiteral("6(-2x-7)+5(-4x+7)=-7 方程式を解いて。");
    s.bankAnswer[11] = QStringLiteral("x=0");
    s.bankQuestion[12] = QStringLiteral("6(3x-5)-9(-4x-9)=-3 方程式を解いて。");
    s.bankAnswer[12] = QStringLiteral("x=-1");
    s.bankQuestion[13] = QStringLiteral("-2(3x+9)-(-7x-8)=7 方程式を解いて。");
    s.bankAnswer[13] = QStringLiteral("x=17");
    s.bankQuestion[14] = QStringLiteral("-8(-6x-5)-5(9x-6)=-8 方程式を解いて。");
    s.bankAnswer[14] = QStringLiteral("x=-26");
    s.bankQuestion[15] = QStringLiteral("2(2x+4)+6(-x-1)=-6 方程式を解いて。");
    s.bankAnswer[15] = QStringLiteral("x=4");
    s.bankQuestion[16] = QStringLiteral("-2(-9x-7)+4(-4x+8)=8 方程式を解いて。");
    s.bankAnswer[16] = QStringLiteral("x=-19");
    s.bankQuestion[17] = QStringLiteral("5(3x-5)+2(-8x-5)=-8 方程式を解いて。");
    s.bankAnswer[17] = QStringLiteral("x=-27");
    s.bankQuestion[18] = QStringLiteral("7(8x+7)-7(9x-5)=-7 方程式を解いて。");
    s.bankAnswer[18] = QStringLiteral("x=13");
    s.bankQuestion[19] = QStringLiteral("3(3x-5)-6(2x-3)=-6 方程式を解いて。");
    s.bankAnswer[19] = QStringLiteral("x=3");
    s.bankQuestion[20] = QStringLiteral("-7(2x+5)-6(-2x+3)=9 方程式を解いて。");
    s.bankAnswer[20] = QStringLiteral("x=-31");
    s.bankCount = 20;
}

// Set その3: two brackets on the left, one on the right.
void fillComplex3(DrillState& s) {
    s.bankQuestion[1] = QStringLiteral("8(-7x+6)-5(-9x+4)=4(x+7) 方程式を解いて。");
    s.bankAnswer[1] = QStringLiteral("x=0");
    s.bankQuestion[2] = QStringLiteral("2(8x-4)+8(-3x-9)=-9(x+5) 方程式を解いて。");
    s.bankAnswer[2] = QStringLiteral("x=35");
    s.bankQuestion[3] = QStringLiteral("9(8x-4)-9(7x+6)=8(x-6) 方程式を解いて。");
    s.bankAnswer[3] = QStringLiteral("x=42");
    s.bankQuestion[4] = QStringLiteral("-3(-3x-5)-4(3x-6)=-2(x-8) 方程式を解いて。");
    s.bankAnswer[4] = QStringLiteral("x=23");
    s.bankQuestion[5] = QStringLiteral("6(-7x-3)+4(-6x-9)=9(x-6) 方程式を解いて。");
    s.bankAnswer[5] = QStringLiteral("x=0");
    s.bankQuestion[6] = QStringLiteral("-7(5x-1)+7(7x-5)=8(x-2) 方程式を解いて。");
    s.bankAnswer[6] = QStringLiteral("x=2");
    s.bankQuestion[7] = QStringLiteral("3(4x+3)-5(8x+4)=9(x+7) 方程式を解いて。");
    s.bankAnswer[7] = QStringLiteral("x=-2");
    s.bankQuestion[8] = QStringLiteral("-8(-6x-5)+6(-6x-6)=7(x-3) 方程式を解いて。");
    s.bankAnswer[8] = QStringLiteral("x=-5");
    s.bankQuestion[9] = QStringLiteral("-8(-3x+8)+8(-2x+5)=9(x-5) 方程式を解いて。");
    s.bankAnswer[9] = QStringLiteral("x=21");
    s.bankQuestion[10] = QStringLiteral("-9(-2x-3)-2(8x-8)=3(x-6) 方程式を解いて。");
    s.bankAnswer[10] = QStringLiteral("x=61");
    s.bankQuestion[11] = QStringLiteral("-6(-3x+4)+3(-2x-8)=2(x-4) 方程式を解いて。");
    s.bankAnswer[11] = QStringLiteral("x=4");
    s.bankQuestion[12] = QStringLiteral("-5(-9x-2)-5(-4x+7)=-5(x-9) 方程式を解いて。");
    s.bankAnswer[12] = QStringLiteral("x=1");
    s.bankQuestion[13] = QStringLiteral("6(-6x+4)-3(-6x-1)=-9(x+7) 方程式を解いて。");
    s.bankAnswer[13] = QStringLiteral("x=10");
    s.bankQuestion[14] = QStringLiteral("4(7x-3)+6(6x-1)=-2(x+9) 方程式を解いて。");
    s.bankAnswer[14] = QStringLiteral("x=0");
    s.bankQuestion[15] = QStringLiteral("3(2x-6)+2(-6x+2)=-7(x+2) 方程式を解いて。");
    s.bankAnswer[15] = QStringLiteral("x=0");
    s.bankQuestion[16] = QStringLiteral("2(-4x+5)-3(-x+6)=-6(x-9) 方程式を解いて。");
    s.bankAnswer[16] = QStringLiteral("x=62");
    s.bankQuestion[17] = QStringLiteral("-2(-3x-5)-7(-3x-9)=2(x-1) 方程式を解いて。");
    s.bankAnswer[17] = QStringLiteral("x=-3");
    s.bankQuestion[18] = QStringLiteral("5(8x-2)+8(-4x+3)=2(x-5) 方程式を解いて。");
    s.bankAnswer[18] = QStringLiteral("x=-4");
    s.bankQuestion[19] = QStringLiteral("6(-x+5)+4(4x+5)=8(x-8) 方程式を解いて。");
    s.bankAnswer[19] = QStringLiteral("x=-57");
    s.bankQuestion[20] = QStringLiteral("3(4x-6)-(-4x-6)=3(x-4) 方程式を解いて。");
    s.bankAnswer[20] = QStringLiteral("x=0");
    s.bankCount = 20;
}

// Set その4: two brackets and a constant on the left, a constant on the right.
void fillComplex4(DrillState& s) {
    s.bankQuestion[1] = QStringLiteral("-2(6x-1)+2(-x+5)-5=7 方程式を解いて。");
    s.bankAnswer[1] = QStringLiteral("x=0");
    s.bankQuestion[2] = QStringLiteral("-8(-5x-8)-8(4x+3)-2=6 方程式を解いて。");
    s.bankAnswer[2] = QStringLiteral("x=-4");
    s.bankQuestion[3] = QStringLiteral("-2(8x+5)+2(3x+9)+4=2 方程式を解いて。");
    s.bankAnswer[3] = QStringLiteral("x=1");
    s.bankQuestion[4] = QStringLiteral("-4(-7x+7)+7(-3x+5)+6=-1 方程式を解いて。");
    s.bankAnswer[4] = QStringLiteral("x=-2");
    s.bankQuestion[5] = QStringLiteral("-2(-5x-7)-4(4x+8)+8=-4 方程式を解いて。");
    s.bankAnswer[5] = QStringLiteral("x=-1");
    s.bankQuestion[6] = QStringLiteral("6(9x+8)-9(3x-1)-1=2 方程式を解いて。");
    s.bankAnswer[6] = QStringLiteral("x=-2");
    s.bankQuestion[7] = QStringLiteral("8(-8x-5)+9(9x-8)+9=-1 方程式を解いて。");
    s.bankAnswer[7] = QStringLiteral("x=6");
    s.bankQuestion[8] = QStringLiteral("-3(-2x+8)-7(2x-7)+7=8 方程式を解いて。");
    s.bankAnswer[8] = QStringLiteral("x=3");
    s.bankQuestion[9] = QStringLiteral("7(-4x+8)-9(-3x+2)-3=-3 方程式を解いて。");
    s.bankAnswer[9] = QStringLiteral("x=38");
    s.bankQuestion[10] = QStringLiteral("3(3x-6)+6(-x+4)-7=-1 方程式を解いて。");
    s.bankAnswer[10] = QStringLiteral("x=0");
    s.bankQuestion[11] = QStringLiteral("7(6x+6)+9(-6x-7)+5=8 方程式を解いて。");
    s.bankAnswer[11] = QStringLiteral("x=-2");
    s.bankQuestion[12] = QStringLiteral("5(-x-2)+2(2x+9)+9=7 方程式を解いて。");
    s.bankAnswer[12] = QStringLiteral("x=10");
    s.bankQuestion[13] = QStringLiteral("-(8x-5)-4(-8x-2)-6=7 方程式を解いて。");
    s.bankAnswer[13] = QStringLiteral("x=0");
    s.bankQuestion[14] = QStringLiteral("5(6x+6)-7(7x-8)-7=3 方程式を解いて。");
    s.bankAnswer[14] = QStringLiteral("x=4");
    s.bankQuestion[15] = QStringLiteral("2(9x+7)+7(-3x+5)-1=3 方程式を解いて。");
    s.bankAnswer[15] = QStringLiteral("x=15");
    s.bankQuestion[16] = QStringLiteral("-4(6x+9)-6(-2x-5)-7=-1 方程式を解いて。");
    s.bankAnswer[16] = QStringLiteral("x=-1");
    s.bankQuestion[17] = QStringLiteral("-3(5x-7)+9(2x-8)+8=-4 方程式を解いて。");
    s.bankAnswer[17] = QStringLiteral("x=13");
    s.bankQuestion[18] = QStringLiteral("-4(-9x-8)-7(5x+7)-2=7 方程式を解いて。");
    s.bankAnswer[18] = QStringLiteral("x=26");
    s.bankQuestion[19] = QStringLiteral("-6(-x-6)+5(-x+5)-1=-2 方程式を解いて。");
    s.bankAnswer[19] = QStringLiteral("x=-62");
    s.bankQuestion[20] = QStringLiteral("-8(-2x-1)+3(-5x+8)-5=-1 方程式を解いて。");
    s.bankAnswer[20] = QStringLiteral("x=-28");
    s.bankCount = 20;
}

// Set その5: mixed bracket equations, many with fractional answers.
void fillComplex5(DrillState& s) {
    s.bankQuestion[1] = QStringLiteral("2x-10=2(4x-5) 方程式を解いて。");
    s.bankAnswer[1] = QStringLiteral("x=0");
    s.bankQuestion[2] = QStringLiteral("4x-4(3x+2)=6 方程式を解いて。");
    s.bankAnswer[2] = QStringLiteral("x=-7/4");
    s.bankQuestion[3] = QStringLiteral("x-3-(7x-1)=8+2x 方程式を解いて。");
    s.bankAnswer[3] = QStringLiteral("x=-5/4");
    s.bankQuestion[4] = QStringLiteral("x+6=-3(2x+5) 方程式を解いて。");
    s.bankAnswer[4] = QStringLiteral("x=-3");
    s.bankQuestion[5] = QStringLiteral("2(3-4x)=2x+8 方程式を解いて。");
    s.bankAnswer[5] = QStringLiteral("x=-1/5");
    s.bankQuestion[6] = QStringLiteral("16-(5x-8)=19 方程式を解いて。");
    s.bankAnswer[6] = QStringLiteral("x=1");
    s.bankQuestion[7] = QStringLiteral("-13=6-2(3x-1) 方程式を解いて。");
    s.bankAnswer[7] = QStringLiteral("x=7/2");
    s.bankQuestion[8] = QStringLiteral("3x+2(x-5)=-12 方程式を解いて。");
    s.bankAnswer[8] = QStringLiteral("x=-2/5");
    s.bankQuestion[9] = QStringLiteral("15-2(x-4)=3x+7 方程式を解いて。");
    s.bankAnswer[9] = QStringLiteral("x=16/5");
    s.bankQuestion[10] = QStringLiteral("-x+18=x-4(3x+2) 方程式を解いて。");
    s.bankAnswer[10] = QStringLiteral("x=-13/5");
    s.bankQuestion[11] = QStringLiteral("5-(3x+8)=2(9-3x) 方程式を解いて。");
    s.bankAnswer[11] = QStringLiteral("x=7");
    s.bankQuestion[12] = QStringLiteral("2x+4-(x+7)=12-4x 方程式を解いて。");
    s.bankAnswer[12] = QStringLiteral("x=3");
    s.bankQuestion[13] = QStringLiteral("4-2(3-2x)=6x-4 方程式を解いて。");
    s.bankAnswer[13] = QStringLiteral("x=1");
    s.bankQuestion[14] = QStringLiteral("5(x-2)-(-4+3x)=0 方程式を解いて。");
    s.bankAnswer[14] = QStringLiteral("x=3");
    s.bankQuestion[15] = QStringLiteral("8(3-x)=10-5(x+5) 方程式を解いて。");
    s.bankAnswer[15] = QStringLiteral("x=13");
    s.bankQuestion[16] = QStringLiteral("3x-6=2(6-3x) 方程式を解いて。");
    s.bankAnswer[16] = QStringLiteral("x=2");
    s.bankQuestion[17] = QStringLiteral("x-8-(3x+1)=-7 方程式を解いて。");
    s.bankAnswer[17] = QStringLiteral("x=-1");
    s.bankQuestion[18] = QStringLiteral("9-4(x+8)=13 方程式を解いて。");
    s.bankAnswer[18] = QStringLiteral("x=-9");
    s.bankQuestion[19] = QStringLiteral("-11+5x=2(4x-3) 方程式を解いて。");
    s.bankAnswer[19] = QStringLiteral("x=-5/3");
    s.bankQuestion[20] = QStringLiteral("7x-4(3x+5)=10 方程式を解いて。");
    s.bankAnswer[20] = QStringLiteral("x=-6");
    s.bankQuestion[21] = QStringLiteral("-3(x+6)=2(x-3) 方程式を解いて。");
    s.bankAnswer[21] = QStringLiteral("x=-12/5");
    s.bankQuestion[22] = QStringLiteral("5(x-2)-(3x-4)=0 方程式を解いて。");
    s.bankAnswer[22] = QStringLiteral("x=3");
    s.bankQuestion[23] = QStringLiteral("4(x-3)=2-(3x+7) 方程式を解いて。");
    s.bankAnswer[23] = QStringLiteral("x=1");
    s.bankQuestion[24] = QStringLiteral("3(2x+1)-2(5x-6)=5 方程式を解いて。");
    s.bankAnswer[24] = QStringLiteral("x=5/2");
    s.bankQuestion[25] = QStringLiteral("6-(-x+8)=3(2x-9) 方程式を解いて。");
    s.bankAnswer[25] = QStringLiteral("x=5");
    s.bankQuestion[26] = QStringLiteral("4(x-2)=15-3(2-3x) 方程式を解いて。");
    s.bankAnswer[26] = QStringLiteral("x=-17/5");
    s.bankQuestion[27] = QStringLiteral("3(x-1)-5=1 方程式を解いて。");
    s.bankAnswer[27] = QStringLiteral("x=3");
    s.bankQuestion[28] = QStringLiteral("4(x-3)-7(x+2)=-5 方程式を解いて。");
    s.bankAnswer[28] = QStringLiteral("x=-7");
    s.bankQuestion[29] = QStringLiteral("3(x+1)-5=2x-2(3-x) 方程式を解いて。");
    s.bankAnswer[29] = QStringLiteral("x=4");
    s.bankQuestion[30] = QStringLiteral("8(3-x)=10-5(x+5) 方程式を解いて。");
    s.bankAnswer[30] = QStringLiteral("x=13");
    s.bankCount = 30;
}

} // namespace minamo
