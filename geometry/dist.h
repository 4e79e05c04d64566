#pragma once

#include <cmath>

namespace geometry {

// The power 2 of a coordinate difference, as the correctly rounded square. For a
// single-precision difference the product is exact in double precision. For a double it
// is the value std::pow(v, 2) has whenever the compiler evaluates the power itself (GCC
// rewrites it as this product from -O1 up); the C library's general pow misses the
// correctly rounded square in about one case in 1,200, so calling it would make the
// pictures depend on the optimisation level.
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

// Euclidean distance of (x1, y1) and (x2, y2). The root is the general power with the
// exponent 0.5, not sqrt: the two differ in the last bit in about one case in 1,250, and
// the distances decide which edges are drawn.
template <class X1, class Y1, class X2, class Y2>
double dist(X1 x1, Y1 y1, X2 x2, Y2 y2) {
  return std::pow(squaredSum(x1, y1, x2, y2), 0.5);
}

}  // namespace geometry
