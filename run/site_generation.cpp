#include "site_generation.h"

#include <string>

#include "geometry/run_error.h"
#include "geometry/site_checks.h"
#include "geometry/window_frame.h"

namespace app {

namespace {

using geometry::kWindowFrame;

constexpr int kMargin = 25;  // pixels between a drawn site and the window's outer edges

// A random position r (size in pixels - 50) + 25, at extended precision: 25 pixels from
// either edge of a window of that outer size in twips.
long double randomPosition(float r, float sizeTwips) {
  return static_cast<long double>(r) *
             (static_cast<long double>(sizeTwips) / geometry::kTwipsPerPixel - 2 * kMargin) +
         kMargin;
}

// Marks site `index` at its window position, then stores it shifted into domain
// coordinates.
void markAndStore(RunCanvas& canvas, geometry::SiteColumns& sites, int index, SitePosition window) {
  sites.siteX(index) = window.x;
  sites.siteY(index) = window.y;
  const Colour pen = canvas.penColour();
  canvas.siteCircle(index + 1, static_cast<float>(sites.siteX(index)), sites.siteY(index), 3, pen);
  sites.siteX(index) = sites.siteX(index) + static_cast<double>(kWindowFrame.offsetX());
  sites.siteY(index) = sites.siteY(index) + kWindowFrame.offsetY();
}

}  // namespace

std::int16_t siteCount(const SitePositions& positions) {
  if (positions.size() > static_cast<std::size_t>(geometry::SiteColumns::kSlots)) {
    throw geometry::RunError("too many sites: " + std::to_string(positions.size()) +
                             "; the site columns hold " +
                             std::to_string(geometry::SiteColumns::kSlots));
  }
  return static_cast<std::int16_t>(positions.size());
}

SitePositions generateSites(RunCanvas& canvas, RandomSource& random, geometry::SiteColumns& sites) {
  SitePositions positions;
  for (int i = 0; i < sites.nSites; ++i) {
    SitePosition window{};
    for (;;) {
      window.x = static_cast<double>(randomPosition(random.next(), kWindowFrame.widthTwips()));
      window.y = static_cast<float>(randomPosition(random.next(), kWindowFrame.heightTwips()));
      // A site that would share a stored x or y with an earlier one is drawn again.
      const SitePosition stored = kWindowFrame.toDomain(window);
      if (!geometry::findClash(sites, i, stored.x, stored.y)) {
        break;
      }
    }
    markAndStore(canvas, sites, i, window);
    positions.push_back(window);
  }
  return positions;
}

void placeSites(RunCanvas& canvas, const SitePositions& positions, geometry::SiteColumns& sites) {
  sites.nSites = siteCount(positions);
  for (int i = 0; i < sites.nSites; ++i) {
    markAndStore(canvas, sites, i, positions[static_cast<std::size_t>(i)]);
  }
}

}  // namespace app
