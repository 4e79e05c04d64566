#pragma once

#include "edge_canvas.h"
#include "sites.h"
#include "window_frame.h"

namespace geometry {

// The edge finder. Visits every pair of sites (i, j), i < j, in order; for each pair that
// no competitor blocks and that has a piece no other site shadows, draws the first such
// piece of its bisector (its Voronoi edge) and then the segment from site i to site j (its
// Delaunay edge) on the canvas. The sites are in the frame's domain coordinates. Returns
// the number of pairs drawn. Raises a RunError, before drawing anything, for sites that
// share an x or a y.
int pairScan(EdgeCanvas& canvas, const WindowFrame& frame, const SiteColumns& sites);

}  // namespace geometry
