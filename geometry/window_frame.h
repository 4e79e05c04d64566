#pragma once

#include "domain_box.h"

namespace geometry {

// A site's position, in window pixels or in domain coordinates: x as a double, y as the
// single-precision value it is stored as.
struct SitePosition {
  double x;
  float y;
  // The same position is the same numbers, bit for bit: an exact comparison, meant as one.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wfloat-equal"
  bool operator==(const SitePosition&) const = default;
#pragma GCC diagnostic pop
};

// The window a run is drawn in: its client area in pixels and, from it, the outer size in
// twips that every size of the run is derived from, the domain box and the shift between
// window and domain coordinates. Every run uses the one frame kWindowFrame, whatever size
// the window on screen has, so that a layout always gives the same picture.
struct WindowFrame {
  int clientWidth;  // pixels
  int clientHeight;

  // What the window's border and caption add to the client area. Fixed rather than asked
  // of the window manager, so that the outer size is the same on every desktop and
  // without one.
  static constexpr int kBorderWidth = 7;
  static constexpr int kBorderHeight = 33;

  [[nodiscard]] constexpr int outerWidth() const { return clientWidth + kBorderWidth; }
  [[nodiscard]] constexpr int outerHeight() const { return clientHeight + kBorderHeight; }
  // The outer size in twips, as the window reports it.
  [[nodiscard]] constexpr float widthTwips() const {
    return static_cast<float>(outerWidth() * kTwipsPerPixel);
  }
  [[nodiscard]] constexpr float heightTwips() const {
    return static_cast<float>(outerHeight() * kTwipsPerPixel);
  }
  [[nodiscard]] constexpr float boxW() const { return boxSize(widthTwips()); }
  [[nodiscard]] constexpr float boxH() const { return boxSize(heightTwips()); }
  // The shift from window to domain coordinates.
  [[nodiscard]] constexpr float offsetX() const { return domainOffset(widthTwips()); }
  [[nodiscard]] constexpr float offsetY() const { return domainOffset(heightTwips()); }

  // Where a window position is stored in domain coordinates: x + offX as a double, y + offY
  // as a float.
  [[nodiscard]] constexpr SitePosition toDomain(SitePosition window) const {
    return {window.x + static_cast<double>(offsetX()), window.y + offsetY()};
  }
  // A domain coordinate in window pixels, rounded to single precision after the shift.
  [[nodiscard]] constexpr float windowX(double domainX) const {
    return static_cast<float>(domainX - static_cast<double>(offsetX()));
  }
  [[nodiscard]] constexpr float windowY(double domainY) const {
    return static_cast<float>(domainY - static_cast<double>(offsetY()));
  }
  // Whether a domain point shows in the client area, its edges included.
  [[nodiscard]] constexpr bool shows(double domainX, double domainY) const {
    const float x = windowX(domainX), y = windowY(domainY);
    return x >= 0 && y >= 0 && x <= static_cast<float>(clientWidth) &&
           y <= static_cast<float>(clientHeight);
  }
};

// The demonstration's window: a client area of 753 x 475 pixels, an outer size of
// 11,400 x 7,620 twips, and domain offsets of 15,200 and 10,160 pixels.
inline constexpr WindowFrame kWindowFrame{753, 475};

}  // namespace geometry
