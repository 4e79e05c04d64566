#include "pair_scan.h"

#include <array>
#include <memory>

#include "checked_int16.h"
#include "cut_list.h"
#include "edge_drawing.h"
#include "open_piece.h"
#include "screening.h"
#include "site_checks.h"
#include "sure_shadow.h"

namespace geometry {

namespace {

// The pairs drawn so far, as each site's list of partners: the Voronoi neighbours of a site
// are the competitors whose shadows rule out most of its other pairs, so the scan offers
// them to site i's table before its pairs are screened. Only a guide: a full list misses
// nothing but speed.
class KnownNeighbours {
 public:
  void add(int a, int b) {
    addTo(a, b);
    addTo(b, a);
  }
  void offer(int site, CompetitorTable& table) const {
    const List& list = lists_(site);
    for (std::size_t n = 0; n < list.count; ++n) {
      table.addWitness(list.sites[n]);
    }
  }

 private:
  struct List {
    std::array<int, 16> sites{};
    std::size_t count = 0;
  };
  void addTo(int site, int neighbour) {
    List& list = lists_(site);
    if (list.count < list.sites.size()) {
      list.sites[list.count++] = neighbour;
    }
  }
  PerSite<List> lists_;
};

}  // namespace

int pairScan(EdgeCanvas& canvas, const WindowFrame& frame, const SiteColumns& sites) {
  requireDistinctCoordinates(sites);

  // Storage for the whole run, made once: the cut list, site i's competitor lines, and the
  // pairs drawn.
  const auto cuts = std::make_unique<CutList>();
  const auto table = std::make_unique<CompetitorTable>();
  const auto neighbours = std::make_unique<KnownNeighbours>();

  int pairsDrawn = 0;
  const std::int16_t lastI = sub16(sites.nSites, 1, "nSites - 1");
  for (int i = 1; i <= lastI; ++i) {
    table->build(sites, i);
    neighbours->offer(i, *table);
    for (int j = i + 1; j <= sites.nSites; ++j) {
      // Site i's bisector with j is the pair's own bisector.
      const PairRecord pair = pairRecord(table->bisector(j), frame);
      const PairContext context{pair, *table, sites, i, j};
      // Most pairs are no Delaunay edge: two competitors' shadows cover the pair's whole
      // bisector, and nothing can be drawn whether the screening blocks the pair or not.
      // The sites that showed it for earlier pairs of site i usually show it again.
      if (surelyShadowedThroughout(farthestShadows(context, table->witnesses()), context)) {
        continue;
      }
      const FarthestShadows farthest = farthestShadows(context, table->others());
      if (surelyShadowedThroughout(farthest, context)) {
        table->addWitness(farthest.leftSite);
        table->addWitness(farthest.rightSite);
        continue;
      }
      if (screenCompetitors(context, *cuts)) {
        continue;
      }
      if (const auto piece = openPiece(context, farthest, *cuts)) {
        drawPairEdges(canvas, frame, piece->ends, sites, i, j);
        ++pairsDrawn;
        neighbours->add(i, j);
        table->addWitness(j);
      }
    }
  }
  return pairsDrawn;
}

}  // namespace geometry
