#pragma once

#include <vector>

#include "geometry/edge_canvas.h"

namespace testing_support {

enum class EdgeKind : int { Voronoi, Delaunay };

// An edge as the edge finder reported it: five 32-bit fields without padding, so that two
// lists can be compared bit for bit.
struct RecordedEdge {
  EdgeKind kind;
  float x1, y1, x2, y2;
  bool operator==(const RecordedEdge&) const = default;
};

// Keeps every edge reported, in order.
class EdgeRecorder final : public geometry::EdgeCanvas {
 public:
  std::vector<RecordedEdge> edges;

  void voronoiEdge(int, int, float x1, float y1, float x2, float y2) override {
    edges.push_back({EdgeKind::Voronoi, x1, y1, x2, y2});
  }
  void delaunayEdge(int, int, float x1, float y1, float x2, float y2) override {
    edges.push_back({EdgeKind::Delaunay, x1, y1, x2, y2});
  }
};

}  // namespace testing_support
