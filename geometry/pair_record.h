#pragma once

#include <cmath>

#include "window_frame.h"

namespace geometry {

// The perpendicular bisector of sites a and b, y = m x + c, as seen from site a, with the
// sum of squares whose root is their distance. It depends only on the two sites, so the
// edge finder can compute site i's bisector with every other site once and use it for
// every pair (i, j): as the pair's own bisector when b = j, and as a competitor's line
// otherwise.
struct Bisector {
  double m;      // the slope: -1 over the slope of the segment from a to b
  double c;      // the intercept: y at x = 0
  double sumSq;  // the sum of squares inside dist(xa, ya, xb, yb)
};

Bisector bisectorOf(double xa, float ya, double xb, float yb);

// The record of the pair (i, j): its bisector y = m1 x + c1, and the stretch of the
// bisector inside the domain box, from its left end (startX, startY) to its right end
// (endX, endY). Each end is an exact zero, a box size, or a double.
struct PairRecord {
  double m1;
  double c1;
  double sumIJ;  // the sum of squares inside dist(xi, yi, xj, yj)
  double startX, startY;
  double endX, endY;

  // The distance of the two sites, dist(xi, yi, xj, yj). Worked out when asked: the edge
  // finder compares distances by their sums of squares and seldom needs the root.
  [[nodiscard]] double dIJ() const { return std::sqrt(sumIJ); }
};

// Builds the pair record from the pair's bisector, clipping it to the frame's domain box.
PairRecord pairRecord(const Bisector& pair, const WindowFrame& frame);

}  // namespace geometry
