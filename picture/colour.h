#pragma once

#include <cstdint>

namespace app {

// A colour in the 0x00BBGGRR encoding: red in the low byte.
using Colour = std::uint32_t;

// Packs three channels, 0 to 255 each, as 0x00BBGGRR.
constexpr Colour rgb(int red, int green, int blue) {
  return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 |
         static_cast<Colour>(blue) << 16;
}

constexpr int redOf(Colour c) {
  return static_cast<int>(c & 0xFFu);
}
constexpr int greenOf(Colour c) {
  return static_cast<int>(c >> 8 & 0xFFu);
}
constexpr int blueOf(Colour c) {
  return static_cast<int>(c >> 16 & 0xFFu);
}

// The colour of the Voronoi edges: pure red, 255.
inline constexpr Colour kVoronoiRed = rgb(255, 0, 0);

}  // namespace app
