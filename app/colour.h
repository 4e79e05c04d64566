#pragma once

#include "geometry/form.h"

namespace app {

// Packs three channels, 0 to 255 each, as 0x00BBGGRR.
constexpr geometry::Colour rgb(int red, int green, int blue) {
  return static_cast<geometry::Colour>(red) | static_cast<geometry::Colour>(green) << 8 |
         static_cast<geometry::Colour>(blue) << 16;
}

constexpr int redOf(geometry::Colour c) {
  return static_cast<int>(c & 0xFFu);
}
constexpr int greenOf(geometry::Colour c) {
  return static_cast<int>(c >> 8 & 0xFFu);
}
constexpr int blueOf(geometry::Colour c) {
  return static_cast<int>(c >> 16 & 0xFFu);
}

}  // namespace app
