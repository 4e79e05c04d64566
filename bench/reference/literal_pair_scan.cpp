#include "literal_pair_scan.h"

#include "geometry/pair_account.h"

namespace reference {

int literalPairScan(geometry::Form& form, const geometry::SiteColumns& sites) {
  int pairsDrawn = 0;
  for (const geometry::ScannedPair& pair : geometry::followEveryPair(form, sites)) {
    if (pair.outcome.result == geometry::PairResult::Drawn) {
      geometry::drawPairEdges(form, pair.outcome.drawn, sites, pair.i, pair.j);
      ++pairsDrawn;
    }
  }
  return pairsDrawn;
}

}  // namespace reference
