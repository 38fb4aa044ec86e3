#pragma once

// Order statistics of timing samples.

#include <algorithm>
#include <cmath>
#include <vector>

namespace minamo::bench {

// The p-th percentile (0..100) by nearest rank; 0 for no samples.
inline double percentile(std::vector<double> samples, double p) {
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const double rank = std::ceil(p / 100.0 * static_cast<double>(samples.size()));
    const auto index = static_cast<std::size_t>(std::clamp(rank, 1.0, double(samples.size()))) - 1;
    return samples[index];
}

// The middle sample, or the mean of the two middle ones.
inline double median(std::vector<double> samples) {
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    return n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

} // namespace minamo::bench
