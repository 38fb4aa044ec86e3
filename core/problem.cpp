#include "core/problem.h"

namespace minamo {

namespace {

const QString instructionMark = QStringLiteral("方程式");

} // namespace

Problem Problem::read(const QString& text) {
    const qsizetype mark = text.indexOf(instructionMark);
    if (mark < 0) {
        return {.equation = text, .instruction = {}};
    }
    return {.equation = text.left(std::max<qsizetype>(mark - 1, 0)), .instruction = text.mid(mark)};
}

} // namespace minamo
