#include "site_placement.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

#include "geometry/window_frame.h"
#include "run/accepted_sites.h"

namespace app {

using geometry::kWindowFrame;

std::optional<std::size_t> siteUnder(const std::vector<SitePosition>& sites, double x, double y) {
  std::optional<std::size_t> nearest;
  double best = kSiteGrabRadius;
  for (std::size_t s = 0; s < sites.size(); ++s) {
    const double d = std::hypot(sites[s].x - x, static_cast<double>(sites[s].y) - y);
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
  AcceptedSites others;
  for (std::size_t s = 0; s < sites.size(); ++s) {
    if (s != self) {
      others.add(sites[s]);
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
    const auto refusal = others.refusal(at);
    if (!refusal) {
      return at;
    }
    // Inside the client area, and never more than the limit (the caller sees to that):
    // only a clash is left to move away from.
    assert(refusal->reason == SiteRefusal::Reason::SameX ||
           refusal->reason == SiteRefusal::Reason::SameY);
    const SitePosition stored = kWindowFrame.toDomain(at);
    if (refusal->reason == SiteRefusal::Reason::SameX) {
      at.x = std::nextafter(stored.x, towardsX) - static_cast<double>(kWindowFrame.offsetX());
    } else {
      at.y = std::nextafter(stored.y, towardsY) - kWindowFrame.offsetY();
    }
  }
}

}  // namespace app
