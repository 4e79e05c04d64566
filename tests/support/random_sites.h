#pragma once

#include <cstdint>
#include <memory>
#include <random>

#include "app/window_size.h"
#include "geometry/site_checks.h"
#include "geometry/sites.h"

namespace testing_support {

// 4 to 49 sites at random positions of the standard window, shifted into domain
// coordinates, with no two sharing a stored x or y: the kind of input the window feeds the
// edge finder, made without the window's code.
inline std::unique_ptr<geometry::SiteColumns> randomSites(std::uint32_t seed) {
  std::mt19937 engine(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  auto sites = std::make_unique<geometry::SiteColumns>();
  const auto count = static_cast<int>(4 + engine() % 46);
  while (sites->nSites < count) {
    const double x = unit(engine) * 710 + 25 + app::kDomainOffsetX;
    const auto y = static_cast<float>(unit(engine) * 458 + 25) + app::kDomainOffsetY;
    if (!geometry::findClash(*sites, sites->nSites, x, y)) {
      sites->append(x, y);
    }
  }
  return sites;
}

// Sites given in window pixels, shifted into domain coordinates for the standard window.
inline std::unique_ptr<geometry::SiteColumns> sitesAt(
    std::initializer_list<std::pair<double, float>> window) {
  auto sites = std::make_unique<geometry::SiteColumns>();
  for (const auto& [x, y] : window) {
    sites->append(x + app::kDomainOffsetX, y + app::kDomainOffsetY);
  }
  return sites;
}

}  // namespace testing_support
