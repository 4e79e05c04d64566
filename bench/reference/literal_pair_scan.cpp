#include "literal_pair_scan.h"

#include <memory>

#include "geometry/checked_int16.h"
#include "geometry/pair_account.h"
#include "geometry/site_checks.h"

namespace reference {

using namespace geometry;

int literalPairScan(Form& form, const SiteColumns& sites) {
  requireDistinctCoordinates(sites);
  const auto cuts = std::make_unique<CutList>();
  int pairsDrawn = 0;
  const std::int16_t lastI = sub16(sites.nSites, 1, "nSites - 1");
  for (int i = 1; i <= lastI; ++i) {
    for (int j = i + 1; j <= sites.nSites; ++j) {
      const PairOutcome outcome = followPair(form, sites, i, j, *cuts);
      if (outcome.result == PairResult::Drawn) {
        drawPairEdges(form, outcome.drawn, sites, i, j);
        ++pairsDrawn;
      }
    }
  }
  return pairsDrawn;
}

}  // namespace reference
