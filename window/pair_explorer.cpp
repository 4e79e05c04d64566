#include "pair_explorer.h"

#include <algorithm>
#include <cmath>

#include "document/site_placement.h"
#include "explanation/explanation_picture.h"
#include "picture/colour.h"

namespace app {

namespace {

using geometry::kWindowFrame;

constexpr double kEdgeReach = 4;  // pixels from a drawn edge that still pick it

double distanceToSegment(double x, double y, const LineItem& line) {
  const double dx = line.x2 - line.x1, dy = line.y2 - line.y1;
  const double length2 = dx * dx + dy * dy;
  const double t =
      length2 > 0 ? std::clamp(((x - line.x1) * dx + (y - line.y1) * dy) / length2, 0.0, 1.0) : 0;
  return std::hypot(x - (line.x1 + t * dx), y - (line.y1 + t * dy));
}

LineItem windowLine(double x1, double y1, double x2, double y2) {
  return LineItem{kWindowFrame.windowX(x1), kWindowFrame.windowY(y1), kWindowFrame.windowX(x2),
                  kWindowFrame.windowY(y2), 0};
}

}  // namespace

PairExplorer::PairExplorer(const RunResult& run) : sites_(run.sites), normal_(run.picture) {
  for (int k = 1; k <= sites_->nSites; ++k) {
    inWindow_.push_back({kWindowFrame.windowX(sites_->x(k)), kWindowFrame.windowY(sites_->y(k))});
  }
  for (const geometry::ScannedPair& pair : geometry::followEveryPair(kWindowFrame, *sites_)) {
    if (pair.outcome.result == geometry::PairResult::Drawn) {
      const geometry::Piece& p = pair.outcome.drawn;
      const int i = pair.i, j = pair.j;
      drawn_.push_back({i, j, windowLine(p.x0, p.y0, p.x1, p.y1),
                        windowLine(sites_->x(i), sites_->y(i), sites_->x(j), sites_->y(j))});
    }
  }
  select(1, 2);
}

void PairExplorer::select(int i, int j) {
  account_ = geometry::explainPair(kWindowFrame, *sites_, i, j);
  firstClicked_ = 0;
  rebuild();
}

void PairExplorer::step(int direction) {
  const int n = sites_->nSites;
  int i = this->i(), j = this->j();
  if (direction > 0) {
    ++j;
    if (j > n) {
      i = i + 1 < n ? i + 1 : 1;
      j = i + 1;
    }
  } else {
    --j;
    if (j <= i) {
      i = i > 1 ? i - 1 : n - 1;
      j = n;
    }
  }
  select(i, j);
}

void PairExplorer::click(double x, double y) {
  if (const auto index = siteUnder(inWindow_, x, y)) {
    const int site = static_cast<int>(*index) + 1;
    if (firstClicked_ == 0 || firstClicked_ == site) {
      firstClicked_ = site;
      rebuild();
    } else {
      select(std::min(firstClicked_, site), std::max(firstClicked_, site));
    }
    return;
  }
  for (const DrawnPair& pair : drawn_) {
    if (distanceToSegment(x, y, pair.voronoi) <= kEdgeReach ||
        distanceToSegment(x, y, pair.delaunay) <= kEdgeReach) {
      select(pair.i, pair.j);
      return;
    }
  }
}

void PairExplorer::rebuild() {
  picture_ = explanationPicture(normal_, account_, *sites_);
  if (firstClicked_ != 0) {
    const SitePosition& site = inWindow_[static_cast<std::size_t>(firstClicked_ - 1)];
    picture_.push_back(CircleItem{static_cast<float>(site.x), site.y, 9, rgb(255, 255, 255), 2});
  }
}

}  // namespace app
