// The order statistics the table is made of.

#include "../stats.h"

#include <gtest/gtest.h>

namespace minamo::bench {
namespace {

TEST(BenchStats, MedianOfOddAndEvenCountsAndOfNothing) {
    struct Case {
        std::vector<double> samples;
        double median;
    };
    const std::vector<Case> cases{
        {{}, 0}, {{7}, 7}, {{3, 1, 2}, 2}, {{4, 1, 3, 2}, 2.5}, {{5, 5, 1, 9, 5}, 5},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(median(c.samples), c.median) << c.samples.size() << " samples";
    }
}

TEST(BenchStats, PercentileByNearestRank) {
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i) {
        hundred.push_back(i); // unsorted on purpose
    }
    struct Case {
        double p;
        double value;
    };
    for (const Case& c : std::vector<Case>{{99, 99}, {100, 100}, {50, 50}, {1, 1}, {0, 1}}) {
        EXPECT_DOUBLE_EQ(percentile(hundred, c.p), c.value) << "p" << c.p;
    }
    // With few samples the 99th percentile is the slowest one, never past the end.
    EXPECT_DOUBLE_EQ(percentile({0.2, 0.9, 0.1}, 99), 0.9);
    EXPECT_DOUBLE_EQ(percentile({}, 99), 0);
}

} // namespace
} // namespace minamo::bench
