#pragma once

namespace geometry {

// Where the edge finder reports the edges it finds, in window pixels (y downwards), each
// end already shifted back from domain coordinates and rounded to single precision.
class EdgeCanvas {
 public:
  virtual ~EdgeCanvas() = default;
  // A pair's Voronoi edge: the piece of its bisector that no other site shadows.
  virtual void voronoiEdge(float x1, float y1, float x2, float y2) = 0;
  // The pair's Delaunay edge, from site i to site j; reported after its Voronoi edge.
  virtual void delaunayEdge(float x1, float y1, float x2, float y2) = 0;
};

}  // namespace geometry
