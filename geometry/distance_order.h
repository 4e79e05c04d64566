#pragma once

#include <cmath>

namespace geometry {

// Decides pow(a, 0.5) < pow(b, 0.5) for two sums of squares a, b >= 0, which is how every
// pair of distances is compared, mostly without calling pow.
//
// Why the shortcut gives the same answer: if a < b (1 - 2^-40), then sqrt(a) < sqrt(b)
// (1 - 2^-41), so the exact roots lie thousands of units in the last place apart, while
// pow(., 0.5) is never more than one unit from the exact root; pow(a, 0.5) is then
// strictly below pow(b, 0.5). Symmetrically for a > b (1 + 2^-40), which makes the
// comparison false. The rounding of b (1 -+ 2^-40) itself moves the threshold by a unit
// of b at most, far inside the margin. Only sums within that narrow band call pow, and
// then the comparison is made on the very values dist would return.
inline bool rootLess(double a, double b) {
  constexpr double kBand = 0x1p-40;
  if (a < b * (1.0 - kBand)) {
    return true;
  }
  if (a > b * (1.0 + kBand)) {
    return false;
  }
  return std::pow(a, 0.5) < std::pow(b, 0.5);
}

}  // namespace geometry
