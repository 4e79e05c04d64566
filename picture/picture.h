#pragma once

#include <string>
#include <variant>
#include <vector>

#include "colour.h"
#include "layers.h"

namespace app {

// A dashed line's dashes and gaps, in widths of its stroke; every writer draws this pattern.
inline constexpr float kDashLength = 4;
inline constexpr float kDashGap = 2;

// Whether a stroke is one pixel wide, the width the window plots pixel by pixel. Widths are
// set, never computed, so the comparison is exact.
constexpr bool isOnePixelWide(float width) {
  return !(width < 1 || width > 1);
}

// Two items are equal when every number is the same: an exact comparison, meant as one
// (whether an item is drawn again as it was).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wfloat-equal"

// What was drawn, in drawing order and window pixels. Every output (the window, a PNG, an
// SVG) is made from this list, so they all show the same picture. Each item names the layer
// it belongs to, set by the code that draws it.
struct LineItem {
  float x1, y1, x2, y2;
  Colour colour;
  float width = 1;  // pixels
  Layer layer = Layer::Overlay;
  bool dashed = false;           // dashes of kDashLength, gaps of kDashGap
  int fromSite = 0, toSite = 0;  // the sites at its ends, numbered from 1, where it joins sites
  bool operator==(const LineItem&) const = default;
};
struct CircleItem {
  float x, y, radius;
  Colour colour;
  float width = 1;
  Layer layer = Layer::Overlay;
  int site = 0;  // the site at its centre, numbered from 1, where it marks a site
  bool operator==(const CircleItem&) const = default;
};
// A filled rectangle with a one-pixel border.
struct RectItem {
  float x, y, width, height;
  Colour fill, border;
  Layer layer = Layer::Overlay;
  bool operator==(const RectItem&) const = default;
};
struct TextItem {
  float x, y;  // top-left corner of the text
  std::string text;
  Colour colour;
  int fontSize;  // points
  Layer layer = Layer::Overlay;
  bool operator==(const TextItem&) const = default;
};

#pragma GCC diagnostic pop

using PictureItem = std::variant<LineItem, CircleItem, TextItem, RectItem>;
using Picture = std::vector<PictureItem>;

// The layer an item belongs to.
inline Layer layerOf(const PictureItem& item) {
  return std::visit([](const auto& shape) { return shape.layer; }, item);
}

// The picture without the items of the hidden layers.
Picture visibleItems(const Picture& picture, const ShownLayers& shown);

}  // namespace app
