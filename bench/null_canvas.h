#pragma once

#include "geometry/edge_canvas.h"

namespace bench {

// A canvas whose edges go nowhere: the edge finder timed without drawing.
class NullCanvas final : public geometry::EdgeCanvas {
 public:
  void voronoiEdge(int, int, float, float, float, float) override {}
  void delaunayEdge(int, int, float, float, float, float) override {}
};

}  // namespace bench
