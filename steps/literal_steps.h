#pragma once

#include <cstdint>
#include <vector>

#include "geometry/cut_list.h"
#include "geometry/edge_canvas.h"
#include "geometry/open_piece.h"
#include "geometry/pair_record.h"
#include "geometry/sites.h"
#include "geometry/window_frame.h"
#include "pair_outcome.h"

namespace geometry {

// The edge finder's work on one pair (i, j), step by step as its algorithm reads, with
// nothing skipped: the bisector clipped to the domain box, the screening of every other
// site, the heap sort of the whole cut list and the piece test from the first piece. It
// draws exactly what the fast pair scan draws for the pair, and can record why.

// The screening's three tests for one competitor k, as the algorithm states them, on
// P = gapStart gapEnd, the distances dIJ and dIK, and whether k lies strictly in site j's
// quadrant around site i: Blocked, Cut when the cut point is to be appended, or why
// nothing happens (OutsideQuadrant, NotNearer). Never Parallel: whether a cut point can
// be placed is up to the lines, not to the tests.
Screening screeningTests(double P, double dIJ, double dIK, bool sameQuadrant);

struct CompetitorStep {
  int site;
  Screening outcome;
  bool throughEnd;  // its line passes exactly through an end of the stretch (else it
                    // crosses it, for a cut, or misses it)
  double x, y;      // the cut point, for Cut
};

// An entry of the sorted cut list and the site that made it (CutList::kStartPoint,
// CutList::kEndPoint or a competitor).
struct CutEntry {
  double x, y;
  int site;
};

// A tested piece, from sorted entry piece - 1 to entry piece, with its midpoint on the
// bisector and the first site strictly closer to it than site i (0: none, the piece is
// open). An account adds the nearest of the closer sites, the one a reader sees shadowing
// the piece, which the test itself, stopping at the first, never looks for.
struct PieceStep {
  int piece;
  double midX, midY;
  int shadowedBy;
  int nearest = 0;
};

// What the steps find for one pair, told as they find it. Each call has a default that
// ignores it, so an observer takes only what it needs.
class PairObserver {
 public:
  virtual ~PairObserver() = default;
  virtual void pairRecord(const PairRecord& /*pair*/) {}
  virtual void competitor(const CompetitorStep& /*step*/) {}
  // The whole cut list once sorted; not for a blocked pair.
  virtual void sorted(const CutList& /*cuts*/) {}
  virtual void piece(const PieceStep& /*step*/) {}
};

// Follows the steps for the pair (i, j) on the cut list, telling the observer each step.
// Raises a RunError where the edge finder would.
PairOutcome followPair(const WindowFrame& frame, const SiteColumns& sites, int i, int j,
                       CutList& cuts, PairObserver& observer);
PairOutcome followPair(const WindowFrame& frame, const SiteColumns& sites, int i, int j,
                       CutList& cuts);

// Everything the steps found for a pair, in the order they found it.
struct PairAccount {
  int i = 0, j = 0;
  PairRecord pair{};
  std::vector<CompetitorStep> competitors;  // in ascending site number
  std::vector<CutEntry> sorted;             // empty for a blocked pair
  std::vector<PieceStep> pieces;            // up to the open one
  PairOutcome outcome{};
};

// The account of the pair (i, j), 1 <= i < j <= nSites.
PairAccount explainPair(const WindowFrame& frame, const SiteColumns& sites, int i, int j);

// A pair of the scan and where the steps led.
struct ScannedPair {
  int i, j;
  PairOutcome outcome;
};

// Follows the steps for every pair (i, j), i < j, in scan order, without drawing. Raises a
// RunError, before following any, for sites that share an x or a y.
std::vector<ScannedPair> followEveryPair(const WindowFrame& frame, const SiteColumns& sites);

// The edge finder written step by step as its algorithm reads, without shortcuts: every
// pair's steps are followed in full and its edges drawn. The fast pairScan draws exactly
// the same lines; this version proves it in the tests and is what it is timed against.
int literalPairScan(EdgeCanvas& canvas, const WindowFrame& frame, const SiteColumns& sites);

}  // namespace geometry
