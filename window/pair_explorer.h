#pragma once

#include <memory>
#include <vector>

#include "geometry/literal_steps.h"
#include "geometry/sites.h"
#include "picture/picture.h"
#include "run/run.h"

namespace app {

// The window's explanation mode: one pair of the run at a time, shown as the picture of its
// account (see explanationPicture). A pair is chosen by clicking its two sites one after
// the other, or one of its drawn edges, or by stepping through the pairs in scan order.
// It keeps its own copy of the run's picture and shares its sites, so it never changes them.
class PairExplorer {
 public:
  explicit PairExplorer(const RunResult& run);

  // Shows the pair (i, j), 1 <= i < j <= nSites.
  void select(int i, int j);
  // Moves to the next pair in scan order, (1, 2), (1, 3), ..., or with a negative step to
  // the previous one, wrapping round at either end.
  void step(int direction);
  // A click at a window position: on a site, it is the first or second site of the next
  // pair; on a drawn red or pale edge, that edge's pair is shown.
  void click(double x, double y);

  [[nodiscard]] int i() const { return account_.i; }
  [[nodiscard]] int j() const { return account_.j; }
  [[nodiscard]] const Picture& picture() const { return picture_; }

 private:
  struct DrawnPair {
    int i, j;
    LineItem voronoi, delaunay;
  };

  void rebuild();

  std::shared_ptr<const geometry::SiteColumns> sites_;
  SitePositions inWindow_;  // the sites in window pixels, for the pointer
  Picture normal_;
  std::vector<DrawnPair> drawn_;
  geometry::PairAccount account_;
  int firstClicked_ = 0;  // a site clicked as the first of a pair, or 0
  Picture picture_;
};

}  // namespace app
