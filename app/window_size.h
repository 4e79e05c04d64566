#pragma once

namespace app {

// The client area of the window, in pixels.
inline constexpr int kClientWidth = 753;
inline constexpr int kClientHeight = 475;

// The frame that the window's outer size adds to the client area. It is fixed rather than
// asked of the window manager, so that the outer size, and with it the geometry of a run,
// is the same on every desktop and without one.
inline constexpr int kFrameWidth = 7;
inline constexpr int kFrameHeight = 33;

inline constexpr int kTwipsPerPixel = 15;

// Outer size in twips for a client size in pixels.
constexpr float outerWidthTwips(int clientWidth) {
  return static_cast<float>((clientWidth + kFrameWidth) * kTwipsPerPixel);
}
constexpr float outerHeightTwips(int clientHeight) {
  return static_cast<float>((clientHeight + kFrameHeight) * kTwipsPerPixel);
}

}  // namespace app
