#pragma once

#include <array>
#include <cstddef>

namespace app {

// What an item of a picture shows. The four layers of a run's picture can each be hidden;
// the overlay (an explanation's marks) is always shown.
enum class Layer { Label, SiteCircles, VoronoiEdges, DelaunayEdges, Overlay };

// Which layers are shown; all of them unless one is hidden. The overlay always is.
class ShownLayers {
 public:
  [[nodiscard]] bool shows(Layer layer) const { return shown_[index(layer)]; }
  void set(Layer layer, bool shown) {
    if (layer != Layer::Overlay) {
      shown_[index(layer)] = shown;
    }
  }
  bool operator==(const ShownLayers&) const = default;

 private:
  static std::size_t index(Layer layer) { return static_cast<std::size_t>(layer); }
  std::array<bool, 5> shown_{true, true, true, true, true};
};

// The layers that can be hidden, in the order they are named, and each one's short name
// (as a web page's address gives it): "voronoi", "delaunay", "circles", "label".
inline constexpr std::array<Layer, 4> kHideableLayerOrder{Layer::VoronoiEdges, Layer::DelaunayEdges,
                                                          Layer::SiteCircles, Layer::Label};
inline const char* layerWord(Layer layer) {
  switch (layer) {
    case Layer::VoronoiEdges:
      return "voronoi";
    case Layer::DelaunayEdges:
      return "delaunay";
    case Layer::SiteCircles:
      return "circles";
    case Layer::Label:
      return "label";
    case Layer::Overlay:
      break;
  }
  return "overlay";
}

// The sites and their label without the diagram's edges: a picture that asks about the
// diagram without answering it.
inline ShownLayers sitesOnly() {
  ShownLayers shown;
  shown.set(Layer::VoronoiEdges, false);
  shown.set(Layer::DelaunayEdges, false);
  return shown;
}

}  // namespace app
