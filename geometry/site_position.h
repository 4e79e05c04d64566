#pragma once

namespace geometry {

// A site's position, in window pixels or in domain coordinates: x as a double, y as the
// single-precision value it is stored as.
struct SitePosition {
  double x;
  float y;
  bool operator==(const SitePosition&) const = default;
};

}  // namespace geometry
