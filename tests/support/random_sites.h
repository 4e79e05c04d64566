#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "geometry/site_checks.h"
#include "geometry/sites.h"
#include "geometry/window_frame.h"

namespace testing_support {

using geometry::kWindowFrame;

// 4 to 49 sites at random positions of the window, shifted into domain coordinates, with
// no two sharing a stored x or y: the kind of input the window feeds the edge finder, made
// without the run's code.
inline std::unique_ptr<geometry::SiteColumns> randomSites(std::uint32_t seed) {
  std::mt19937 engine(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  auto sites = std::make_unique<geometry::SiteColumns>();
  const auto count = static_cast<int>(4 + engine() % 46);
  while (sites->nSites < count) {
    const double x = unit(engine) * 710 + 25 + static_cast<double>(kWindowFrame.offsetX());
    const auto y = static_cast<float>(unit(engine) * 458 + 25) + kWindowFrame.offsetY();
    if (!geometry::findClash(*sites, sites->nSites, x, y)) {
      sites->append(x, y);
    }
  }
  return sites;
}

// Sites given in window pixels, shifted into domain coordinates.
inline std::unique_ptr<geometry::SiteColumns> sitesAt(
    const std::vector<geometry::SitePosition>& window) {
  auto sites = std::make_unique<geometry::SiteColumns>();
  for (const geometry::SitePosition& site : window) {
    const geometry::SitePosition stored = kWindowFrame.toDomain(site);
    sites->append(stored.x, stored.y);
  }
  return sites;
}
inline std::unique_ptr<geometry::SiteColumns> sitesAt(
    std::initializer_list<std::pair<double, float>> window) {
  std::vector<geometry::SitePosition> sites;
  for (const auto& [x, y] : window) {
    sites.push_back({x, y});
  }
  return sitesAt(sites);
}

}  // namespace testing_support
