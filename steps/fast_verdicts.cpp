#include "fast_verdicts.h"

#include "geometry/cut_list.h"
#include "geometry/open_piece.h"
#include "geometry/screening.h"
#include "geometry/sure_shadow.h"

namespace geometry {

FastVerdicts::FastVerdicts(const WindowFrame& frame, const SiteColumns& sites)
    : frame_(frame),
      sites_(sites),
      table_(std::make_unique<CompetitorTable>()),
      cuts_(std::make_unique<CutList>()) {}

FastVerdicts::~FastVerdicts() = default;

PairVerdict FastVerdicts::verdict(int i, int j) {
  if (tableOf_ != i) {
    table_->build(sites_, i);
    tableOf_ = i;
  }
  CompetitorTable& table = *table_;
  const PairRecord pair = pairRecord(table.bisector(j), frame_);
  const PairContext context{pair, table, sites_, i, j};
  if (const int k = blockingSite(context)) {
    return {PairResult::Blocked, k, 0};
  }
  // Not blocked: as the fast scan goes on (see pairScan), with the piece's number kept.
  if (surelyShadowedThroughout(farthestShadows(context, table.witnesses()), context)) {
    return {};
  }
  const FarthestShadows farthest = farthestShadows(context, table.others());
  if (surelyShadowedThroughout(farthest, context)) {
    table.addWitness(farthest.leftSite);
    table.addWitness(farthest.rightSite);
    return {};
  }
  screenCompetitors(context, *cuts_);  // unblocked: it makes the whole cut list
  if (const auto piece = openPiece(context, farthest, *cuts_)) {
    table.addWitness(j);
    return {PairResult::Drawn, 0, piece->number};
  }
  return {};
}

}  // namespace geometry
