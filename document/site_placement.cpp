#include "site_placement.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/site_checks.h"
#include "geometry/window_frame.h"

namespace app {

using geometry::kWindowFrame;

std::optional<std::size_t> siteUnder(const std::vector<SitePosition>& sites, double x, double y) {
  std::optional<std::size_t> nearest;
  double best = kSiteGrabRadius;
  for (std::size_t s = 0; s < sites.size(); ++s) {
    const double d = std::hypot(sites[s].x - x, sites[s].y - y);
    if (d <= best) {
      best = d;
      nearest = s;
    }
  }
  return nearest;
}

SitePosition placeable(const std::vector<SitePosition>& sites, std::optional<std::size_t> self,
                       SitePosition wanted) {
  SitePosition at{std::clamp(wanted.x, 0.0, static_cast<double>(kWindowFrame.clientWidth)),
                  std::clamp(wanted.y, 0.0f, static_cast<float>(kWindowFrame.clientHeight))};
  // The other sites as the edge finder will hold them.
  geometry::SiteColumns others;
  for (std::size_t s = 0; s < sites.size(); ++s) {
    if (s != self) {
      const SitePosition stored = kWindowFrame.toDomain(sites[s]);
      others.append(stored.x, stored.y);
    }
  }
  // The steps are taken on the stored values, each to the next double (x) or float (y), and
  // mapped back: between the offset and twice it, a stored value less the offset is exact,
  // so the window position stores as exactly that value. A step of the window position
  // itself would be far smaller than the stored value's near 0, and change nothing.
  const double towardsX =
      at.x < kWindowFrame.clientWidth ? std::numeric_limits<double>::infinity() : 0.0;
  const float towardsY =
      at.y < kWindowFrame.clientHeight ? std::numeric_limits<float>::infinity() : 0.0f;
  for (;;) {
    const SitePosition stored = kWindowFrame.toDomain(at);
    const auto clash = geometry::findClash(others, others.nSites, stored.x, stored.y);
    if (!clash) {
      return at;
    }
    if (clash->sameX) {
      at.x = std::nextafter(stored.x, towardsX) - kWindowFrame.offsetX();
    } else {
      at.y = std::nextafter(stored.y, towardsY) - kWindowFrame.offsetY();
    }
  }
}

}  // namespace app
