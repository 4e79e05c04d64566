#pragma once

#include <memory>

#include "geometry/sites.h"
#include "geometry/window_frame.h"
#include "pair_outcome.h"

namespace geometry {

struct CompetitorTable;
struct CutList;

// Where the literal steps lead for a pair, found the way the fast scan finds its edges: site
// i's competitor lines made once for all its pairs, the blocking site looked for without a
// cut list, a pair certainly shadowed throughout passed without screening, and only the
// pieces between the farthest shadows sorted and tested. The same verdict as followPair,
// many times sooner; ask for the pairs in scan order to gain most.
class FastVerdicts {
 public:
  FastVerdicts(const WindowFrame& frame, const SiteColumns& sites);
  ~FastVerdicts();
  FastVerdicts(const FastVerdicts&) = delete;
  FastVerdicts& operator=(const FastVerdicts&) = delete;

  // The verdict of the pair (i, j), 1 <= i < j <= nSites, of sites that share no x and no
  // y (see requireDistinctCoordinates).
  PairVerdict verdict(int i, int j);

 private:
  const WindowFrame& frame_;
  const SiteColumns& sites_;
  std::unique_ptr<CompetitorTable> table_;  // site tableOf_'s
  int tableOf_ = 0;
  std::unique_ptr<CutList> cuts_;
};

}  // namespace geometry
