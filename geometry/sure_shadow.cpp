#include "sure_shadow.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "dist.h"

namespace geometry {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

}  // namespace

// The error bounds, with u = 2^-53 the unit roundoff of a double:
// - the piece test puts a midpoint at M = (x, fl(fl(m1 x) + c1)), off the exact line by at
//   most u (2 |m1 x| + |c1|) (1 + u); yError doubles that;
// - its sums of squares carry a relative error under 6u each (no cancellation: every term
//   is positive), and rootLess(sumK, sumI) takes its first, certain branch whenever
//   sumK < sumI (1 - 2^-39); sumIBound bounds sumI over the whole range, from its ends.
SureShadows::SureShadows(const PairRecord& pair, const SiteColumns& sites, int i, double lowest,
                         double highest)
    : pair_(pair), xi_(sites.siteX(i - 1)), yi_(sites.siteY(i - 1)) {
  const double xMax = std::max(std::abs(lowest), std::abs(highest));
  yError_ = 0x1p-51 * (std::abs(pair.m1) * xMax + std::abs(pair.c1));
  const double dx = std::max(std::abs(lowest - xi_), std::abs(highest - xi_));
  const double dy = std::max(std::abs(pair.m1 * lowest + pair.c1 - yi_),
                             std::abs(pair.m1 * highest + pair.c1 - yi_)) +
                    yError_ + 1;
  sumIBound_ = (dx * dx + dy * dy) * (1 + 0x1p-40);
}

// F at the piece test's own midpoint M(tau) is sumK - sumI within 2^-49 (sumK + sumI),
// covering both sums' rounding and that of the difference. Along the exact line F is
// monotone, so beyond tau it is lower still; at a midpoint there it can rise again by
// 2 |v| yError through that midpoint's own rounding, and must stay below -sumI 2^-39.
bool SureShadows::certain(double tau, double xk, float yk, double v) const {
  const double y = pair_.m1 * tau + pair_.c1;
  const double sumK = squaredSum(tau, y, xk, yk);
  const double sumI = squaredSum(tau, y, xi_, yi_);
  return sumK - sumI + 0x1p-49 * (sumK + sumI) + needed(v) < 0;
}

double SureShadows::needed(double v) const {
  return 4 * std::abs(v) * yError_ + 0x1p-38 * sumIBound_;
}

ShadowReach shadowReach(const PairRecord& pair, const CompetitorTable& table,
                        const SiteColumns& sites, int i, int j, double lowest, double highest) {
  // The competitor whose shadow from the left reaches farthest right, and the one whose
  // shadow from the right reaches farthest left. With d = x - xi and q the height of the
  // line above site i at x = xi, F = |w|^2 - 2 q v - 2 (u + m1 v) d: its zero is where the
  // shadow ends, and only a clear sign of u + m1 v tells which way the shadow reaches.
  const double xi = sites.siteX(i - 1);
  const double q = pair.c1 + pair.m1 * xi - sites.siteY(i - 1);
  // Each end is xi + n / d, n = |w|^2 - 2 q v and d = 2 (u + m1 v); the ends are compared
  // as fractions, by cross-multiplying, so that only the two farthest need a division.
  ShadowReach reach{0, 0, -kInfinity, kInfinity};
  double leftN = 0, leftD = -1, rightN = 0, rightD = 1;
  for (int k = 1; k <= sites.nSites; ++k) {
    const auto slot = static_cast<std::size_t>(k - 1);
    const double u = table.dx[slot];
    const double v = table.dy[slot];
    const double mv = pair.m1 * v;
    const double d = 2 * (u + mv);
    const bool clear = std::abs(d) > 0x1p-47 * (std::abs(u) + std::abs(mv)) && k != i && k != j;
    const double n = table.bisector[slot].sumSq - 2 * q * v;
    // A shadow from the left has d < 0: its end lies farther right when n / d > leftN /
    // leftD, that is n leftD > leftN d. One from the right has d > 0 and lies farther left
    // when n rightD < rightN d. Selections rather than branches: the side is a coin toss
    // from one competitor to the next, while a new farthest end is rare.
    const bool fartherLeft = clear && d < 0 && (reach.leftSite == 0 || n * leftD > leftN * d);
    const bool fartherRight = clear && d > 0 && (reach.rightSite == 0 || n * rightD < rightN * d);
    if (fartherLeft) {
      leftN = n;
      leftD = d;
      reach.leftSite = k;
    }
    if (fartherRight) {
      rightN = n;
      rightD = d;
      reach.rightSite = k;
    }
  }
  const double leftEnd = reach.leftSite != 0 ? xi + leftN / leftD : -kInfinity;
  const double rightEnd = reach.rightSite != 0 ? xi + rightN / rightD : kInfinity;

  // Back off from each end far enough for the shadow to be certain, and check that it is.
  const SureShadows shadows(pair, sites, i, lowest, highest);
  const auto backOff = [&](int k, double end, double towards) {
    const auto slot = static_cast<std::size_t>(k - 1);
    const double v = table.dy[slot];
    // F changes by this much per unit of x; aim at four times the depth needed, plus room
    // for the rounding of the end itself.
    const double slope = 2 * std::abs(table.dx[slot] + pair.m1 * v);
    const double gap = 4 * shadows.needed(v) / slope + 0x1p-36 * (std::abs(end) + 1);
    const double tau = std::clamp(end + towards * gap, lowest, highest);
    return shadows.certain(tau, sites.siteX(k - 1), sites.siteY(k - 1), v) ? tau
                                                                           : kInfinity * towards;
  };
  if (reach.leftSite != 0 && leftEnd > lowest) {
    reach.left = backOff(reach.leftSite, leftEnd, -1);
  }
  if (reach.rightSite != 0 && rightEnd < highest) {
    reach.right = backOff(reach.rightSite, rightEnd, +1);
  }
  return reach;
}

}  // namespace geometry
