#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace minamo {

// Number of reads or writes that fell outside a list's index range since start-up.
// Such an access never touches memory outside the list; tests and fuzzers read this
// counter to prove that no input drives an index out of range.
std::uint64_t rangeViolations();
void noteRangeViolation();

// A list with the fixed index range Lo..Hi, as the drill state's lists have.
// An index outside the range reads a default value and writes nowhere.
template <typename T, int Lo, int Hi> class FixedList {
public:
    static constexpr int first = Lo;
    static constexpr int last = Hi;

    T& operator[](int index) {
        if (index < Lo || index > Hi) {
            noteRangeViolation();
            scratch_ = T{};
            return scratch_;
        }
        return items_[static_cast<std::size_t>(index - Lo)];
    }
    const T& operator[](int index) const {
        if (index < Lo || index > Hi) {
            noteRangeViolation();
            return empty_;
        }
        return items_[static_cast<std::size_t>(index - Lo)];
    }
    static constexpr bool contains(int index) { return index >= Lo && index <= Hi; }
    void fill(const T& value) { items_.fill(value); }

private:
    std::array<T, Hi - Lo + 1> items_{};
    T scratch_{};
    static inline const T empty_{};
};

} // namespace minamo
