#include "pair_explorer.h"

#include <algorithm>
#include <cmath>

#include "colour.h"
#include "explanation_picture.h"
#include "window_size.h"

namespace app {

namespace {

constexpr double kSiteReach = 6;  // pixels from a site's centre that still pick it
constexpr double kEdgeReach = 4;  // pixels from a drawn edge that still pick it

double distanceToSegment(double x, double y, const LineItem& line) {
  const double dx = line.x2 - line.x1, dy = line.y2 - line.y1;
  const double length2 = dx * dx + dy * dy;
  const double t =
      length2 > 0 ? std::clamp(((x - line.x1) * dx + (y - line.y1) * dy) / length2, 0.0, 1.0) : 0;
  return std::hypot(x - (line.x1 + t * dx), y - (line.y1 + t * dy));
}

LineItem windowLine(double x1, double y1, double x2, double y2) {
  return LineItem{static_cast<float>(x1 - kDomainOffsetX), static_cast<float>(y1 - kDomainOffsetY),
                  static_cast<float>(x2 - kDomainOffsetX), static_cast<float>(y2 - kDomainOffsetY),
                  0};
}

}  // namespace

PairExplorer::PairExplorer(const geometry::Form& form, const geometry::SiteColumns& sites,
                           const Picture& normal)
    : form_(form), sites_(std::make_unique<geometry::SiteColumns>(sites)), normal_(normal) {
  const auto cuts = std::make_unique<geometry::CutList>();
  for (int i = 1; i < sites_->nSites; ++i) {
    for (int j = i + 1; j <= sites_->nSites; ++j) {
      const auto outcome = geometry::followPair(form_, *sites_, i, j, *cuts);
      if (outcome.result == geometry::PairResult::Drawn) {
        const geometry::Piece& p = outcome.drawn;
        drawn_.push_back({i, j, windowLine(p.x0, p.y0, p.x1, p.y1),
                          windowLine(sites_->x(i), sites_->y(i), sites_->x(j), sites_->y(j))});
      }
    }
  }
  select(1, 2);
}

void PairExplorer::select(int i, int j) {
  account_ = geometry::explainPair(form_, *sites_, i, j);
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
  if (const int site = siteAt(x, y); site != 0) {
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

int PairExplorer::siteAt(double x, double y) const {
  int nearest = 0;
  double best = kSiteReach;
  for (int k = 1; k <= sites_->nSites; ++k) {
    const double d =
        std::hypot(x - (sites_->x(k) - kDomainOffsetX), y - (sites_->y(k) - kDomainOffsetY));
    if (d <= best) {
      best = d;
      nearest = k;
    }
  }
  return nearest;
}

void PairExplorer::rebuild() {
  picture_ = explanationPicture(normal_, account_, *sites_);
  if (firstClicked_ != 0) {
    picture_.push_back(CircleItem{static_cast<float>(sites_->x(firstClicked_) - kDomainOffsetX),
                                  static_cast<float>(sites_->y(firstClicked_) - kDomainOffsetY), 9,
                                  rgb(255, 255, 255), 2});
  }
}

}  // namespace app
