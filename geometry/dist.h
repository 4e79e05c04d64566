#pragma once

#include <cmath>
#include <limits>

// The edge finder's arithmetic mixes float and double where the method does, and compares
// values exactly where it means to: for the code that includes it, not a slip to warn of.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdouble-promotion"
#pragma GCC diagnostic ignored "-Wfloat-equal"

namespace geometry {

// Whether two values are the same number: an exact comparison, meant as one (a computed
// value compared with what it may have been computed from, a whole number, a zero).
constexpr bool exactlyEqual(double a, double b) {
  return a == b;
}

// The unit roundoff of a double, u = 2^-53: a rounding to nearest moves a value by at most
// u times itself. Every bound on the edge finder's and the exact verdicts' roundings is a
// multiple of it.
inline constexpr double kUnitRoundoff = std::numeric_limits<double>::epsilon() / 2;
static_assert(kUnitRoundoff == 0x1p-53);

// Every power in a distance is correctly rounded, so that a picture depends on nothing but
// IEEE arithmetic: not on the C library, the processor or the optimisation level.
// - The power 2 of a difference is the product v * v. For a single-precision difference it
//   is exact in double precision. A general pow(v, 2) in the C library misses the
//   correctly rounded square in about one case in 1,200.
// - The power 0.5 of a sum of squares is std::sqrt, which IEEE 754 requires to be
//   correctly rounded. A general pow(s, 0.5) differs from it in about one case in 1,170,
//   and differently from one C library or processor to another.

inline double square(double v) {
  return v * v;
}

// The sum of squares inside dist. Each difference keeps the precision of its operands:
// float - float stays float, anything with a double is a double.
template <class X1, class Y1, class X2, class Y2>
double squaredSum(X1 x1, Y1 y1, X2 x2, Y2 y2) {
  const auto dx = x2 - x1;
  const auto dy = y2 - y1;
  return square(dx) + square(dy);
}

// Euclidean distance of (x1, y1) and (x2, y2); the same for either order of the points.
template <class X1, class Y1, class X2, class Y2>
double dist(X1 x1, Y1 y1, X2 x2, Y2 y2) {
  return std::sqrt(squaredSum(x1, y1, x2, y2));
}

// How two distances are compared.
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

#pragma GCC diagnostic pop
