#include "screening.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "dist.h"

namespace geometry {

void CompetitorTable::build(const SiteColumns& sites, int i) {
  const double xi = sites.x(i);
  const float yi = sites.y(i);
  mMax = 0;
  cMax = 0;
  othersCount_ = 0;
  witnessCount_ = 0;
  for (Quadrant& quadrant : quadrants_) {
    quadrant.count = 0;
  }
  for (int k = 1; k <= sites.nSites; ++k) {
    if (k == i) {
      bisector(k) = Bisector{};
      continue;
    }
    bisector(k) = bisectorOf(xi, yi, sites.x(k), sites.y(k));
    dx(k) = sites.x(k) - xi;
    dy(k) = sites.y(k) - yi;
    mMax = std::max(mMax, std::abs(bisector(k).m));
    cMax = std::max(cMax, std::abs(bisector(k).c));
    others_[othersCount_++] = k;
    Quadrant& quadrant = quadrants_[quadrantIndex(k)];
    quadrant.sites[quadrant.count++] = k;
  }

  std::array<double, SiteColumns::kSlots> slopes{};
  for (std::size_t n = 0; n < othersCount_; ++n) {
    slopes[n] = bisector(others_[n]).m;
  }
  std::sort(slopes.begin(), slopes.begin() + static_cast<std::ptrdiff_t>(othersCount_));
  slopeGap = std::numeric_limits<double>::infinity();
  for (std::size_t n = 1; n < othersCount_; ++n) {
    const double gap = slopes[n] - slopes[n - 1];
    slopeGap = gap > 0 && gap < slopeGap ? gap : slopeGap;
  }
}

void CompetitorTable::addWitness(int k) {
  if (k != 0 && std::find(witnesses().begin(), witnesses().end(), k) == witnesses().end()) {
    witnesses_[witnessCount_++] = k;
  }
}

void appendCrossing(const PairRecord& pair, const Bisector& line, int k, CutList& cuts) {
  if (line.m == pair.m1) {  // exact on purpose: only equal slopes make a zero divisor
    return;
  }
  const double x = (line.c - pair.c1) / (pair.m1 - line.m);
  const double y = pair.m1 * x + pair.c1;
  cuts.append(x, y, k);
}

namespace {

// Whether competitor k lies in site j's quadrant around site i, strictly nearer to site i
// than site j is: the competitors that block the pair where their lines miss the stretch.
bool mayBlock(const PairContext& context, int k) {
  const CompetitorTable& table = context.table;
  return inQuadrant(table.dx(context.j), table.dy(context.j), table.dx(k), table.dy(k)) &&
         rootLess(table.bisector(k).sumSq, context.pair.sumIJ);
}

}  // namespace

bool screenCompetitors(const PairContext& context, CutList& cuts) {
  const PairRecord& pair = context.pair;
  const CompetitorTable& table = context.table;
  const int i = context.i, j = context.j;
  cuts.seed(pair.startX, pair.startY);

  for (int k = 1; k <= context.sites.nSites; ++k) {
    if (k == i || k == j) {
      continue;
    }
    const Bisector& ik = table.bisector(k);
    const double P = endGapProduct(pair, ik);
    if (P < 0) {
      appendCrossing(pair, ik, k, cuts);
      continue;
    }
    // From here on P >= 0: only a competitor in site j's quadrant around site i, strictly
    // nearer to site i than site j is, does anything. It blocks the pair when its line
    // misses the stretch, and cuts it at the end point its line passes through.
    if (!mayBlock(context, k)) {
      continue;
    }
    if (P > 0) {
      return true;
    }
    appendCrossing(pair, ik, k, cuts);
  }
  cuts.append(pair.endX, pair.endY, CutList::kEndPoint);
  return false;
}

int blockingSite(const PairContext& context) {
  for (const int k : context.table.quadrantOf(context.j)) {
    // Few lines miss the stretch: that test, the cheaper, comes first.
    if (k != context.j && endGapProduct(context.pair, context.table.bisector(k)) > 0 &&
        rootLess(context.table.bisector(k).sumSq, context.pair.sumIJ)) {
      return k;
    }
  }
  return 0;
}

}  // namespace geometry
