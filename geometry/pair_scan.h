#pragma once

#include "form.h"
#include "sites.h"

namespace geometry {

// The edge finder. Visits every pair of sites (i, j), i < j, in order; for each pair that
// no competitor blocks and that has a piece no other site shadows, draws the first such
// piece of its bisector in red (its Voronoi edge) and then the segment from site i to site
// j in the pen colour (its Delaunay edge). The sites are in domain coordinates. Returns
// the number of pairs drawn. Raises a RunError, before drawing anything, for sites that
// share an x or a y.
int pairScan(Form& form, const SiteColumns& sites);

}  // namespace geometry
