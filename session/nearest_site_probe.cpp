#include "nearest_site_probe.h"

#include <algorithm>
#include <cmath>

#include "picture/colour.h"

namespace app {

namespace {

constexpr Colour kProbe = rgb(255, 255, 255);

}  // namespace

void addNearestSiteProbe(Picture& picture, const SitePositions& sites, double x, double y) {
  const auto distance = [&](const SitePosition& site) {
    return std::hypot(site.x - x, static_cast<double>(site.y) - y);
  };
  const auto nearest = std::min_element(
      sites.begin(), sites.end(),
      [&](const SitePosition& a, const SitePosition& b) { return distance(a) < distance(b); });
  if (nearest == sites.end()) {
    return;
  }
  const auto radius = static_cast<float>(distance(*nearest));
  const auto cx = static_cast<float>(x), cy = static_cast<float>(y);
  picture.push_back(CircleItem{cx, cy, radius, kProbe, 1});
  picture.push_back(CircleItem{cx, cy, 1.5f, kProbe, 1});
  picture.push_back(CircleItem{static_cast<float>(nearest->x), nearest->y, 6, kProbe, 2});
}

}  // namespace app
