#include "exact_steps.h"

#include <gmpxx.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

#include "geometry/heap_sort.h"
#include "geometry/screening.h"
#include "interval.h"

namespace geometry {

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

// The bisector of sites a and b in intervals, by exactBisector's formulas.
struct IntervalBisector {
  Interval m, c, sumSq;
};

IntervalBisector intervalBisector(double xa, double ya, double xb, double yb) {
  const Interval slope = (Interval(ya) - yb) / (Interval(xa) - xb);
  const Interval m = Interval(-1.0) / slope;
  return {m, (Interval(ya) + yb).half() - (Interval(xa) + xb).half() * m,
          (Interval(xb) - xa).squared() + (Interval(yb) - ya).squared()};
}

}  // namespace

// Whether every point of pair (i, j)'s stretch certainly has a site strictly nearer than
// site i. Along the bisector y = m1 x + c1, site k is strictly nearer than site i at x just
// when A + B x < 0, where
//   B = -2 ((xk - xi) + m1 (yk - yi)),   A = xk^2 + yk^2 - xi^2 - yi^2 - 2 c1 (yk - yi):
// on a half-line that ends at x = -A / B and reaches left where B > 0, right where B < 0.
// When the farthest-reaching shadows from the left and from the right together cover the
// stretch, every midpoint the piece test could take has a site strictly nearer than i, so
// the exact steps reject every piece whatever the sort. The ends are intervals: a shadow
// counts only where its direction is certain, and reaches only as far as certain.
bool shadowedThroughout(const SiteColumns& sites, int i, int j, const Interval& m1,
                        const Interval& c1, const Stretch<Interval>& stretch) {
  const double xi = sites.x(i), yi = sites.y(i);
  const double lowest = std::min(stretch.startX.lo, stretch.endX.lo);
  const double highest = std::max(stretch.startX.hi, stretch.endX.hi);
  double leftReach = -HUGE_VAL, rightReach = HUGE_VAL;  // certain: shadowed left of, right of
  for (int k = 1; k <= sites.nSites; ++k) {
    if (k == i || k == j) {
      continue;
    }
    const double xk = sites.x(k), yk = sites.y(k);
    const Interval dy = Interval(yk) - yi;
    const Interval B = Interval(-2.0) * ((Interval(xk) - xi) + m1 * dy);
    if (B.lo <= 0 && B.hi >= 0) {
      continue;  // its direction is not certain
    }
    const Interval A = (Interval(xk) * xk + Interval(yk) * yk) -
                       (Interval(xi) * xi + Interval(yi) * yi) - Interval(2.0) * c1 * dy;
    const Interval end = -A / B;
    if (B.lo > 0) {
      leftReach = std::max(leftReach, end.lo);
    } else {
      rightReach = std::min(rightReach, end.hi);
    }
  }
  return highest < leftReach || rightReach < lowest || rightReach < leftReach;
}

struct ExactScan::Tables {
  bool detailed = false;                                  // the account's values too, or decisions
  std::vector<Exact> x, y;                                // by site number; index 0 unused
  int bisectorsOf = 0;                                    // the site i of `bisectors`
  std::vector<std::optional<ExactBisector>> bisectors;    // of site i with each site k
  std::vector<std::optional<IntervalBisector>> enclosed;  // the same in intervals
};

ExactScan::ExactScan(const WindowFrame& frame, const SiteColumns& sites, Arithmetic arithmetic)
    : frame_(frame), sites_(sites), arithmetic_(arithmetic), tables_(std::make_unique<Tables>()) {
  tables_->x.resize(static_cast<std::size_t>(sites.nSites) + 1);
  tables_->y.resize(static_cast<std::size_t>(sites.nSites) + 1);
  for (int k = 1; k <= sites.nSites; ++k) {
    tables_->x[static_cast<std::size_t>(k)] = Exact(sites.x(k));
    tables_->y[static_cast<std::size_t>(k)] = Exact(static_cast<double>(sites.y(k)));
  }
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

ExactAccount ExactScan::account(int i, int j) {
  const WindowFrame& frame = frame_;
  const SiteColumns& sites = sites_;
  Tables& t = *tables_;
  if (t.bisectorsOf != i) {
    t.bisectorsOf = i;
    t.bisectors.assign(static_cast<std::size_t>(sites.nSites) + 1, std::nullopt);
    t.enclosed.assign(static_cast<std::size_t>(sites.nSites) + 1, std::nullopt);
  }
  // Most pairs are decided far from any tie, by intervals; the others, exactly.
  if (!t.detailed && arithmetic_ == Arithmetic::Filtered) {
    try {
      return decideEnclosed(i, j);
    } catch (const Undecided&) {
    }
  }
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

// The exact steps for a pair with every exact value replaced by an interval that holds it
// (see interval.h): each decision the intervals settle is the exact steps' decision, so the
// account is theirs. A decision they leave open throws Undecided. Only a drawn piece's ends,
// which the outcome gives rounded to the nearest doubles, are then worked out exactly.
ExactAccount ExactScan::decideEnclosed(int i, int j) {
  const SiteColumns& sites = sites_;
  Tables& t = *tables_;
  const auto X = [&](int s) { return sites.x(s); };
  const auto Y = [&](int s) { return static_cast<double>(sites.y(s)); };
  const auto bisectorWith = [&](int k) -> const IntervalBisector& {
    auto& cached = t.enclosed[static_cast<std::size_t>(k)];
    if (!cached) {
      cached = intervalBisector(X(i), Y(i), X(k), Y(k));
    }
    return *cached;
  };
  ExactAccount account;
  const auto done = [&](ExactOutcome outcome) {
    account.outcome = outcome;
    return account;
  };
  const IntervalBisector& pair = bisectorWith(j);
  const Interval &m1 = pair.m, &c1 = pair.c;
  const Stretch<Interval> stretch =
      clippedStretch(m1, c1, Interval(static_cast<double>(frame_.boxW())),
                     Interval(static_cast<double>(frame_.boxH())));
  std::vector<Interval> cutX{stretch.startX}, cutY{stretch.startY};
  std::vector<int> cutSite{CutList::kStartPoint};
  const auto sign = [](double a, double b) { return (a > b) - (a < b); };
  const int quadrantX = sign(X(j), X(i)), quadrantY = sign(Y(j), Y(i));
  for (int k = 1; k <= sites.nSites; ++k) {
    if (k == i || k == j) {
      continue;
    }
    const IntervalBisector& ik = bisectorWith(k);
    const int P = (stretch.startY - (ik.m * stretch.startX + ik.c)).sign() *
                  (stretch.endY - (ik.m * stretch.endX + ik.c)).sign();
    const int nearer = compare(ik.sumSq, pair.sumSq);
    const bool quadrant = quadrantX * sign(X(k), X(i)) > 0 && quadrantY * sign(Y(k), Y(i)) > 0;
    if (P > 0 && nearer < 0 && quadrant) {
      account.competitors.push_back({k, Screening::Blocked, 0, 0, nearer});
      return done(ExactOutcome{PairResult::Blocked, k, 0});
    }
    const bool cut = (P < 0 || nearer > 0 || quadrant) && (P < 0 || nearer < 0);
    account.competitors.push_back({k,
                                   cut        ? Screening::Cut
                                   : quadrant ? Screening::NotNearer
                                              : Screening::OutsideQuadrant,
                                   0, 0, nearer});
    if (cut) {
      if (ik.m == m1) {
        return done(ExactOutcome{PairResult::Shadowed, 0, 0, {}, true, k});
      }
      const Interval x = (ik.c - c1) / (m1 - ik.m);
      cutX.push_back(x);
      cutY.push_back(m1 * x + c1);
      cutSite.push_back(k);
    }
  }
  if (shadowedThroughout(sites, i, j, m1, c1, stretch)) {
    return done(ExactOutcome{PairResult::Shadowed, 0, 0});
  }
  cutX.push_back(stretch.endX);
  cutY.push_back(stretch.endY);
  cutSite.push_back(CutList::kEndPoint);
  const auto count = static_cast<std::int16_t>(cutX.size());
  hSort(count, Values<Interval>{cutX}, Values<Interval>{cutY}, Values<int>{cutSite});
  account.sortedSites = cutSite;

  for (int p = 1; p < count; ++p) {
    const Interval midX =
        (cutX[static_cast<std::size_t>(p - 1)] + cutX[static_cast<std::size_t>(p)]).half();
    const Interval midY = m1 * midX + c1;
    const auto squared = [&](int s) {
      return (Interval(X(s)) - midX).squared() + (Interval(Y(s)) - midY).squared();
    };
    const Interval toI = squared(i);
    int shadow = 0;
    for (int k = 1; k <= sites.nSites && shadow == 0; ++k) {
      shadow = k != i && k != j && squared(k) < toI ? k : 0;
    }
    account.shadowers.push_back(shadow);
    if (shadow == 0) {
      return done(ExactOutcome{PairResult::Drawn, 0, p,
                               exactPiece(i, j, cutSite[static_cast<std::size_t>(p - 1)],
                                          cutSite[static_cast<std::size_t>(p)])});
    }
  }
  return done(ExactOutcome{PairResult::Shadowed, 0, 0});
}

// The piece of pair (i, j)'s bisector between the entries the two sites made (a competitor,
// or the stretch's start or end), its ends rounded to the nearest doubles.
Piece ExactScan::exactPiece(int i, int j, int fromSite, int toSite) {
  Tables& t = *tables_;
  const auto bisector = [&](int k) -> const ExactBisector& {
    auto& cached = t.bisectors[static_cast<std::size_t>(k)];
    if (!cached) {
      cached = exactBisector(t.x[static_cast<std::size_t>(i)], t.y[static_cast<std::size_t>(i)],
                             t.x[static_cast<std::size_t>(k)], t.y[static_cast<std::size_t>(k)]);
    }
    return *cached;
  };
  const Exact &m1 = bisector(j).m, &c1 = bisector(j).c;
  const Stretch<Exact> stretch = clippedStretch(m1, c1, Exact(static_cast<double>(frame_.boxW())),
                                                Exact(static_cast<double>(frame_.boxH())));
  const auto end = [&](int site) -> std::pair<double, double> {
    if (site == CutList::kStartPoint) {
      return {stretch.startX.get_d(), stretch.startY.get_d()};
    }
    if (site == CutList::kEndPoint) {
      return {stretch.endX.get_d(), stretch.endY.get_d()};
    }
    const Exact x = (bisector(site).c - c1) / (m1 - bisector(site).m);
    return {x.get_d(), Exact(m1 * x + c1).get_d()};
  };
  const auto [x0, y0] = end(fromSite);
  const auto [x1, y1] = end(toSite);
  return Piece{x0, y0, x1, y1};
}

bool sameOutcome(const PairOutcome& rounded, const ExactOutcome& exact) {
  return !exact.undefined && rounded.result == exact.result &&
         rounded.blockedBy == exact.blockedBy &&
         (rounded.result != PairResult::Drawn || rounded.piece == exact.piece);
}

}  // namespace geometry
