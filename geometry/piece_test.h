#pragma once

#include "cut_list.h"
#include "form.h"
#include "pair_record.h"
#include "sites.h"

namespace geometry {

// The pieces of the pair's bisector lie between consecutive entries of the sorted cut
// list: piece p runs from entry p - 1 to entry p. Returns the first piece whose midpoint
// (taken on the bisector) has no site other than i and j strictly closer to it than site
// i, or 0 when every piece is shadowed. A site exactly as far as site i does not shadow.
int firstOpenPiece(const PairRecord& pair, const CutList& cuts, const SiteColumns& sites, int i,
                   int j);

// Draws the pair's Voronoi piece p in red, then its Delaunay edge, from site i to site j, in
// the pen colour, both shifted back into window coordinates.
void drawPairEdges(Form& form, const CutList& cuts, int p, const SiteColumns& sites, int i,
                   int j);

}  // namespace geometry
