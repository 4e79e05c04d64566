#pragma once

// What the exact steps' two halves share: the rational account (exact_steps.cpp) and the
// filtered verdict (exact_verdict.cpp). Internal to steps/.

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "exact_number.h"
#include "exact_steps.h"
#include "interval.h"

namespace geometry {

// The bisector of two sites in intervals, by the exact bisector's formulas (below).
struct IntervalBisector {
  Interval m, c, sumSq;
};

// The perpendicular bisector of sites a and b, y = m x + c, and their squared distance, by
// the formulas of bisectorOf without their roundings.
struct ExactBisector {
  Exact m, c, sumSq;
};

ExactBisector exactBisector(const Exact& xa, const Exact& ya, const Exact& xb, const Exact& yb);

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

// Site i's bisector with a competitor k, as the outcome's filter reads it.
struct NearLine {
  Near m, c;
  GapLine line;  // the same, ready for gapSign
  Interval sumSq{0.0};
};

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

}  // namespace geometry
