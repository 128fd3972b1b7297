#pragma once
// Arrays declared by their highest index, running from 0 to that index inclusive.
// Every access is checked; an index outside the range stops the program with
// "Array bounds error" naming the index, the range, the caller's line and unit.
#include <array>
#include <cstddef>
#include <source_location>

namespace bg {

[[noreturn]] void arrayBoundsError(long index, long highest, const std::source_location& where);

// An index that remembers where it was written, so the report names the caller's line
// (also for nested accesses such as b[k][1]).
struct Idx {
  long value;
  std::source_location where;
  // NOLINTNEXTLINE(google-explicit-constructor): implicit by design, see above.
  constexpr Idx(long v, std::source_location w = std::source_location::current()) : value(v), where(w) {}
};

template <typename T, long Hi>
class CheckedArray {
  static_assert(Hi >= 0, "highest index must not be negative");

 public:
  static constexpr long kHighest = Hi;
  static constexpr long kSize = Hi + 1;

  constexpr T& operator[](Idx i) {
    if (i.value < 0 || i.value > Hi) arrayBoundsError(i.value, Hi, i.where);
    return items_[static_cast<std::size_t>(i.value)];
  }
  constexpr const T& operator[](Idx i) const {
    if (i.value < 0 || i.value > Hi) arrayBoundsError(i.value, Hi, i.where);
    return items_[static_cast<std::size_t>(i.value)];
  }

  constexpr void fill(const T& v) { items_.fill(v); }
  constexpr T* begin() { return items_.data(); }
  constexpr T* end() { return items_.data() + kSize; }
  constexpr const T* begin() const { return items_.data(); }
  constexpr const T* end() const { return items_.data() + kSize; }
  static constexpr long size() { return kSize; }
  constexpr bool operator==(const CheckedArray&) const = default;

  std::array<T, static_cast<std::size_t>(Hi + 1)> items_{};
};

}  // namespace bg
