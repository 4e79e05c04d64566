#pragma once

#include <cstdint>
#include <memory>

#include "geometry/sites.h"
#include "run/layout.h"
#include "run/picture_recorder.h"
#include "run/random_numbers.h"
#include "run/site_generation.h"

namespace bench {

// `count` random sites as a run draws them, from a fixed seed, stored as the edge finder
// holds them: the layouts the benchmarks time.
inline std::unique_ptr<geometry::SiteColumns> randomSites(int count, std::uint32_t seed = 54) {
  app::PictureRecorder marks;
  app::Random random(seed);
  random.randomize();
  auto sites = std::make_unique<geometry::SiteColumns>();
  sites->nSites = static_cast<std::int16_t>(count);
  app::generateSites(marks, random, *sites);
  return sites;
}

// The same sites in window pixels, with their seed.
inline app::Layout randomLayout(int count, std::uint32_t seed = 54) {
  app::PictureRecorder marks;
  app::Random random(seed);
  random.randomize();
  geometry::SiteColumns sites;
  sites.nSites = static_cast<std::int16_t>(count);
  return app::Layout{seed, app::generateSites(marks, random, sites)};
}

}  // namespace bench
