#pragma once

#include <optional>

#include "sites.h"

namespace geometry {

// Every x and every stored y of the sites must differ. Two sites with the same x have a
// vertical bisector, and two with the same stored y a segment of slope zero: neither line
// has a slope-intercept form, and the edge finder would divide by zero.
//
// A site at (x, y) that would break that rule among sites 1 to `count`: the first such
// site, and whether it shares the x (else the y).
struct CoordinateClash {
  int site;
  bool sameX;
};

// The first of sites 1 to `count` whose x equals x or whose y equals y, if any.
std::optional<CoordinateClash> findClash(const SiteColumns& sites, int count, double x, float y);

// Raises a RunError naming the first two sites that share a coordinate.
void requireDistinctCoordinates(const SiteColumns& sites);

}  // namespace geometry
