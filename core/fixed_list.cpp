#include "core/fixed_list.h"

#include <atomic>

namespace minamo {

namespace {
std::atomic<std::uint64_t> violations{0};
}

std::uint64_t rangeViolations() {
    return violations.load();
}
void noteRangeViolation() {
    violations.fetch_add(1);
}

} // namespace minamo
