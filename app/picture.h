#pragma once

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
};
struct CircleItem {
  float x, y, radius;
  geometry::Colour colour;
  float width = 1;
};
// A filled rectangle with a one-pixel border.
struct RectItem {
  float x, y, width, height;
  geometry::Colour fill, border;
};
struct TextItem {
  float x, y;  // top-left corner of the text
  std::string text;
  geometry::Colour colour;
  int fontSize;  // points
};

using PictureItem = std::variant<LineItem, CircleItem, TextItem, RectItem>;
using Picture = std::vector<PictureItem>;

}  // namespace app
