#include "app/selection.h"

#include <algorithm>
#include <cmath>

namespace minamo {

namespace {
constexpr int groupSize = 10;
constexpr int maxBankProblems = 100; // the working lists' last index

// A draw f in 1..m, uniform when r is uniform in [0, 1). A source that strays outside
// [0, 1) (or gives NaN) still yields a valid slot instead of a wild index.
int drawSlot(RandomSource& random, int m) {
    const double r = random.next();
    if (!(r >= 0.0)) {
        return 1;
    }
    if (r >= 1.0) {
        return m;
    }
    const int f = static_cast<int>(std::floor(m * r)) + 1;
    return std::clamp(f, 1, m);
}
} // namespace

void selectProblems(DrillState& s, RandomSource& random) {
    FixedList<int16, 0, maxBankProblems> pool;
    FixedList<int16, 0, maxBankProblems> drawn;
    FixedList<int16, 0, maxBankProblems> order;

    // The working lists hold 100 problems; a larger count is taken only that far.
    const int n = std::clamp(static_cast<int>(s.bankCount), 0, maxBankProblems);

    // Each group of ten bank positions is shuffled by a draw without replacement; a last,
    // shorter group is shuffled within its own size so that every position 1..n is filled.
    for (int offset = 0; offset < n; offset += groupSize) {
        const int size = std::min(groupSize, n - offset);
        for (int j = 1; j <= size; ++j) {
            pool[j] = static_cast<int16>(j);
        }
        for (int m = size; m >= 1; --m) {
            const int f = drawSlot(random, m);
            drawn[m] = pool[f];
            pool[f] = pool[m];
        }
        for (int j = 1; j <= size; ++j) {
            order[offset + j] = static_cast<int16>(drawn[j] + offset);
        }
    }

    for (int b = 1; b <= n; ++b) {
        s.question[order[b]] = s.bankQuestion[b];
        s.answer[order[b]] = s.bankAnswer[b];
    }
}

} // namespace minamo
