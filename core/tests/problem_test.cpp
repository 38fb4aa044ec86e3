#include "core/problem.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

TEST(Problem, TakesTheEquationAndTheInstructionApart) {
    const struct {
        const char* text;
        const char* equation;
        const char* instruction;
    } table[] = {
        {"x+3=4 方程式を解いて。", "x+3=4", "方程式を解いて。"},
        {"x+1=3/2 方程式を解いて。", "x+1=3/2", "方程式を解いて。"},
        {"x+1=5/2", "x+1=5/2", ""}, // 基本2: the equation alone
        {"2/3:x=4:9 比例式を解いて。", "2/3:x=4:9", "比例式を解いて。"},
        {"方程式を解いて。", "", "方程式を解いて。"},
        {"", "", ""},
    };
    for (const auto& row : table) {
        const Problem p = Problem::read(QString::fromUtf8(row.text));
        EXPECT_EQ(p.equation, QString::fromUtf8(row.equation)) << row.text;
        EXPECT_EQ(p.instruction, QString::fromUtf8(row.instruction)) << row.text;
    }
}

} // namespace
} // namespace minamo
