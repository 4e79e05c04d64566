#include "site_generation.h"

#include <string>

#include "geometry/domain_box.h"
#include "geometry/run_error.h"
#include "geometry/site_checks.h"

namespace app {

namespace {

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
void markAndStore(geometry::Form& form, geometry::SiteColumns& sites, int index,
                  SitePosition window) {
  sites.siteX(index) = window.x;
  sites.siteY(index) = window.y;
  const geometry::Colour pen = form.foreColor();
  form.circle(static_cast<float>(sites.siteX(index)), sites.siteY(index), 3, pen);
  sites.siteX(index) = sites.siteX(index) + geometry::domainOffset(form.width());
  sites.siteY(index) = sites.siteY(index) + geometry::domainOffset(form.height());
}

}  // namespace

std::int16_t siteCount(const std::vector<SitePosition>& positions) {
  if (positions.size() > static_cast<std::size_t>(geometry::SiteColumns::kSlots)) {
    throw geometry::RunError("too many sites: " + std::to_string(positions.size()) +
                             "; the site columns hold " +
                             std::to_string(geometry::SiteColumns::kSlots));
  }
  return static_cast<std::int16_t>(positions.size());
}

SitePosition shiftedIntoDomain(SitePosition window, float widthTwips, float heightTwips) {
  return {window.x + geometry::domainOffset(widthTwips),
          window.y + geometry::domainOffset(heightTwips)};
}

std::vector<SitePosition> generateSites(geometry::Form& form, RandomSource& random,
                                        geometry::SiteColumns& sites) {
  std::vector<SitePosition> positions;
  for (int i = 0; i < sites.nSites; ++i) {
    SitePosition window{};
    for (;;) {
      const float widthTwips = form.width();
      window.x = static_cast<double>(randomPosition(random.next(), widthTwips));
      const float heightTwips = form.height();
      window.y = static_cast<float>(randomPosition(random.next(), heightTwips));
      // A site that would share a stored x or y with an earlier one is drawn again.
      const SitePosition stored = shiftedIntoDomain(window, form.width(), form.height());
      if (!geometry::findClash(sites, i, stored.x, stored.y)) {
        break;
      }
    }
    markAndStore(form, sites, i, window);
    positions.push_back(window);
  }
  return positions;
}

void placeSites(geometry::Form& form, const std::vector<SitePosition>& positions,
                geometry::SiteColumns& sites) {
  sites.nSites = siteCount(positions);
  for (int i = 0; i < sites.nSites; ++i) {
    markAndStore(form, sites, i, positions[static_cast<std::size_t>(i)]);
  }
}

}  // namespace app
