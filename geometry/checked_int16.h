#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "run_error.h"

namespace geometry {

// 16-bit signed arithmetic that raises a RunError instead of wrapping. Counts and loop
// bounds of the edge finder are 16-bit values; an overflow is a fault of the run.
[[noreturn]] [[gnu::noinline, gnu::cold]] inline void overflow16(int a, int b, const char* what) {
  throw RunError(std::string("16-bit overflow in ") + what + ": " + std::to_string(a) + " + " +
                 std::to_string(b));
}

inline std::int16_t add16(int a, int b, const char* what) {
  const int sum = a + b;
  if (sum < std::numeric_limits<std::int16_t>::min() ||
      sum > std::numeric_limits<std::int16_t>::max()) [[unlikely]] {
    overflow16(a, b, what);
  }
  return static_cast<std::int16_t>(sum);
}

inline std::int16_t sub16(int a, int b, const char* what) {
  return add16(a, -b, what);
}

}  // namespace geometry
