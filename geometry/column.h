#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "run_error.h"

namespace geometry {

// A fixed column of N slots indexed from 0, written column(index) as in the formulas.
// Every access checks the index; one outside 0..N-1 raises a RunError naming the column.
template <class T, int N>
class Column {
 public:
  explicit Column(const char* name) : name_(name) {}

  T& operator()(int index) { return values_[checked(index)]; }
  const T& operator()(int index) const { return values_[checked(index)]; }

  static constexpr int size() { return N; }
  T* data() { return values_.data(); }

 private:
  std::size_t checked(int index) const {
    if (index < 0 || index >= N) [[unlikely]] {
      outOfRange(index);
    }
    return static_cast<std::size_t>(index);
  }

  [[noreturn]] [[gnu::noinline, gnu::cold]] void outOfRange(int index) const {
    throw RunError(std::string("index out of range: ") + name_ + "(" + std::to_string(index) +
                   ") is outside 0 to " + std::to_string(N - 1));
  }

  const char* name_;
  std::array<T, N> values_{};
};

// Unchecked access to a column's slots, written slots(index) like the column itself, for a
// loop whose every index has been checked against the column's bounds beforehand.
template <class T>
struct Slots {
  T* first;
  T& operator()(int index) const { return first[index]; }
};

}  // namespace geometry
