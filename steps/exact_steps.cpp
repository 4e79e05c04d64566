#include "exact_steps.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <optional>
#include <span>
#include <utility>

#include "exact_scan_tables.h"
#include "fast_verdicts.h"
#include "geometry/dist.h"
#include "geometry/heap_sort.h"
#include "geometry/screening.h"
#include "geometry/site_checks.h"
#include "geometry/window_frame.h"

namespace geometry {

ExactBisector exactBisector(const Exact& xa, const Exact& ya, const Exact& xb, const Exact& yb) {
  const Exact slope = (ya - yb) / (xa - xb);  // neither difference is zero: see site_checks
  ExactBisector b;
  b.m = -1 / slope;
  b.c = (ya + yb) / 2 - (xa + xb) / 2 * b.m;
  b.sumSq = (xb - xa) * (xb - xa) + (yb - ya) * (yb - ya);
  return b;
}

namespace {

// A column of exact values, indexed like the cut list's columns, for hSort.
template <class T>
struct Values {
  std::vector<T>& values;
  T& operator()(int index) const { return values[static_cast<std::size_t>(index)]; }
};

// When two squared distances from a piece's midpoint, worked out in doubles, lie farther
// apart than kAbsoluteSlack + kRelativeSlack times their sum, their exact values are ordered
// as they are. Every exact cut point lies on the stretch inside the domain box (P < 0 puts
// it between the ends, P = 0 at one), so a midpoint's coordinates are below the largest box
// side and rounding them to doubles moves each by at most kMidpointMove; a distance is at
// most the box's diagonal, so that move changes a squared distance by at most
// 2 (|dx| + |dy|) kMidpointMove + 2 kMidpointMove^2 < 3 kLargestDistance kMidpointMove, and
// the double arithmetic of the two sums adds a relative 4u and an absolute 1e-6 at most. The
// slacks cover each part with a factor of 40 or more to spare. They are proved for a box no
// larger than the demonstration's; for a larger one (ExactScan's frame is a parameter) every
// distance is compared in rationals.
constexpr double kLargestBoxSide = 0x1p15;
constexpr double kLargestDistance = 36566;  // the diagonal is 36,565.8
static_assert(kWindowFrame.boxW() < kLargestBoxSide && kWindowFrame.boxH() < kLargestBoxSide);
static_assert(static_cast<double>(kWindowFrame.boxW()) * kWindowFrame.boxW() +
                  static_cast<double>(kWindowFrame.boxH()) * kWindowFrame.boxH() <
              kLargestDistance * kLargestDistance);
constexpr double kMidpointMove = kLargestBoxSide * kUnitRoundoff;              // 2^-38
constexpr double kSquaredDistanceMove = 3 * kLargestDistance * kMidpointMove;  // 4.0e-7
constexpr double kArithmeticAbsolute = 1e-6;
constexpr double kAbsoluteSlack = 0x1p-14;  // 6.1e-5
constexpr double kRelativeSlack = 0x1p-30;  // 9.3e-10
static_assert(kAbsoluteSlack > 40 * (kSquaredDistanceMove + kArithmeticAbsolute));
static_assert(kRelativeSlack > 40 * 4 * kUnitRoundoff);

bool boundsHoldFor(const WindowFrame& frame) {
  return frame.boxW() < kLargestBoxSide && frame.boxH() < kLargestBoxSide &&
         static_cast<double>(frame.boxW()) * frame.boxW() +
                 static_cast<double>(frame.boxH()) * frame.boxH() <
             kLargestDistance * kLargestDistance;
}

// A gap y - (m x + c) at an end (x, y) of the stretch, worked out in doubles from the exact
// values rounded to doubles, lies within kGapSlack (|y| + |m x| + |c|) of the exact gap: the
// four roundings of the inputs and the three of the arithmetic each add at most a unit
// roundoff of that sum, 7u in all, and kGapSlack is 2^-40, over a thousand times as much.
// A gap farther from zero than that has the exact gap's sign.
constexpr double kGapSlack = 0x1p-40;
static_assert(kGapSlack > 1000 * 7 * kUnitRoundoff);

struct Gap {
  double x, y;
};

// How many units in the last place of `rounded` it lies from `exact`.
double ulpsOff(double rounded, const Exact& exact) {
  const double unit = std::nextafter(std::abs(rounded), HUGE_VAL) - std::abs(rounded);
  return toDouble(Exact((Exact(rounded) - exact) / Exact(unit)));
}

}  // namespace

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

ExactAccount ExactScan::account(int i, int j) {
  turnTo(i);
  return accountInRationals(i, j);
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
  const Gap startGap{toDouble(startX), toDouble(startY)}, endGap{toDouble(endX), toDouble(endY)};

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
      const double m = toDouble(ik.m), c = toDouble(ik.c);
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
          {k, outcome, toDouble(exactProduct()), ulpsOff(roundedP, exactProduct()), nearer});
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
  const bool boundsHold = boundsHoldFor(frame);  // doubles may decide a comparison
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
    const double mx = toDouble(midX), my = toDouble(midY);
    const auto roughly = [&](int s) {
      const double dx = sites.x(s) - mx, dy = static_cast<double>(sites.y(s)) - my;
      return dx * dx + dy * dy;
    };
    const double roughI = roughly(i);
    std::optional<Exact> toI;
    const auto closer = [&](int k) {
      const double roughK = roughly(k);
      const double apart = kAbsoluteSlack + kRelativeSlack * (roughK + roughI);
      if (boundsHold && (roughK < roughI - apart || roughK > roughI + apart)) {
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
      const auto x = [&](int e) { return toDouble(cutX[static_cast<std::size_t>(e)]); };
      const auto y = [&](int e) { return toDouble(cutY[static_cast<std::size_t>(e)]); };
      return done(ExactOutcome{PairResult::Drawn, 0, p, Piece{x(p - 1), y(p - 1), x(p), y(p)}});
    }
  }
  return done(ExactOutcome{PairResult::Shadowed, 0, 0});
}

bool sameOutcome(const PairOutcome& rounded, const ExactOutcome& exact) {
  return !exact.undefined && rounded.result == exact.result &&
         rounded.blockedBy == exact.blockedBy &&
         (rounded.result != PairResult::Drawn || rounded.piece == exact.piece);
}

}  // namespace geometry
