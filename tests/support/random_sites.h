#pragma once

#include <cstdint>
#include <memory>
#include <random>

#include "geometry/sites.h"

namespace testing_support {

// 4 to 49 sites at random positions of the standard window, shifted into domain
// coordinates, with no two sharing a stored x or y: the kind of input the window feeds the
// edge finder, made without the window's code.
inline std::unique_ptr<geometry::SiteColumns> randomSites(std::uint32_t seed) {
  std::mt19937 engine(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  auto sites = std::make_unique<geometry::SiteColumns>();
  sites->nSites = static_cast<std::int16_t>(4 + engine() % 46);
  for (int s = 0; s < sites->nSites;) {
    const double x = unit(engine) * 710 + 25 + 15200;
    const auto y = static_cast<float>(static_cast<float>(unit(engine) * 458 + 25) + 10160.0f);
    bool clash = false;
    for (int t = 0; t < s; ++t) {
      clash = clash || sites->siteX(t) == x || sites->siteY(t) == y;
    }
    if (!clash) {
      sites->siteX(s) = x;
      sites->siteY(s) = y;
      ++s;
    }
  }
  return sites;
}

// Sites given in window pixels, shifted into domain coordinates for the standard window.
inline std::unique_ptr<geometry::SiteColumns> sitesAt(
    std::initializer_list<std::pair<double, float>> window) {
  auto sites = std::make_unique<geometry::SiteColumns>();
  for (const auto& [x, y] : window) {
    sites->siteX(sites->nSites) = x + 15200.0f;
    sites->siteY(sites->nSites) = y + 10160.0f;
    ++sites->nSites;
  }
  return sites;
}

}  // namespace testing_support
