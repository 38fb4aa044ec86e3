#pragma once

// What the fuzz targets share: a check that ends the run on a broken property (libFuzzer
// then keeps the input as a crash; the corpus replay fails), and the 16-bit range checks.

#include "fake/fake_platform.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace minamo::fuzz {

[[noreturn]] void fail(const char* condition, const char* file, int line, const QString& detail);

// A twip coordinate the 16-bit drawing code can hold (NaN and infinities cannot).
bool inside16Bits(double value);

// Checks that every operation of area from index `from` on draws inside the 16-bit range
// (what() names the input when one does not); returns the next call's `from`.
std::size_t checkCoordinates(const FakePictureArea& area, std::size_t from,
                             const std::function<QString()>& what);

} // namespace minamo::fuzz

#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ::minamo::fuzz::fail(#condition, __FILE__, __LINE__, (detail));                        \
        }                                                                                          \
    } while (false)
