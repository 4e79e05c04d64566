#include "site_checks.h"

#include <string>

#include "run_error.h"

namespace geometry {

std::optional<CoordinateClash> findClash(const SiteColumns& sites, int count, double x, float y) {
  for (int s = 1; s <= count; ++s) {
    // Exact comparisons on purpose: only exactly equal values make a zero divisor.
    const bool sameX = sites.x(s) == x;
    if (sameX || sites.y(s) == y) {
      return CoordinateClash{s, sameX};
    }
  }
  return std::nullopt;
}

void requireDistinctCoordinates(const SiteColumns& sites) {
  for (int b = 2; b <= sites.nSites; ++b) {
    if (const auto clash = findClash(sites, b - 1, sites.x(b), sites.y(b))) {
      throw RunError("sites " + std::to_string(clash->site) + " and " + std::to_string(b) +
                     " have the same " + (clash->sameX ? "x" : "y") +
                     " coordinate; the edge finder needs every x and every y to differ");
    }
  }
}

}  // namespace geometry
