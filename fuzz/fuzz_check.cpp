#include "fuzz/fuzz_check.h"

#include <cstdio>
#include <cstdlib>

namespace minamo::fuzz {

void fail(const char* condition, const char* file, int line, const QString& detail) {
    std::fprintf(stderr, "\n%s:%d: check failed: %s\n  %s\n", file, line, condition,
                 detail.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

bool inside16Bits(double value) {
    return value >= -32768.0 && value <= 32767.0;
}

std::size_t checkCoordinates(const FakePictureArea& area, std::size_t from,
                             const std::function<QString()>& what) {
    const std::vector<DrawOp>& ops = area.ops();
    for (std::size_t i = from; i < ops.size(); ++i) {
        const DrawOp& op = ops[i];
        FUZZ_CHECK(
            inside16Bits(op.x) && inside16Bits(op.y) && inside16Bits(op.x2) && inside16Bits(op.y2),
            what() + QStringLiteral(": ") + area.name() + QStringLiteral(" ") + op.toString());
    }
    return ops.size();
}

} // namespace minamo::fuzz
