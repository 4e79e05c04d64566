#pragma once

#include "edge_canvas.h"
#include "open_piece.h"
#include "sites.h"
#include "window_frame.h"

namespace geometry {

// Reports the pair's Voronoi piece, then its Delaunay edge from site i to site j, both
// shifted back from domain into window coordinates.
void drawPairEdges(EdgeCanvas& canvas, const WindowFrame& frame, const Piece& piece,
                   const SiteColumns& sites, int i, int j);

}  // namespace geometry
