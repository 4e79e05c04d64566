#pragma once

#include <Qt>
#include <array>
#include <cstddef>

namespace app {

// What an item of a picture shows. The four layers of a run's picture can each be hidden;
// the overlay (an explanation's marks) is always shown.
enum class Layer { Label, SiteCircles, VoronoiEdges, DelaunayEdges, Overlay };

// A layer that can be hidden: its menu name, the key that shows or hides it, and its help.
struct LayerInfo {
  Layer layer;
  const char* name;
  Qt::Key key;
  const char* help;
};

inline constexpr std::array kHideableLayers{
    LayerInfo{Layer::VoronoiEdges, "Voronoi edges", Qt::Key_V, "show or hide the Voronoi edges"},
    LayerInfo{Layer::DelaunayEdges, "Delaunay edges", Qt::Key_D, "show or hide the Delaunay edges"},
    LayerInfo{Layer::SiteCircles, "Site circles", Qt::Key_C, "show or hide the site circles"},
    LayerInfo{Layer::Label, "Label", Qt::Key_L, "show or hide the label"},
};

// Which layers are shown; all of them unless one is hidden. The overlay always is.
class ShownLayers {
 public:
  [[nodiscard]] bool shows(Layer layer) const { return shown_[index(layer)]; }
  void toggle(Layer layer) {
    if (layer != Layer::Overlay) {
      shown_[index(layer)] = !shown_[index(layer)];
    }
  }

 private:
  static std::size_t index(Layer layer) { return static_cast<std::size_t>(layer); }
  std::array<bool, 5> shown_{true, true, true, true, true};
};

}  // namespace app
