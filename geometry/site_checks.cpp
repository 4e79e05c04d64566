#include "site_checks.h"

#include <string>

#include "run_error.h"

namespace geometry {

void requireDistinctCoordinates(const SiteColumns& sites) {
  for (int a = 1; a < sites.nSites; ++a) {
    for (int b = a + 1; b <= sites.nSites; ++b) {
      // Exact comparisons on purpose: only exactly equal values make a zero divisor.
      const bool sameX = sites.siteX(a - 1) == sites.siteX(b - 1);
      const bool sameY = sites.siteY(a - 1) == sites.siteY(b - 1);
      if (sameX || sameY) {
        throw RunError("sites " + std::to_string(a) + " and " + std::to_string(b) +
                       " have the same " + (sameX ? "x" : "y") +
                       " coordinate; the edge finder needs every x and every y to differ");
      }
    }
  }
}

}  // namespace geometry
