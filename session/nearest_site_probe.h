#pragma once

#include "picture/picture.h"
#include "run/layout.h"

namespace app {

// The nearest-site circle at (x, y), window pixels: the largest empty circle centred there,
// reaching the nearest site, which is ringed, and a dot at its centre. On a Voronoi edge it
// touches two sites. Nothing for a layout without sites.
void addNearestSiteProbe(Picture& picture, const SitePositions& sites, double x, double y);

}  // namespace app
