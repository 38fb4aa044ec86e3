#include "core/common_factor.h"

#include "core/basic_text.h"

#include <array>

namespace minamo {

namespace {
constexpr std::array<int16, 17> firstPrimes{2,  3,  5,  7,  11, 13, 17, 19, 23,
                                            29, 31, 37, 41, 43, 47, 53, 59};
// Entries 1..17 of the prime table (2 .. 59) are the only divisors tried.
constexpr int firstPrimeEntry = 1;
constexpr int lastPrimeEntry = 17;
// At most this many common prime factors can be found.
constexpr int maxFactors = 29;
} // namespace

void fillPrimes(DrillState& s) {
    s.primes[0] = 1;
    for (int i = 0; i < static_cast<int>(firstPrimes.size()); ++i) {
        s.primes[i + 1] = firstPrimes[static_cast<std::size_t>(i)];
    }
}

void findCommonFactor(DrillState& s) {
    int a = s.factorInputA;
    int b = s.factorInputB;
    if (a == 0 || b == 0) {
        return; // both results keep their previous values
    }

    long long factor = 1;
    int found = 0;
    int i = firstPrimeEntry;
    while (i <= lastPrimeEntry && found < maxFactors) {
        const int p = s.primes[i];
        // A table that was never filled holds 0 (or 1): such an entry divides nothing
        // useful, and trying it would divide by zero or never end.
        if (p >= 2 && a % p == 0 && b % p == 0) {
            a /= p;
            b /= p;
            factor *= p;
            ++found;
            i = firstPrimeEntry;
        } else {
            ++i;
        }
    }

    // Both results are 16-bit. The factor divides both inputs, so it only fails to fit for
    // -32768 and -32768 (32768); the multiple of two large inputs can be far larger. Such
    // results saturate at the limits of the range instead of wrapping round to a wrong sign.
    s.commonMultipleResult = clampToInt16(static_cast<long long>(b) * a * factor);
    s.commonFactorResult = clampToInt16(factor);
}

} // namespace minamo
