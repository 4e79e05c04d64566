#include "edge_drawing.h"

namespace geometry {

namespace {

// A line's ends in window coordinates. Each end is shifted back by its own offsets, read
// from the frame as Width, Height for the start and again for the end, and each coordinate
// is rounded to single precision after the subtraction.
struct WindowLine {
  float x1, y1, x2, y2;
};

template <class X1, class Y1, class X2, class Y2>
WindowLine inWindow(const WindowFrame& frame, X1 x1, Y1 y1, X2 x2, Y2 y2) {
  const float startOffX = frame.offsetX();
  const float startOffY = frame.offsetY();
  const float endOffX = frame.offsetX();
  const float endOffY = frame.offsetY();
  return {static_cast<float>(x1 - startOffX), static_cast<float>(y1 - startOffY),
          static_cast<float>(x2 - endOffX), static_cast<float>(y2 - endOffY)};
}

}  // namespace

void drawPairEdges(EdgeCanvas& canvas, const WindowFrame& frame, const Piece& piece,
                   const SiteColumns& sites, int i, int j) {
  const WindowLine voronoi = inWindow(frame, piece.x0, piece.y0, piece.x1, piece.y1);
  canvas.voronoiEdge(i, j, voronoi.x1, voronoi.y1, voronoi.x2, voronoi.y2);
  const WindowLine delaunay = inWindow(frame, sites.x(i), sites.y(i), sites.x(j), sites.y(j));
  canvas.delaunayEdge(i, j, delaunay.x1, delaunay.y1, delaunay.x2, delaunay.y2);
}

}  // namespace geometry
