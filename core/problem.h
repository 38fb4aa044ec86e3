#pragma once

#include <QString>

namespace minamo {

// A problem as the sets write it: an equation, a blank and the instruction
// ("x+3=4 方程式を解いて。"), or the equation alone (set 基本2: "x+1=5/2"). Every problem
// text is taken apart here.
struct Problem {
    QString equation;    // "x+3=4"
    QString instruction; // "方程式を解いて。"; empty for an equation alone

    // The instruction begins at the first 方程式 (比例式 for a ratio equation); the blank
    // before it belongs to neither.
    static Problem read(const QString& text);

    bool hasInstruction() const { return !instruction.isEmpty(); }
};

} // namespace minamo
