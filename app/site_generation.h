#pragma once

#include <cstdint>
#include <vector>

#include "geometry/form.h"
#include "geometry/sites.h"
#include "random_numbers.h"

namespace app {

// A site's position in window pixels: x as a double, y as the single-precision value it is
// stored as.
struct SitePosition {
  double x;
  float y;
  bool operator==(const SitePosition&) const = default;
};

// Draws sites.nSites random sites inside the window, 25 pixels from every edge, marks each
// with a circle in the pen colour and stores it shifted into domain coordinates. A site
// whose shifted x or y would equal that of an earlier site is drawn again before it is
// marked, since the edge finder cannot take two such sites. Returns the window positions.
std::vector<SitePosition> generateSites(geometry::Form& form, RandomSource& random,
                                        geometry::SiteColumns& sites);

// Marks and stores given sites, in window pixels, exactly as drawn ones are. The count is
// taken from the list.
void placeSites(geometry::Form& form, const std::vector<SitePosition>& positions,
                geometry::SiteColumns& sites);

// The number of given sites; raises a RunError when the site columns cannot hold them.
std::int16_t siteCount(const std::vector<SitePosition>& positions);

// Where a window position is stored in domain coordinates for a window of the given outer
// size: x + offX as a double, y + offY as a single.
SitePosition shiftedIntoDomain(SitePosition window, float widthTwips, float heightTwips);

}  // namespace app
