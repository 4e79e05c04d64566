#pragma once

namespace geometry {

// Where the edge finder reports the edges it finds, each with its pair of sites (i, j),
// i < j, and its ends in window pixels (y downwards), already shifted back from domain
// coordinates and rounded to single precision.
class EdgeCanvas {
 public:
  virtual ~EdgeCanvas() = default;
  // The pair's Voronoi edge: the piece of its bisector that no other site shadows.
  virtual void voronoiEdge(int i, int j, float x1, float y1, float x2, float y2) = 0;
  // The pair's Delaunay edge, from site i to site j; reported after its Voronoi edge.
  virtual void delaunayEdge(int i, int j, float x1, float y1, float x2, float y2) = 0;
};

}  // namespace geometry
