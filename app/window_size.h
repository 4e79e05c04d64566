#pragma once

#include "geometry/domain_box.h"
#include "geometry/form.h"

namespace app {

// The client area of the window, in pixels.
inline constexpr int kClientWidth = 753;
inline constexpr int kClientHeight = 475;

// The frame that the window's outer size adds to the client area. It is fixed rather than
// asked of the window manager, so that the outer size, and with it the geometry of a run,
// is the same on every desktop and without one.
inline constexpr int kFrameWidth = 7;
inline constexpr int kFrameHeight = 33;

// The window's outer size in pixels, 760 x 508. Random sites keep 25 pixels from its edges,
// so some lie up to 8 pixels below the client area.
inline constexpr int kOuterWidth = kClientWidth + kFrameWidth;
inline constexpr int kOuterHeight = kClientHeight + kFrameHeight;

// Outer size in twips for a client size in pixels.
constexpr float outerWidthTwips(int clientWidth) {
  return static_cast<float>((clientWidth + kFrameWidth) * geometry::kTwipsPerPixel);
}
constexpr float outerHeightTwips(int clientHeight) {
  return static_cast<float>((clientHeight + kFrameHeight) * geometry::kTwipsPerPixel);
}

// The standard window's outer size (11,400 x 7,620 twips) and the shift of its sites into
// the edge finder's domain coordinates (15,200 and 10,160 pixels).
inline constexpr float kOuterWidthTwips = outerWidthTwips(kClientWidth);
inline constexpr float kOuterHeightTwips = outerHeightTwips(kClientHeight);
inline constexpr float kDomainOffsetX = geometry::domainOffset(kOuterWidthTwips);
inline constexpr float kDomainOffsetY = geometry::domainOffset(kOuterHeightTwips);

// A point of the edge finder's domain coordinates in the standard window's pixels.
constexpr float windowX(double domainX) {
  return static_cast<float>(domainX - kDomainOffsetX);
}
constexpr float windowY(double domainY) {
  return static_cast<float>(domainY - kDomainOffsetY);
}

}  // namespace app
