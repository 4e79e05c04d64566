#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <utility>

#include "exact_scan_tables.h"
#include "fast_verdicts.h"
#include "geometry/site_checks.h"

namespace geometry {

namespace {

IntervalBisector intervalBisector(double xa, double ya, double xb, double yb) {
  const Interval slope = (Interval(ya) - yb) / (Interval(xa) - xb);
  const Interval m = Interval(-1.0) / slope;
  return {m, (Interval(ya) + yb).half() - (Interval(xa) + xb).half() * m,
          (Interval(xb) - xa).squared() + (Interval(yb) - ya).squared()};
}

}  // namespace

ShadowTerms shadowTerms(const SiteColumns& sites, int i, int k) {
  const double xi = sites.x(i), yi = sites.y(i), xk = sites.x(k), yk = sites.y(k);
  return {Interval(xk) - xi, Interval(yk) - yi,
          (Interval(xk) * xk + Interval(yk) * yk) - (Interval(xi) * xi + Interval(yi) * yi)};
}

// Which quadrant around site i site k lies in, 0 to 3: sites of the layout share no x and no
// y, so every other site lies strictly in one.
std::size_t quadrantOf(const SiteColumns& sites, int i, int k) {
  return (sites.x(k) > sites.x(i) ? 1U : 0U) + (sites.y(k) > sites.y(i) ? 2U : 0U);
}

Coverage shadowCoverage(const std::vector<ShadowTerms>& terms, int i, int j, const Interval& m1,
                        const Interval& c1, const Stretch<Interval>& stretch,
                        std::span<const int> competitors) {
  // The farthest-reaching shadows are chosen in plain doubles, then their ends worked out in
  // intervals: a choice that rounding got wrong (a nearer end, a shadow whose direction is
  // not certain) makes a cover less likely, never a wrong one.
  const double m = m1.lo, c = c1.lo;
  double farthestLeft = -HUGE_VAL, farthestRight = HUGE_VAL;
  Coverage coverage;
  for (const int k : competitors) {
    const ShadowTerms& t = terms[static_cast<std::size_t>(k)];
    const double B = -2 * (t.dx.lo + m * t.dy.lo);
    const double end = (t.squares.lo - 2 * c * t.dy.lo) / -B;
    // Without branches (& rather than &&): the side is a coin toss from one competitor to
    // the next.
    const bool other = (k != i) & (k != j);
    const bool fartherLeft = other & (B > 0) & (end > farthestLeft);
    const bool fartherRight = other & (B < 0) & (end < farthestRight);
    farthestLeft = fartherLeft ? end : farthestLeft;
    coverage.leftSite = fartherLeft ? k : coverage.leftSite;
    farthestRight = fartherRight ? end : farthestRight;
    coverage.rightSite = fartherRight ? k : coverage.rightSite;
  }
  // The end of site k's shadow, if its direction (B > 0: from the left) is certain.
  const auto certainEnd = [&](int k, bool fromLeft) -> std::optional<Interval> {
    const ShadowTerms& t = terms[static_cast<std::size_t>(k)];
    const Interval B = Interval(-2.0) * (t.dx + m1 * t.dy);
    if (fromLeft ? B.lo <= 0 : B.hi >= 0) {
      return std::nullopt;
    }
    return -(t.squares - Interval(2.0) * c1 * t.dy) / B;
  };
  if (coverage.leftSite != 0) {
    const auto end = certainEnd(coverage.leftSite, true);
    coverage.leftReach = end ? end->lo : -HUGE_VAL;
  }
  if (coverage.rightSite != 0) {
    const auto end = certainEnd(coverage.rightSite, false);
    coverage.rightReach = end ? end->hi : HUGE_VAL;
  }
  const double lowest = std::min(stretch.startX.lo, stretch.endX.lo);
  const double highest = std::max(stretch.startX.hi, stretch.endX.hi);
  coverage.covered = highest < coverage.leftReach || coverage.rightReach < lowest ||
                     coverage.rightReach < coverage.leftReach;
  return coverage;
}

void ExactScan::makeRow(int i) {
  Tables& t = *tables_;
  if (t.rowOf == i) {
    return;
  }
  const auto n = static_cast<std::size_t>(sites_.nSites) + 1;
  if (t.rowOf != 0) {
    // The row turned away from is kept for its mirrored pairs (a scan of one row keeps none).
    if (t.rowMade.empty()) {
      t.rowMade.assign(n, false);
      t.lineRows.resize(n * n);
      t.termRows.resize(n * n);
    }
    const auto kept = static_cast<std::size_t>(t.rowOf);
    std::copy(t.lines.begin(), t.lines.end(),
              t.lineRows.begin() + static_cast<std::ptrdiff_t>(kept * n));
    std::copy(t.shadowTerms.begin(), t.shadowTerms.end(),
              t.termRows.begin() + static_cast<std::ptrdiff_t>(kept * n));
    t.rowMade[kept] = true;
  }
  t.rowOf = i;
  t.witnesses = t.partners[static_cast<std::size_t>(i)];
  t.shadowTerms.assign(n, ShadowTerms{});
  t.lines.assign(n, NearLine{});
  for (auto& quadrant : t.quadrants) {
    quadrant.clear();
  }
  const auto row = static_cast<std::size_t>(i);
  for (int k = 1; k <= sites_.nSites; ++k) {
    if (k == i) {
      continue;
    }
    t.quadrants[quadrantOf(sites_, i, k)].push_back(k);
    const auto at = static_cast<std::size_t>(k);
    if (!t.rowMade.empty() && t.rowMade[at]) {
      t.lines[at] = t.lineRows[at * n + row];
      const ShadowTerms& mirrored = t.termRows[at * n + row];
      t.shadowTerms[at] = {-mirrored.dx, -mirrored.dy, -mirrored.squares};
    } else {
      t.shadowTerms[at] = shadowTerms(sites_, i, k);
      const IntervalBisector& line = enclosedBisector(i, k);
      t.lines[at] =
          NearLine{Near(line.m), Near(line.c), GapLine(Near(line.m), Near(line.c)), line.sumSq};
    }
  }
}

std::optional<PairVerdict> ExactScan::verdict(int i, int j) {
  turnTo(i);
  makeRow(i);
  if (arithmetic_ == Arithmetic::Filtered) {
    try {
      return decideVerdictEnclosed(i, j);
    } catch (const Undecided&) {
    }
  }
  const ExactOutcome exact = accountInRationals(i, j).outcome;
  if (exact.undefined) {
    return std::nullopt;
  }
  return PairVerdict{exact.result, exact.blockedBy, exact.piece};
}

const IntervalBisector& ExactScan::enclosedBisector(int i, int k) {
  auto& cached = tables_->enclosed[static_cast<std::size_t>(k)];
  if (!cached) {
    cached = intervalBisector(sites_.x(i), sites_.y(i), sites_.x(k), sites_.y(k));
  }
  return *cached;
}

// The verdict alone, decided the short way, each sign and comparison filtered in doubles
// (gapSign, crossingOf) or intervals, Undecided thrown where they leave one open: the
// blocking site looked for among the competitors that can block, and a stretch that the
// certain shadows cover passed without screening or sort (the shadows of site i's
// witnesses are tried first). Only the other pairs are screened, and only their pieces
// outside the shadows' reach sorted and tested.
PairVerdict ExactScan::decideVerdictEnclosed(int i, int j) {
  const SiteColumns& sites = sites_;
  Tables& t = *tables_;
  const IntervalBisector& pair = enclosedBisector(i, j);
  const Stretch<Interval> stretch =
      clippedStretch(pair.m, pair.c, Interval(static_cast<double>(frame_.boxW())),
                     Interval(static_cast<double>(frame_.boxH())));
  // A competitor blocks when it lies in j's quadrant, nearer than j, and its line misses
  // the stretch (P > 0); the screening stops at the first.
  const GapEnd start(Near(stretch.startX), Near(stretch.startY)),
      end(Near(stretch.endX), Near(stretch.endY));
  // The sign of P, 0 where a gap is in doubt or a line passes through an end of the
  // stretch.
  const auto roughSign = [&](const NearLine& k) {
    return gapSign(start, k.line) * gapSign(end, k.line);
  };
  const auto crossSign = [&](const NearLine& line) {
    const int sign = roughSign(line);
    if (sign == 0) {
      throw Undecided{};
    }
    return sign;
  };
  // Few lines miss the stretch: that test, the cheaper, comes first.
  for (const int k : t.quadrants[quadrantOf(sites, i, j)]) {
    const NearLine& line = t.lines[static_cast<std::size_t>(k)];
    const int sign = roughSign(line);
    if (k == j || sign < 0 || line.sumSq.lo >= pair.sumSq.hi) {
      continue;  // its line crosses the stretch, or it is not nearer
    }
    if (line.sumSq.hi >= pair.sumSq.lo || sign == 0) {
      throw Undecided{};  // the two distances may tie, or P may be 0 or positive
    }
    return PairVerdict{PairResult::Blocked, k, 0};
  }
  if (shadowCoverage(t.shadowTerms, i, j, pair.m, pair.c, stretch, t.witnesses).covered) {
    return PairVerdict{PairResult::Shadowed, 0, 0};
  }
  const Coverage coverage = shadowCoverage(t.shadowTerms, i, j, pair.m, pair.c, stretch, t.sites);
  if (coverage.covered) {
    t.addWitness(coverage.leftSite);
    t.addWitness(coverage.rightSite);
    return PairVerdict{PairResult::Shadowed, 0, 0};
  }

  // Not blocked: every competitor whose line crosses the stretch cuts it (one through an
  // end of it, P = 0, leaves the decision to the rationals). A cut point certainly inside a
  // certain shadow's reach ends only pieces that the test rejects whichever site it finds
  // nearer: such points are counted, and only the innermost on each side is kept (as an
  // interval that holds it). The others are sorted and their pieces tested.
  int leftCount = 0;
  bool anyLeft = false, anyRight = false;
  Interval lastLeft(-HUGE_VAL), firstRight(HUGE_VAL);
  t.cuts.clear();
  const auto place = [&](const Interval& x) {
    if (x.hi < coverage.leftReach) {
      ++leftCount;
      anyLeft = true;
      lastLeft = {std::max(lastLeft.lo, x.lo), std::max(lastLeft.hi, x.hi)};
    } else if (x.lo > coverage.rightReach) {
      anyRight = true;
      firstRight = {std::min(firstRight.lo, x.lo), std::min(firstRight.hi, x.hi)};
    } else {
      t.cuts.push_back(x);
    }
  };
  place(stretch.startX);
  const Near m1(pair.m), c1(pair.c);
  for (int k = 1; k <= sites.nSites; ++k) {
    const NearLine& line = t.lines[static_cast<std::size_t>(k)];
    if (k != i && k != j && crossSign(line) < 0) {
      place(enclosure(crossingOf(m1, c1, line.m, line.c)));
    }
  }
  place(stretch.endX);
  // The heap sort orders the exact x; equal ones are the same point of the bisector, so
  // the pieces' midpoints, and the number of the first open one, do not depend on how it
  // orders them. Any sort gives the same numbers, once its order is certain: each entry
  // certainly not after the next, and the kept ones certainly not after (before) the rest.
  std::sort(t.cuts.begin(), t.cuts.end(),
            [](const Interval& a, const Interval& b) { return a.lo < b.lo; });
  if (anyLeft) {
    t.cuts.insert(t.cuts.begin(), lastLeft);
  }
  if (anyRight) {
    t.cuts.push_back(firstRight);
  }
  for (std::size_t e = 1; e < t.cuts.size(); ++e) {
    if (!(t.cuts[e - 1].hi <= t.cuts[e].lo)) {
      throw Undecided{};
    }
  }
  // Entry e of the kept run is entry e + first of the whole sorted list.
  const int first = anyLeft ? leftCount - 1 : 0;
  // Piece test. A piece wholly inside a certain shadow's reach is rejected whichever site
  // the steps would find nearer. For the others, sites that doubles find clearly nearer
  // than site i are asked first, the likely shadows before the rest, and certified in
  // intervals; a piece none of them shadows is tested against every site in intervals.
  for (std::size_t p = 1; p < t.cuts.size(); ++p) {
    const Interval &from = t.cuts[p - 1], &to = t.cuts[p];
    if (to.hi < coverage.leftReach || from.lo > coverage.rightReach) {
      continue;
    }
    const Interval midX = (from + to).half();
    const Interval midY = pair.m * midX + pair.c;
    const auto squaredTo = [&](int k) {
      return (Interval(sites.x(k)) - midX).squared() +
             (Interval(static_cast<double>(sites.y(k))) - midY).squared();
    };
    const Interval toI = squaredTo(i);
    const auto roughlyTo = [&](int k) {
      const double dx = sites.x(k) - midX.lo, dy = sites.y(k) - midY.lo;
      return dx * dx + dy * dy;
    };
    const double roughI = roughlyTo(i);
    const auto certainlyNearer = [&](int k) {
      return k != i && k != j && k != 0 && roughlyTo(k) < roughI && squaredTo(k).hi < toI.lo;
    };
    bool shadowed = certainlyNearer(coverage.leftSite) || certainlyNearer(coverage.rightSite);
    for (int k = 1; k <= sites.nSites && !shadowed; ++k) {
      shadowed = certainlyNearer(k);
    }
    for (int k = 1; k <= sites.nSites && !shadowed; ++k) {
      shadowed = k != i && k != j && squaredTo(k) < toI;  // Undecided where they may tie
    }
    if (!shadowed) {
      t.addWitness(j);
      t.partners[static_cast<std::size_t>(j)].push_back(i);
      return PairVerdict{PairResult::Drawn, 0, first + static_cast<int>(p)};
    }
  }
  return PairVerdict{PairResult::Shadowed, 0, 0};
}

std::vector<std::pair<int, int>> pairsDifferingFromExact(const WindowFrame& frame,
                                                         const SiteColumns& sites,
                                                         const std::function<bool()>& stop) {
  requireDistinctCoordinates(sites);
  FastVerdicts rounded(frame, sites);
  ExactScan exact(frame, sites);
  std::vector<std::pair<int, int>> pairs;
  for (int i = 1; i < sites.nSites; ++i) {
    for (int j = i + 1; j <= sites.nSites; ++j) {
      if (stop && stop()) {
        return pairs;
      }
      if (exact.verdict(i, j) != rounded.verdict(i, j)) {
        pairs.emplace_back(i, j);
      }
    }
  }
  return pairs;
}

}  // namespace geometry
