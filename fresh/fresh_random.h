#pragma once

// The random source of fresh numbers: SplitMix64 (Steele, Lea and Flood, 2014) on 64-bit
// unsigned arithmetic, and whole numbers drawn from it by rejection. It uses no library
// generator or distribution, whose results may differ between standard libraries, so that
// one seed gives the same numbers on every machine and build.

#include <QStringView>
#include <cstdint>

namespace minamo {

class FreshRandom {
public:
    explicit FreshRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // A whole number lo <= n <= hi, each as likely as the others.
    int between(int lo, int hi) {
        const std::uint64_t range = static_cast<std::uint64_t>(hi - lo) + 1;
        const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
        std::uint64_t r = next();
        while (r >= limit) {
            r = next();
        }
        return lo + static_cast<int>(r % range);
    }

private:
    std::uint64_t state_;
};

// FNV-1a over the UTF-16 code units of a name: a stream of its own for every bank, the same
// everywhere (Qt's own hash is seeded at random in every process).
inline std::uint64_t nameHash(QStringView name) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const QChar c : name) {
        hash = (hash ^ c.unicode()) * 0x100000001b3ULL;
    }
    return hash;
}

} // namespace minamo
