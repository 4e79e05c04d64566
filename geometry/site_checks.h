#pragma once

#include "sites.h"

namespace geometry {

// Two sites with the same x have a vertical bisector, and two with the same stored y a
// segment of slope zero: neither line has a slope-intercept form, and the arithmetic
// would divide by zero. Raises a RunError naming the first such pair of sites.
void requireDistinctCoordinates(const SiteColumns& sites);

}  // namespace geometry
