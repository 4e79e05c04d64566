#include "exact_steps.h"

#include <gmpxx.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <optional>
#include <span>
#include <utility>

#include "fast_verdicts.h"
#include "geometry/heap_sort.h"
#include "geometry/screening.h"
#include "geometry/site_checks.h"
#include "interval.h"

namespace geometry {

// The bisector of two sites in intervals, by the exact bisector's formulas (below).
struct IntervalBisector {
  Interval m, c, sumSq;
};

namespace {

using Exact = mpq_class;

// The perpendicular bisector of sites a and b, y = m x + c, and their squared distance, by
// the formulas of bisectorOf without their roundings.
struct ExactBisector {
  Exact m, c, sumSq;
};

ExactBisector exactBisector(const Exact& xa, const Exact& ya, const Exact& xb, const Exact& yb) {
  const Exact slope = (ya - yb) / (xa - xb);  // neither difference is zero: see site_checks
  ExactBisector b;
  b.m = -1 / slope;
  b.c = (ya + yb) / 2 - (xa + xb) / 2 * b.m;
  b.sumSq = (xb - xa) * (xb - xa) + (yb - ya) * (yb - ya);
  return b;
}

// A column of exact values, indexed like the cut list's columns, for hSort.
template <class T>
struct Values {
  std::vector<T>& values;
  T& operator()(int index) const { return values[static_cast<std::size_t>(index)]; }
};

// When two squared distances from a piece's midpoint, worked out in doubles, lie farther
// apart than kAbsoluteSlack + kRelativeSlack times their sum, their exact values are ordered
// as they are. Every exact
// cut point lies on the stretch inside the domain box (P < 0 puts it between the ends, P = 0
// at one), so a midpoint's coordinates are below 2^15 and rounding them to doubles moves
// them by at most 2^-38 each; a distance is at most the box's diagonal, 36,565, so that
// move changes a squared distance by under 4e-7, and the double arithmetic of the two sums
// adds a relative 2^-50 and an absolute 1e-6 at most. The two slacks below cover each
// part with a factor of 60 or more to spare.
constexpr double kAbsoluteSlack = 0x1p-14;  // 6.1e-5, against 1.4e-6
constexpr double kRelativeSlack = 0x1p-30;  // 9.3e-10, against 2^-50 = 8.9e-16

// A gap y - (m x + c) at an end (x, y) of the stretch, worked out in doubles from the exact
// values rounded to doubles, lies within kGapSlack (|y| + |m x| + |c|) of the exact gap: the
// four roundings of the inputs and the three of the arithmetic each add at most a unit
// roundoff of that sum, 7u in all, and kGapSlack is 2^-40, over a thousand times as much.
// A gap farther from zero than that has the exact gap's sign.
constexpr double kGapSlack = 0x1p-40;
static_assert(kGapSlack > 1000 * 7 * 0x1p-53);

struct Gap {
  double x, y;
};

// How many units in the last place of `rounded` it lies from `exact`.
double ulpsOff(double rounded, const Exact& exact) {
  const double unit = std::nextafter(std::abs(rounded), HUGE_VAL) - std::abs(rounded);
  return Exact((Exact(rounded) - exact) / Exact(unit)).get_d();
}

// The bisector y = m x + c clipped to the box, by the pair record's branches: its start and
// end points, in exact numbers or in intervals.
template <class Number>
struct Stretch {
  Number startX, startY, endX, endY;
};
template <class Number>
Stretch<Number> clippedStretch(const Number& m1, const Number& c1, const Number& boxW,
                               const Number& boxH) {
  Stretch<Number> s{Number(0.0), Number(0.0), Number(0.0), Number(0.0)};
  if (c1 > Number(0.0) && c1 < boxH) {
    s.startX = Number(0.0), s.startY = c1;
  } else if (m1 > Number(0.0)) {
    s.startX = -c1 / m1, s.startY = Number(0.0);
  } else {
    s.startX = (boxH - c1) / m1, s.startY = boxH;
  }
  const Number yAtBoxW = m1 * boxW + c1;
  if (yAtBoxW > Number(0.0) && yAtBoxW < boxH) {
    s.endX = boxW, s.endY = yAtBoxW;
  } else if (m1 > Number(0.0)) {
    s.endX = (boxH - c1) / m1, s.endY = boxH;
  } else {
    s.endX = -c1 / m1, s.endY = Number(0.0);
  }
  return s;
}

IntervalBisector intervalBisector(double xa, double ya, double xb, double yb) {
  const Interval slope = (Interval(ya) - yb) / (Interval(xa) - xb);
  const Interval m = Interval(-1.0) / slope;
  return {m, (Interval(ya) + yb).half() - (Interval(xa) + xb).half() * m,
          (Interval(xb) - xa).squared() + (Interval(yb) - ya).squared()};
}

}  // namespace

// The certain shadows of some competitors on pair (i, j)'s stretch. Along the bisector
// y = m1 x + c1, site k is strictly nearer than site i at x just when A + B x < 0, where
//   B = -2 ((xk - xi) + m1 (yk - yi)),   A = xk^2 + yk^2 - xi^2 - yi^2 - 2 c1 (yk - yi):
// on a half-line that ends at x = -A / B and reaches left where B > 0, right where B < 0.
// When the farthest-reaching shadows from the left and from the right together cover the
// stretch, every midpoint the piece test could take has a site strictly nearer than i, so
// the exact steps reject every piece whatever the sort. The ends are intervals: a shadow
// counts only where its direction is certain, and reaches only as far as certain.
struct Coverage {
  bool covered = false;
  int leftSite = 0, rightSite = 0;  // the farthest-reaching shadows, or 0
  // Every point of the bisector left of leftReach, and every point right of rightReach, has
  // a site strictly nearer than site i.
  double leftReach = -HUGE_VAL, rightReach = HUGE_VAL;
};

// What site k's shadow on site i's bisectors needs that does not depend on the partner j:
// xk - xi, yk - yi and xk^2 + yk^2 - xi^2 - yi^2.
struct ShadowTerms {
  Interval dx{0.0}, dy{0.0}, squares{0.0};
};

ShadowTerms shadowTerms(const SiteColumns& sites, int i, int k) {
  const double xi = sites.x(i), yi = sites.y(i), xk = sites.x(k), yk = sites.y(k);
  return {Interval(xk) - xi, Interval(yk) - yi,
          (Interval(xk) * xk + Interval(yk) * yk) - (Interval(xi) * xi + Interval(yi) * yi)};
}

// Site i's bisector with a competitor k, as the outcome's filter reads it.
struct NearLine {
  Near m, c;
  GapLine line;  // the same, ready for gapSign
  Interval sumSq{0.0};
};

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

struct ExactScan::Tables {
  bool detailed = false;                                  // the account's values too, or decisions
  std::vector<Exact> x, y;                                // by site number; index 0 unused
  std::vector<int> sites;                                 // 1 to nSites
  int bisectorsOf = 0;                                    // the site i of what follows
  std::vector<std::optional<ExactBisector>> bisectors;    // of site i with each site k
  std::vector<std::optional<IntervalBisector>> enclosed;  // the same in intervals
  std::vector<ShadowTerms> shadowTerms;                   // of site i's shadows, by site k
  std::vector<NearLine> lines;                            // site i's bisectors, by site k
  // Both, by row i and column k, for the sites whose rows were made: site k's bisector with
  // site i is site i's with site k, and its shadow terms are the same, negated.
  int rowOf = 0;  // the site whose row `lines` and `shadowTerms` hold
  std::vector<NearLine> lineRows;
  std::vector<ShadowTerms> termRows;
  std::vector<bool> rowMade;
  // The other sites by quadrant around site i (see quadrantOf), in ascending number: the
  // competitors that may block a pair lie in its partner's.
  std::array<std::vector<int>, 4> quadrants;
  // The sites whose shadows covered earlier pairs of site i, and its partners drawn so far:
  // mostly its Voronoi neighbours, whose shadows cover most of its other pairs. Only a
  // guide: any list decides the same, some sooner.
  std::vector<int> witnesses;
  std::vector<std::vector<int>> partners;  // by site: the partners drawn so far
  std::vector<Interval> cuts;              // the pair's cut points, for the verdict alone

  void addWitness(int k) {
    if (k != 0 && std::find(witnesses.begin(), witnesses.end(), k) == witnesses.end()) {
      witnesses.push_back(k);
    }
  }
};

ExactScan::ExactScan(const WindowFrame& frame, const SiteColumns& sites, Arithmetic arithmetic)
    : frame_(frame), sites_(sites), arithmetic_(arithmetic), tables_(std::make_unique<Tables>()) {
  tables_->x.resize(static_cast<std::size_t>(sites.nSites) + 1);
  tables_->y.resize(static_cast<std::size_t>(sites.nSites) + 1);
  for (int k = 1; k <= sites.nSites; ++k) {
    tables_->x[static_cast<std::size_t>(k)] = Exact(sites.x(k));
    tables_->y[static_cast<std::size_t>(k)] = Exact(static_cast<double>(sites.y(k)));
  }
  tables_->partners.resize(static_cast<std::size_t>(sites.nSites) + 1);
  tables_->sites.resize(static_cast<std::size_t>(sites.nSites));
  std::iota(tables_->sites.begin(), tables_->sites.end(), 1);
}

ExactScan::~ExactScan() = default;

ExactOutcome followPairExactly(const WindowFrame& frame, const SiteColumns& sites, int i, int j) {
  return accountExactly(frame, sites, i, j).outcome;
}

ExactAccount accountExactly(const WindowFrame& frame, const SiteColumns& sites, int i, int j) {
  ExactScan scan(frame, sites);
  scan.tables_->detailed = true;
  return scan.account(i, j);
}

void ExactScan::turnTo(int i) {
  Tables& t = *tables_;
  if (t.bisectorsOf != i) {
    t.bisectorsOf = i;
    t.bisectors.assign(static_cast<std::size_t>(sites_.nSites) + 1, std::nullopt);
    t.enclosed.assign(static_cast<std::size_t>(sites_.nSites) + 1, std::nullopt);
  }
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

ExactAccount ExactScan::account(int i, int j) {
  turnTo(i);
  return accountInRationals(i, j);
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

ExactAccount ExactScan::accountInRationals(int i, int j) {
  const WindowFrame& frame = frame_;
  const SiteColumns& sites = sites_;
  Tables& t = *tables_;
  ExactAccount account;
  const auto done = [&](ExactOutcome outcome) {
    account.outcome = outcome;
    return account;
  };
  const auto X = [&](int s) -> const Exact& { return t.x[static_cast<std::size_t>(s)]; };
  const auto Y = [&](int s) -> const Exact& { return t.y[static_cast<std::size_t>(s)]; };
  const auto bisectorWith = [&](int k) -> const ExactBisector& {
    auto& cached = t.bisectors[static_cast<std::size_t>(k)];
    if (!cached) {
      cached = exactBisector(X(i), Y(i), X(k), Y(k));
    }
    return *cached;
  };
  const Exact boxW(static_cast<double>(frame.boxW())), boxH(static_cast<double>(frame.boxH()));

  // The pair record: the bisector clipped to the box, by the same branches.
  const ExactBisector& pair = bisectorWith(j);
  const Exact &m1 = pair.m, &c1 = pair.c;
  const Bisector rounded = bisectorOf(sites.x(i), sites.y(i), sites.x(j), sites.y(j));
  account.m1Ulps = ulpsOff(rounded.m, m1);
  account.c1Ulps = ulpsOff(rounded.c, c1);
  const PairRecord roundedPair = pairRecord(rounded, frame);
  const Stretch<Exact> stretch = clippedStretch<Exact>(m1, c1, boxW, boxH);
  const Exact &startX = stretch.startX, &startY = stretch.startY, &endX = stretch.endX,
              &endY = stretch.endY;

  // The ends of the stretch as doubles, for reading the gaps' signs.
  const Gap startGap{startX.get_d(), startY.get_d()}, endGap{endX.get_d(), endY.get_d()};

  // Screening: the block and cut rules on exact signs and squared distances.
  std::vector<Exact> cutX{startX}, cutY{startY};
  std::vector<int> cutSite{CutList::kStartPoint};
  const int quadrantX = sgn(X(j) - X(i)), quadrantY = sgn(Y(j) - Y(i));
  for (int k = 1; k <= sites.nSites; ++k) {
    if (k == i || k == j) {
      continue;
    }
    const ExactBisector& ik = bisectorWith(k);
    // The sign of P = gapStart gapEnd; each gap's sign is read off doubles when they leave
    // no doubt (see kGapSlack), else worked out exactly. The account's values need P itself.
    std::optional<Exact> product;
    const auto exactProduct = [&]() -> const Exact& {
      if (!product) {
        product = (startY - (ik.m * startX + ik.c)) * (endY - (ik.m * endX + ik.c));
      }
      return *product;
    };
    const auto gapSign = [&](const Gap& end) {
      const double m = ik.m.get_d(), c = ik.c.get_d();
      const double gap = end.y - (m * end.x + c);
      const double doubt = kGapSlack * (std::abs(end.y) + std::abs(m * end.x) + std::abs(c));
      return gap > doubt ? 1 : gap < -doubt ? -1 : 0;  // 0: in doubt
    };
    const int startSign = gapSign(startGap), endSign = gapSign(endGap);
    const int P =
        t.detailed || startSign == 0 || endSign == 0 ? sgn(exactProduct()) : startSign * endSign;
    const int nearer = cmp(ik.sumSq, pair.sumSq);  // < 0: k nearer to i than j is
    const bool quadrant = quadrantX * sgn(X(k) - X(i)) > 0 && quadrantY * sgn(Y(k) - Y(i)) > 0;
    const auto record = [&](Screening outcome) {
      if (!t.detailed) {
        account.competitors.push_back({k, outcome, 0, 0, nearer});
        return;
      }
      const double roundedP =
          endGapProduct(roundedPair, bisectorOf(sites.x(i), sites.y(i), sites.x(k), sites.y(k)));
      account.competitors.push_back(
          {k, outcome, exactProduct().get_d(), ulpsOff(roundedP, exactProduct()), nearer});
    };
    if (P > 0 && nearer < 0 && quadrant) {
      record(Screening::Blocked);
      return done(ExactOutcome{PairResult::Blocked, k, 0});
    }
    const bool cut = (P < 0 || nearer > 0 || quadrant) && (P < 0 || nearer < 0);
    record(cut ? Screening::Cut : quadrant ? Screening::NotNearer : Screening::OutsideQuadrant);
    if (cut) {
      if (ik.m == m1) {
        return done(ExactOutcome{PairResult::Shadowed, 0, 0, {}, true, k});
      }
      const Exact x = (ik.c - c1) / (m1 - ik.m);
      cutX.push_back(x);
      cutY.push_back(m1 * x + c1);
      cutSite.push_back(k);
    }
  }
  cutX.push_back(endX);
  cutY.push_back(endY);
  cutSite.push_back(CutList::kEndPoint);
  const auto count = static_cast<std::int16_t>(cutX.size());
  hSort(count, Values<Exact>{cutX}, Values<Exact>{cutY}, Values<int>{cutSite});
  account.sortedSites = cutSite;

  // Piece test: the first piece whose midpoint has no other site strictly closer than i.
  for (int p = 1; p < count; ++p) {
    const Exact midX =
        (cutX[static_cast<std::size_t>(p - 1)] + cutX[static_cast<std::size_t>(p)]) / 2;
    const Exact midY = m1 * midX + c1;
    const auto squared = [&](int s) {
      const Exact dx = X(s) - midX, dy = Y(s) - midY;
      return Exact(dx * dx + dy * dy);
    };
    // Most comparisons are far from a tie, and doubles decide them (see kAbsoluteSlack);
    // only the others are made exactly.
    const double mx = midX.get_d(), my = midY.get_d();
    const auto roughly = [&](int s) {
      const double dx = sites.x(s) - mx, dy = static_cast<double>(sites.y(s)) - my;
      return dx * dx + dy * dy;
    };
    const double roughI = roughly(i);
    std::optional<Exact> toI;
    const auto closer = [&](int k) {
      const double roughK = roughly(k);
      const double apart = kAbsoluteSlack + kRelativeSlack * (roughK + roughI);
      if (roughK < roughI - apart || roughK > roughI + apart) {
        return roughK < roughI;
      }
      if (!toI) {
        toI = squared(i);
      }
      return squared(k) < *toI;
    };
    int shadow = 0;
    for (int k = 1; k <= sites.nSites && shadow == 0; ++k) {
      shadow = k != i && k != j && closer(k) ? k : 0;
    }
    account.shadowers.push_back(shadow);
    if (shadow == 0) {
      const auto x = [&](int e) { return cutX[static_cast<std::size_t>(e)].get_d(); };
      const auto y = [&](int e) { return cutY[static_cast<std::size_t>(e)].get_d(); };
      return done(ExactOutcome{PairResult::Drawn, 0, p, Piece{x(p - 1), y(p - 1), x(p), y(p)}});
    }
  }
  return done(ExactOutcome{PairResult::Shadowed, 0, 0});
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

bool sameOutcome(const PairOutcome& rounded, const ExactOutcome& exact) {
  return !exact.undefined && rounded.result == exact.result &&
         rounded.blockedBy == exact.blockedBy &&
         (rounded.result != PairResult::Drawn || rounded.piece == exact.piece);
}

}  // namespace geometry
