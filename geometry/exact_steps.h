#pragma once

#include <vector>

#include "literal_steps.h"
#include "sites.h"
#include "window_frame.h"

namespace geometry {

// Where the literal steps lead for a pair when nothing is rounded: the same steps (the
// bisector clipped to the domain box, the screening with its block and cut rules, the heap
// sort with its tie rules, the piece test from piece 1) on the same inputs, the sites as the
// edge finder stores them and the box sides as it computes them, and from there on every
// value an exact rational (GMP). Distances are compared by their exact squares, which orders
// them as the distances themselves.
struct ExactOutcome {
  PairResult result = PairResult::Shadowed;
  int blockedBy = 0;  // for Blocked
  int piece = 0;      // for Drawn
  Piece drawn{};      // for Drawn: the piece's ends, rounded to the nearest doubles
  // A competitor's bisector exactly parallel to the pair's: the cut point would divide by
  // zero, and the exact outcome is not defined. The competitor is parallelSite.
  bool undefined = false;
  int parallelSite = 0;
};

ExactOutcome followPairExactly(const WindowFrame& frame, const SiteColumns& sites, int i, int j);

// Whether the float steps and the exact ones reach the same outcome: the same result, and
// the same blocking site or drawn piece.
bool sameOutcome(const PairOutcome& rounded, const ExactOutcome& exact);

}  // namespace geometry
