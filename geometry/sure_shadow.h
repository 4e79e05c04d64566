#pragma once

#include <span>

#include "pair_record.h"
#include "screening.h"
#include "sites.h"

namespace geometry {

// Certain shadows on a pair's bisector, found without testing pieces one by one.
//
// Along the line y = m1 x + c1, the squared distance to a competitor k minus the squared
// distance to site i is linear in x: F(x) = |w|^2 - 2 (M(x) - Si) . w, w = Sk - Si = (u, v).
// Site k is closer where F < 0: on a half-line that reaches left when u + m1 v < 0 and
// right otherwise, and ends where k's bisector with i crosses the pair's.
//
// A certificate says: at x = tau, F is so far below zero that the piece test, with all its
// roundings, finds k strictly closer than site i at every midpoint on the shadowed side of
// tau. No piece lying wholly on that side can be drawn, so its cut points need neither be
// sorted nor its piece tested.
class SureShadows {
 public:
  // Bounds for midpoints in [lowest, highest].
  SureShadows(const PairContext& context, double lowest, double highest);

  // True when competitor k at (xk, yk), v = yk - yi, certainly shadows every midpoint in
  // the range from tau on, in the direction its shadow reaches.
  [[nodiscard]] bool certain(double tau, double xk, float yk, double v) const;

  // How far below zero F must lie at tau, short of the rounding of the two sums.
  [[nodiscard]] double needed(double v) const;

 private:
  const PairRecord& pair_;
  double xi_;
  float yi_;
  double yError_;     // bound on the rounding of m1 x + c1 for x in the range
  double sumIBound_;  // bound on the squared distance of a midpoint to site i
};

// For the pair (i, j): among the given sites (j and i are passed over), the competitor
// whose shadow from the left reaches farthest right and the one whose shadow from the right
// reaches farthest left, with where those shadows end (site 0 and an infinite end where
// there is none).
struct FarthestShadows {
  int leftSite = 0, rightSite = 0;
  double leftEnd, rightEnd;
};

FarthestShadows farthestShadows(const PairContext& context, std::span<const int> competitors);

// Up to where the farthest shadows are certain, for midpoints in [lowest, highest]: every
// cut point at or left of `left` (right of `right`) ends only pieces that the piece test
// rejects. `left` is -infinity and `right` +infinity where no shadow is certain.
struct ShadowReach {
  double left, right;
};

ShadowReach certainReach(const FarthestShadows& farthest, const PairContext& context, double lowest,
                         double highest);

// True when the two farthest shadows certainly cover the whole stretch, and every cut
// point the screening could make with it: then no piece of the pair can survive, and the
// pair draws nothing whatever the screening and the sort would do.
bool surelyShadowedThroughout(const FarthestShadows& farthest, const PairContext& context);

}  // namespace geometry
