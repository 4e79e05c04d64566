#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "geometry/sites.h"
#include "run/layout.h"

namespace app {

// Where the pointer may put sites: pure functions on a layout's site list.

// The most sites a layout can hold: the site columns' slots.
inline constexpr std::size_t kSiteLimit = geometry::SiteColumns::kSlots;

// How far from a site's centre, in pixels, the pointer still takes hold of it: its circle of
// 3 pixels and a little more for comfort.
inline constexpr double kSiteGrabRadius = 5;

// The site nearest to (x, y) within kSiteGrabRadius, if any.
std::optional<std::size_t> siteUnder(const std::vector<SitePosition>& sites, double x, double y);

// Where a site wanted at `wanted` can go: inside the accepted area (0 to 753 by 0 to 475
// pixels), and with a stored x and a stored y that no other site has, which the edge finder
// needs. The site is moved by the smallest step of its stored value, x to the next double
// and y to the next float (towards the inside of the area), for as long as it clashes. `self` is
// the site's own index, which is not compared with it.
SitePosition placeable(const std::vector<SitePosition>& sites, std::optional<std::size_t> self,
                       SitePosition wanted);

}  // namespace app
