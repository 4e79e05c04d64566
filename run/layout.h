#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "geometry/window_frame.h"

namespace app {

using geometry::SitePosition;

// Sites in window pixels, in site-number order.
using SitePositions = std::vector<SitePosition>;

// What a picture is made of: the seed of its run, which gives the pen colour and the
// label's spot, and its sites.
struct Layout {
  std::uint32_t seed = 0;
  SitePositions sites;
  bool operator==(const Layout&) const = default;
};

// What a run is asked for: a seed (from the clock when there is none) and the sites (drawn
// at random when there are none).
struct RunRequest {
  std::optional<std::uint32_t> seed;
  std::optional<SitePositions> sites;

  static RunRequest of(const Layout& layout) { return {layout.seed, layout.sites}; }
};

}  // namespace app
