#pragma once

#include <optional>

#include "cut_list.h"
#include "pair_record.h"
#include "screening.h"
#include "sites.h"
#include "sure_shadow.h"

namespace geometry {

// A piece of the pair's bisector: its two ends as stored in the cut list, left end first.
struct Piece {
  double x0, y0, x1, y1;
};

// The midpoint of the piece from x0 to x1, taken on the pair's bisector (not halfway between
// the stored ends' y): where the piece test measures the distances.
struct Midpoint {
  double x, y;
};
inline Midpoint pieceMidpoint(const PairRecord& pair, double x0, double x1) {
  const double x = (x0 + x1) / 2;
  return {x, pair.m1 * x + pair.c1};
}

// The pieces of the pair's bisector lie between consecutive entries of the sorted cut
// list: piece p runs from entry p - 1 to entry p. Returns the first piece whose midpoint
// (taken on the bisector) has no site other than i and j strictly closer to it than site
// i, or 0 when every piece is shadowed. A site exactly as far as site i does not shadow.
int firstOpenPiece(const PairRecord& pair, const CutList& cuts, const SiteColumns& sites, int i,
                   int j);

// A piece found open, with its number: piece p runs from sorted entry p - 1 to entry p.
struct NumberedPiece {
  int number;
  Piece ends;
};

// The same piece as sorting the cut list and calling firstOpenPiece, found on the list as
// the screening left it. Cut points in the reach of a certain shadow (see SureShadows) end
// only pieces that would be rejected, so only the cut points between the two shadows are
// sorted and only their pieces tested. Where equal cut points would leave the choice of an
// end to the order of the sort, it sorts the list and tests every piece after all.
std::optional<NumberedPiece> openPiece(const PairContext& context, const FarthestShadows& farthest,
                                       CutList& cuts);

}  // namespace geometry
