#include "open_piece.h"

#include <array>
#include <limits>

#include "checked_int16.h"
#include "dist.h"

namespace geometry {

namespace {

// Whether a site other than i and j is strictly closer than site i to the midpoint of the
// piece from x0 to x1. Any such site decides it, so the likely ones, first and second, are
// asked before the rest.
bool shadowed(const PairRecord& pair, double x0, double x1, const SiteColumns& sites, int i, int j,
              int first = 0, int second = 0) {
  const Midpoint mid = pieceMidpoint(pair, x0, x1);
  const double sumI = squaredSum(mid.x, mid.y, sites.x(i), sites.y(i));
  const auto closer = [&](int k) {
    return k != i && k != j && rootLess(squaredSum(mid.x, mid.y, sites.x(k), sites.y(k)), sumI);
  };
  if ((first != 0 && closer(first)) || (second != 0 && closer(second))) {
    return true;
  }
  for (int k = 1; k <= sites.nSites; ++k) {
    if (closer(k)) {
      return true;
    }
  }
  return false;
}

struct Entry {
  double x, y;
};

constexpr double kInfinity = std::numeric_limits<double>::infinity();

}  // namespace

int firstOpenPiece(const PairRecord& pair, const CutList& cuts, const SiteColumns& sites, int i,
                   int j) {
  const std::int16_t lastPiece = sub16(cuts.cutCount, 1, "cutCount - 1");
  for (int p = 1; p <= lastPiece; ++p) {
    if (!shadowed(pair, cuts.cutX(p - 1), cuts.cutX(p), sites, i, j)) {
      return p;
    }
  }
  return 0;
}

std::optional<NumberedPiece> openPiece(const PairContext& context, const FarthestShadows& farthest,
                                       CutList& cuts) {
  const PairRecord& pair = context.pair;
  const SiteColumns& sites = context.sites;
  const int i = context.i, j = context.j;
  const int count = cuts.cutCount;
  double lowest = kInfinity, highest = -kInfinity;
  for (int e = 0; e < count; ++e) {
    lowest = std::min(lowest, cuts.cutX(e));
    highest = std::max(highest, cuts.cutX(e));
  }
  const ShadowReach reach = certainReach(farthest, context, lowest, highest);

  // The cut points fall into three runs of the sorted list: those in the left shadow's
  // reach, those between, and those in the right shadow's reach. Of the first and last
  // runs only the innermost point ends a piece worth testing.
  Entry lastLeft{-kInfinity, 0}, firstRight{kInfinity, 0};
  int lastLeftCopies = 0, firstRightCopies = 0;
  int leftCount = 0;  // the entries in the left shadow's reach: the first in sorted order
  std::array<Entry, SiteColumns::kSlots + 2> run{};
  std::size_t between = 1;  // run[0] is left for lastLeft
  bool needsFullSort = false;
  for (int e = 0; e < count; ++e) {
    const Entry entry{cuts.cutX(e), cuts.cutY(e)};
    // Most points fall into a shadow's reach and change nothing: the tests are arranged so
    // that the usual outcome is the one the processor predicts.
    const bool inLeft = entry.x <= reach.left;
    const bool inRight = !inLeft && entry.x >= reach.right;
    leftCount += inLeft ? 1 : 0;
    if (inLeft && entry.x >= lastLeft.x) {
      lastLeftCopies = entry.x == lastLeft.x ? lastLeftCopies + 1 : 1;
      lastLeft = entry;
    }
    if (inRight && entry.x <= firstRight.x) {
      firstRightCopies = entry.x == firstRight.x ? firstRightCopies + 1 : 1;
      firstRight = entry;
    }
    if (!inLeft && !inRight) {
      if (between > SiteColumns::kSlots) {
        needsFullSort = true;  // more cut points than sites: not a list the screening made
        continue;
      }
      // Insertion into the sorted middle run.
      std::size_t at = between++;
      for (; at > 1 && run[at - 1].x > entry.x; --at) {
        run[at] = run[at - 1];
      }
      run[at] = entry;
      needsFullSort = needsFullSort || (at > 1 && run[at - 1].x == entry.x);
    }
  }

  if (needsFullSort || lastLeftCopies > 1 || firstRightCopies > 1) {
    // Equal cut points may carry different y; which one ends a piece is up to the sort.
    cuts.sort();
    const int p = firstOpenPiece(pair, cuts, sites, i, j);
    if (p == 0) {
      return std::nullopt;
    }
    return NumberedPiece{p, Piece{cuts.cutX(p - 1), cuts.cutY(p - 1), cuts.cutX(p), cuts.cutY(p)}};
  }

  std::size_t first = 1, end = between;
  if (lastLeftCopies == 1) {
    run[--first] = lastLeft;
  }
  if (firstRightCopies == 1) {
    run[end++] = firstRight;
  }
  // run[n] for n >= 1 is sorted entry leftCount + n - 1, and ends that entry's piece.
  for (std::size_t n = first + 1; n < end; ++n) {
    if (!shadowed(pair, run[n - 1].x, run[n].x, sites, i, j, farthest.leftSite,
                  farthest.rightSite)) {
      return NumberedPiece{leftCount + static_cast<int>(n) - 1,
                           Piece{run[n - 1].x, run[n - 1].y, run[n].x, run[n].y}};
    }
  }
  return std::nullopt;
}

}  // namespace geometry
