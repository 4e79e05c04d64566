#pragma once

#include <cstdint>

#include "geometry/sites.h"
#include "layout.h"
#include "random_numbers.h"
#include "run_canvas.h"

namespace app {

// Draws sites.nSites random sites inside the window, 25 pixels from every edge, marks each
// with a circle in the pen colour and stores it shifted into domain coordinates. A site
// whose shifted x or y would equal that of an earlier site is drawn again before it is
// marked, since the edge finder cannot take two such sites. Returns the window positions.
SitePositions generateSites(RunCanvas& canvas, RandomSource& random, geometry::SiteColumns& sites);

// Marks and stores given sites, in window pixels, exactly as drawn ones are. The count is
// taken from the list.
void placeSites(RunCanvas& canvas, const SitePositions& positions, geometry::SiteColumns& sites);

// The number of given sites; raises a RunError when the site columns cannot hold them.
std::int16_t siteCount(const SitePositions& positions);

}  // namespace app
