#pragma once

#include <cmath>

namespace geometry {

// The relative band around a sum of squares b within which rootLess(a, b) takes the roots.
inline constexpr double kRootBand = 0x1p-40;

// Decides sqrt(a) < sqrt(b) for two sums of squares a, b >= 0, which is how every pair of
// distances is compared, mostly without taking a root.
//
// Why the shortcut gives the same answer: if a < b (1 - 2^-40), then sqrt(a) < sqrt(b)
// (1 - 2^-41), so the exact roots lie thousands of units in the last place apart, while
// the correctly rounded sqrt is never more than half a unit from the exact root; sqrt(a) is
// then strictly below sqrt(b). Symmetrically for a > b (1 + 2^-40), which makes the
// comparison false. The rounding of b (1 -+ 2^-40) itself moves the threshold by a unit
// of b at most, far inside the margin. Only sums within that narrow band take the roots,
// and then the comparison is made on the very values dist would return.
inline bool rootLess(double a, double b) {
  if (a < b * (1.0 - kRootBand)) {
    return true;
  }
  if (a > b * (1.0 + kRootBand)) {
    return false;
  }
  return std::sqrt(a) < std::sqrt(b);
}

}  // namespace geometry
