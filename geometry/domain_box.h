#pragma once

namespace geometry {

// The window measures its outer size in twips, 15 to the pixel.
inline constexpr int kTwipsPerPixel = 15;

// The edge finder works in domain coordinates: window pixels shifted twenty windows right
// and down, inside a box forty windows across, so that every bisector crosses the box far
// from the visible sites. All four sizes are single-precision values derived from the
// window's outer size in twips.
inline constexpr int kBoxWindows = 40;
inline constexpr int kOffsetWindows = kBoxWindows / 2;

// (size x 40) / 15 pixels, the product and then the quotient in double precision, rounded
// to single precision.
constexpr float boxSize(float sizeTwips) {
  return static_cast<float>(static_cast<double>(sizeTwips) * kBoxWindows / kTwipsPerPixel);
}

// (size x 20) / 15 pixels, at extended precision, rounded once to single precision: the
// shift from window to domain coordinates.
constexpr float domainOffset(float sizeTwips) {
  return static_cast<float>(static_cast<long double>(sizeTwips) * kOffsetWindows / kTwipsPerPixel);
}

}  // namespace geometry
