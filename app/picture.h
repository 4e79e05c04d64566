#pragma once

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

#include "geometry/form.h"

namespace app {

// What the run drew, in drawing order and window pixels. Every output (the window, a PNG,
// an SVG) is made from this list, so they all show the same picture.
struct LineItem {
  float x1, y1, x2, y2;
  geometry::Colour colour;
  float width = 1;  // pixels
  bool operator==(const LineItem&) const = default;
};
struct CircleItem {
  float x, y, radius;
  geometry::Colour colour;
  float width = 1;
  bool operator==(const CircleItem&) const = default;
};
// A filled rectangle with a one-pixel border.
struct RectItem {
  float x, y, width, height;
  geometry::Colour fill, border;
  bool operator==(const RectItem&) const = default;
};
struct TextItem {
  float x, y;  // top-left corner of the text
  std::string text;
  geometry::Colour colour;
  int fontSize;  // points
  bool operator==(const TextItem&) const = default;
};

using PictureItem = std::variant<LineItem, CircleItem, TextItem, RectItem>;
using Picture = std::vector<PictureItem>;

// What an item of the run's picture shows, so that each kind can be hidden and shown.
enum class Layer { Label, SiteCircles, VoronoiEdges, DelaunayEdges };
inline constexpr int kLayerCount = 4;

// Which layers are shown; all of them unless one is hidden.
class ShownLayers {
 public:
  [[nodiscard]] bool shows(Layer layer) const { return shown_[index(layer)]; }
  void toggle(Layer layer) { shown_[index(layer)] = !shown_[index(layer)]; }

 private:
  static std::size_t index(Layer layer) { return static_cast<std::size_t>(layer); }
  bool shown_[kLayerCount] = {true, true, true, true};
};

}  // namespace app
