#include "core/problem.h"

namespace minamo {

namespace {

// What an instruction begins with: an equation's, and a ratio equation's
// ("x:12=3:4 比例式を解いて。").
const QString instructionMarks[] = {QStringLiteral("方程式"), QStringLiteral("比例式")};

} // namespace

Problem Problem::read(const QString& text) {
    qsizetype mark = -1;
    for (const QString& instructionMark : instructionMarks) {
        const qsizetype at = text.indexOf(instructionMark);
        if (at >= 0 && (mark < 0 || at < mark)) {
            mark = at;
        }
    }
    if (mark < 0) {
        return {.equation = text, .instruction = {}};
    }
    return {.equation = text.left(std::max<qsizetype>(mark - 1, 0)), .instruction = text.mid(mark)};
}

} // namespace minamo
