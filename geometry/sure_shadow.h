#pragma once

#include "pair_record.h"
#include "screening.h"
#include "sites.h"

namespace geometry {

// Certain shadows on a pair's bisector, found without testing pieces one by one.
//
// Along the line y = m1 x + c1, the squared distance to a competitor k minus the squared
// distance to site i is linear in x: F(x) = |w|^2 - 2 (M(x) - Si) . w, w = Sk - Si. Site k
// is closer where F < 0: on a half-line that reaches left when u + m1 v < 0 (w = (u, v))
// and right otherwise, bounded where k's bisector with i crosses the pair's.
//
// A certificate says: at x = tau, F is so far below zero that the piece test, with all
// its roundings, finds k strictly closer than site i at every midpoint on that side of
// tau. The piece test then has nothing to learn from any piece lying wholly on that side,
// and the edge finder need neither sort those cut points nor test their pieces.
class SureShadows {
 public:
  // Prepares the bounds for pieces whose midpoints lie in [lowest, highest], the range of
  // the pair's cut points.
  SureShadows(const PairRecord& pair, const SiteColumns& sites, int i, double lowest,
              double highest);

  // True when competitor k at (xk, yk), v = yk - yi, shadows every midpoint between tau and
  // the end of the range its shadow reaches, as the piece test decides it.
  [[nodiscard]] bool certain(double tau, double xk, float yk, double v) const;

  // How far below zero F must lie at tau, short of the rounding of the two sums, for the
  // shadow to be certain.
  [[nodiscard]] double needed(double v) const;

 private:
  const PairRecord& pair_;
  double xi_;
  float yi_;
  double yError_;      // bound on the rounding of m1 x + c1 for x in the range
  double sumIBound_;   // bound on the squared distance of a midpoint to site i
};

// The competitors whose shadows reach farthest into the pair's bisector from the left and
// from the right, with the points up to which they are certain: every cut point at or
// left of `left` (right of `right`) ends only pieces that the piece test would reject.
// `left` is -infinity and `right` +infinity where no shadow is certain.
struct ShadowReach {
  int leftSite = 0, rightSite = 0;
  double left, right;
};

ShadowReach shadowReach(const PairRecord& pair, const CompetitorTable& table,
                        const SiteColumns& sites, int i, int j, double lowest, double highest);

}  // namespace geometry
