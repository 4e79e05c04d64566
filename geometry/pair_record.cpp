#include "pair_record.h"

#include "dist.h"

namespace geometry {

Bisector bisectorOf(double xa, float ya, double xb, float yb) {
  // The difference of the two y values is a float, the difference of the x values a double.
  const double slope = (ya - yb) / (xa - xb);
  const double m = -1 / slope;
  // The sum of the two y values is rounded to single precision before it is halved.
  const float midY = (ya + yb) / 2;
  const double midX = (xa + xb) / 2;
  return Bisector{m, midY - midX * m, squaredSum(xa, ya, xb, yb)};
}

PairRecord pairRecord(const Bisector& pair, const WindowFrame& frame) {
  PairRecord r{};
  r.m1 = pair.m;
  r.c1 = pair.c;
  r.sumIJ = pair.sumSq;

  // Left end. The bisector crosses the box (its midpoint lies inside), so when it misses
  // the open left edge it enters through the top edge if it runs downwards to the right
  // and through the bottom edge otherwise. m1 is never zero.
  const float startBoxH = frame.boxH();
  if (r.c1 > 0 && r.c1 < startBoxH) {
    r.startX = 0;
    r.startY = r.c1;
  } else if (r.m1 > 0) {
    r.startX = -r.c1 / r.m1;
    r.startY = 0;
  } else {
    r.startX = (startBoxH - r.c1) / r.m1;
    r.startY = startBoxH;
  }

  // Right end, by the same reasoning at x = boxW, where the bisector has the height
  // yAtBoxW.
  const float endBoxW = frame.boxW();
  const double yAtBoxW = r.m1 * endBoxW + r.c1;
  const float endBoxH = frame.boxH();
  if (yAtBoxW > 0 && yAtBoxW < endBoxH) {
    r.endX = endBoxW;
    r.endY = yAtBoxW;
  } else if (r.m1 > 0) {
    r.endX = (endBoxH - r.c1) / r.m1;
    r.endY = endBoxH;
  } else {
    r.endX = -r.c1 / r.m1;
    r.endY = 0;
  }
  return r;
}

}  // namespace geometry
