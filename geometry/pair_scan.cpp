#include "pair_scan.h"

#include <memory>

#include "checked_int16.h"
#include "cut_list.h"
#include "piece_test.h"
#include "screening.h"
#include "site_checks.h"

namespace geometry {

int pairScan(Form& form, const SiteColumns& sites) {
  requireDistinctCoordinates(sites);

  // Storage for the whole run, made once: the cut list and site i's competitor lines.
  const auto cuts = std::make_unique<CutList>();
  const auto table = std::make_unique<CompetitorTable>();

  int pairsDrawn = 0;
  const std::int16_t lastI = sub16(sites.nSites, 1, "nSites - 1");
  for (int i = 1; i <= lastI; ++i) {
    table->build(sites, i);
    for (int j = i + 1; j <= sites.nSites; ++j) {
      // Site i's bisector with j is the pair's own bisector.
      const PairRecord pair = pairRecord(table->bisector[static_cast<std::size_t>(j - 1)], form);
      if (screenCompetitors(pair, *table, i, j, sites.nSites, *cuts)) {
        continue;
      }
      if (const auto piece = openPiece(pair, *table, *cuts, sites, i, j)) {
        drawPairEdges(form, *piece, sites, i, j);
        ++pairsDrawn;
      }
    }
  }
  return pairsDrawn;
}

}  // namespace geometry
