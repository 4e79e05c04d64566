#include "sure_shadow.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "dist.h"

namespace geometry {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The rounding analysis behind every certificate in this file. u is the unit roundoff of
// a double; every bound below is a multiple of it, with room to spare, and each is named
// once, beside the reasoning that proves it.

// The piece test puts a midpoint at M = (x, fl(fl(m1 x) + c1)), off the exact line by at
// most u (2 |m1 x| + |c1|) (1 + u). yError takes 4u (|m1| |x| + |c1|): twice that, up to
// terms in u^2.
constexpr double kMidpointYErrorFactor = 4 * kUnitRoundoff;

// A bound on a sum of squares, worked out in a few roundings, is raised by this fraction to
// stay a bound.
constexpr double kBoundSlack = 0x1p-40;
static_assert(kBoundSlack > 8 * kUnitRoundoff);

// The piece test's sums of squares carry a relative error under 6u each: every term is
// positive, so nothing cancels.
constexpr double kSumOfSquaresError = 6 * kUnitRoundoff;
// certain() computes F = sumK - sumI at the piece test's own midpoint within this fraction
// of sumK + sumI: the two sums' rounding, that of their difference and that of adding the
// margin.
constexpr double kDifferenceError = 0x1p-49;
static_assert(2 * kSumOfSquaresError + 2 * kUnitRoundoff <= kDifferenceError);

// rootLess(sumK, sumI) takes its first, certain branch whenever sumK < sumI (1 - margin):
// it compares with the rounded sumI (1 - kRootBand), which is at least
// sumI (1 - kRootBand - u).
constexpr double kCertainBranchMargin = 2 * kRootBand;
static_assert(kCertainBranchMargin >= kRootBand + kUnitRoundoff);

// A certificate asks for twice the depth that the bounds above prove enough.
constexpr double kCertificateSafety = 2;

// e = 2 (u + m1 v) is computed within 4u (|u| + |m1 v|); only an e clear of that by a wide
// factor tells which way a shadow reaches.
constexpr double kSignRounding = 4 * kUnitRoundoff;
constexpr double kClearSignFactor = 16 * kSignRounding;

// The factor of cutOverhang's bound (see there): the offsets of the computed gaps come to
// under 4u times `offsets`, and the division that places a cut point adds at most 3u of
// its size.
constexpr double kOverhangFactor = 8 * kUnitRoundoff;
static_assert(kOverhangFactor >= 2 * 4 * kUnitRoundoff && kOverhangFactor >= 3 * kUnitRoundoff);

// certainFrom backs off from a shadow's end by four times the needed depth, plus this
// fraction of the end's size for the rounding of the end itself.
constexpr double kDepthAim = 4;
constexpr double kEndRoundingRoom = 0x1p-36;

}  // namespace

// sumIBound bounds sumI over the whole range, from its ends and the midpoints' y error.
SureShadows::SureShadows(const PairContext& context, double lowest, double highest)
    : pair_(context.pair), xi_(context.sites.x(context.i)), yi_(context.sites.y(context.i)) {
  const PairRecord& pair = context.pair;
  const double xMax = std::max(std::abs(lowest), std::abs(highest));
  yError_ = kMidpointYErrorFactor * (std::abs(pair.m1) * xMax + std::abs(pair.c1));
  const double dx = std::max(std::abs(lowest - xi_), std::abs(highest - xi_));
  const double dy = std::max(std::abs(pair.m1 * lowest + pair.c1 - yi_),
                             std::abs(pair.m1 * highest + pair.c1 - yi_)) +
                    yError_ + 1;
  sumIBound_ = (dx * dx + dy * dy) * (1 + kBoundSlack);
}

// F at the piece test's own midpoint M(tau) is sumK - sumI within kDifferenceError
// (sumK + sumI). Along the exact line F is monotone, so beyond tau it is lower still; at a
// midpoint there it can rise again by 2 |v| yError through that midpoint's own rounding,
// and must stay below -sumI kCertainBranchMargin for rootLess to find k closer.
bool SureShadows::certain(double tau, double xk, float yk, double v) const {
  const double y = pair_.m1 * tau + pair_.c1;
  const double sumK = squaredSum(tau, y, xk, yk);
  const double sumI = squaredSum(tau, y, xi_, yi_);
  return sumK - sumI + kDifferenceError * (sumK + sumI) + needed(v) < 0;
}

double SureShadows::needed(double v) const {
  return kCertificateSafety * (2 * std::abs(v) * yError_ + kCertainBranchMargin * sumIBound_);
}

FarthestShadows farthestShadows(const PairContext& context, std::span<const int> competitors) {
  const PairRecord& pair = context.pair;
  const CompetitorTable& table = context.table;
  const SiteColumns& sites = context.sites;
  const int i = context.i, j = context.j;
  // With d = x - xi and q the height of the line above site i at x = xi,
  // F = |w|^2 - 2 q v - 2 (u + m1 v) d, so a shadow ends at xi + n / e with
  // n = |w|^2 - 2 q v and e = 2 (u + m1 v). The ends are compared as fractions, by
  // cross-multiplying, so that only the two farthest need a division; only a clear sign
  // of e tells which way a shadow reaches.
  const double xi = sites.x(i);
  const double q = pair.c1 + pair.m1 * xi - sites.y(i);
  FarthestShadows farthest;
  double leftN = 0, leftE = -1, rightN = 0, rightE = 1;
  for (const int k : competitors) {
    const double u = table.dx(k);
    const double v = table.dy(k);
    const double mv = pair.m1 * v;
    const double e = 2 * (u + mv);
    const double n = table.bisector(k).sumSq - 2 * q * v;
    // A shadow from the left has e < 0 and ends farther right when n / e > leftN / leftE,
    // that is n leftE > leftN e; one from the right has e > 0 and ends farther left when
    // n rightE < rightN e. The tests are combined without branching (& rather than &&):
    // the side is a coin toss from one competitor to the next, while a new farthest end
    // is rare and its branch well predicted.
    const bool clear = (k != j) & (std::abs(e) > kClearSignFactor * (std::abs(u) + std::abs(mv)));
    const bool fartherLeft = clear & (e < 0) & ((farthest.leftSite == 0) | (n * leftE > leftN * e));
    const bool fartherRight =
        clear & (e > 0) & ((farthest.rightSite == 0) | (n * rightE < rightN * e));
    if (fartherLeft) {
      leftN = n;
      leftE = e;
      farthest.leftSite = k;
    }
    if (fartherRight) {
      rightN = n;
      rightE = e;
      farthest.rightSite = k;
    }
  }
  farthest.leftEnd = farthest.leftSite != 0 ? xi + leftN / leftE : -kInfinity;
  farthest.rightEnd = farthest.rightSite != 0 ? xi + rightN / rightE : kInfinity;
  return farthest;
}

namespace {

// How far outside the pair's stretch a cut point of the screening can fall.
//
// A competitor's cut point is the crossing of its line y = m2 x + c2 with the pair's,
// appended only when its gaps at the two ends of the stretch, as computed, differ in sign
// (or one is zero). If the crossing lay a distance delta outside the stretch, both exact
// gaps would share a sign and exceed |m1 - m2| delta less the ends' own offsets from the
// line (under 2u (|m1| X + |c1| + Y)); the computed gaps are off by under
// 2u (2 |m2| X + 2 |c2| + Y). So delta < 4u (...) / |m1 - m2|, and the division that
// places the cut point adds at most 3u of its size: kOverhangFactor covers both. X and Y bound the
// ends' coordinates, and the table bounds every |m2| and |c2| of site i, and |m1 - m2| from below
// (m1 is one of site i's slopes too). Competitors parallel to the pair make no cut point.
double cutOverhang(const PairRecord& pair, const CompetitorTable& table) {
  const double x = std::max(std::abs(pair.startX), std::abs(pair.endX));
  const double y = std::max(std::abs(pair.startY), std::abs(pair.endY));
  const double offsets = (table.mMax + std::abs(pair.m1)) * x + table.cMax + std::abs(pair.c1) + y;
  return kOverhangFactor * offsets / table.slopeGap + kOverhangFactor * x;
}

// Backs off from a shadow's end far enough for the shadow to be certain there, and checks
// that it is: returns that point, or `fail` when the shadow is not certain at it.
double certainFrom(const SureShadows& shadows, const PairContext& context, int k, double end,
                   double towards, double lowest, double highest, double fail) {
  const CompetitorTable& table = context.table;
  const double v = table.dy(k);
  // F changes by `slope` per unit of x; aim at four times the depth needed, plus room for
  // the rounding of the end itself.
  const double slope = 2 * std::abs(table.dx(k) + context.pair.m1 * v);
  const double gap = kDepthAim * shadows.needed(v) / slope + kEndRoundingRoom * (std::abs(end) + 1);
  const double tau = std::clamp(end + towards * gap, lowest, highest);
  return shadows.certain(tau, context.sites.x(k), context.sites.y(k), v) ? tau : fail;
}

}  // namespace

ShadowReach certainReach(const FarthestShadows& farthest, const PairContext& context, double lowest,
                         double highest) {
  ShadowReach reach{-kInfinity, kInfinity};
  const SureShadows shadows(context, lowest, highest);
  if (farthest.leftSite != 0 && farthest.leftEnd > lowest) {
    reach.left = certainFrom(shadows, context, farthest.leftSite, farthest.leftEnd, -1, lowest,
                             highest, -kInfinity);
  }
  if (farthest.rightSite != 0 && farthest.rightEnd < highest) {
    reach.right = certainFrom(shadows, context, farthest.rightSite, farthest.rightEnd, +1, lowest,
                              highest, kInfinity);
  }
  return reach;
}

bool surelyShadowedThroughout(const FarthestShadows& farthest, const PairContext& context) {
  const PairRecord& pair = context.pair;
  const CompetitorTable& table = context.table;
  const SiteColumns& sites = context.sites;
  if (farthest.leftSite == 0 && farthest.rightSite == 0) {
    return false;
  }
  const double overhang = cutOverhang(pair, table);
  if (!std::isfinite(overhang)) {
    return false;
  }
  const double lowest = pair.startX - overhang;
  const double highest = pair.endX + overhang;
  // One shadow over everything, or the two overlapping: certain on either side of a point
  // in their overlap.
  const SureShadows shadows(context, lowest, highest);
  const auto certainAt = [&](int k, double x) {
    return k != 0 && shadows.certain(x, sites.x(k), sites.y(k), table.dy(k));
  };
  if (farthest.leftEnd > highest && certainAt(farthest.leftSite, highest)) {
    return true;
  }
  if (farthest.rightEnd < lowest && certainAt(farthest.rightSite, lowest)) {
    return true;
  }
  if (farthest.leftSite == 0 || farthest.rightSite == 0 || farthest.leftEnd <= farthest.rightEnd) {
    return false;
  }
  const double split = std::clamp((farthest.leftEnd + farthest.rightEnd) / 2, lowest, highest);
  return certainAt(farthest.leftSite, split) && certainAt(farthest.rightSite, split);
}

}  // namespace geometry
