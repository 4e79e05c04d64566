#include "pair_explorer.h"

#include <algorithm>
#include <cmath>

#include "explanation/explanation_picture.h"
#include "geometry/window_frame.h"
#include "picture/colour.h"
#include "run/site_placement.h"

namespace app {

namespace {

using geometry::kWindowFrame;

constexpr double kEdgeReach = 4;  // pixels from a drawn edge that still pick it

double distanceToSegment(double x, double y, const LineItem& line) {
  const double dx = line.x2 - line.x1, dy = line.y2 - line.y1;
  const double x1 = line.x1, y1 = line.y1;
  const double length2 = dx * dx + dy * dy;
  const double t =
      length2 > 0 ? std::clamp(((x - x1) * dx + (y - y1) * dy) / length2, 0.0, 1.0) : 0;
  return std::hypot(x - (x1 + t * dx), y - (y1 + t * dy));
}

}  // namespace

PairExplorer::PairExplorer(const RunResult& run, PictureStyle style)
    : sites_(run.sites), normal_(run.picture), drawn_(run.drawnPairs), style_(style) {
  for (int k = 1; k <= sites_->nSites; ++k) {
    inWindow_.push_back({kWindowFrame.windowX(sites_->x(k)), kWindowFrame.windowY(sites_->y(k))});
  }
  select(1, 2);
}

void PairExplorer::select(int i, int j) {
  lesson_ = lessonOf(geometry::explainPair(kWindowFrame, *sites_, i, j), *sites_);
  step_ = lesson_.count(level_) - 1;
  asking_ = false;
  answered_ = false;
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

void PairExplorer::switchLevel() {
  step_ = lesson_.stepAtOtherLevel(level_, step_);
  level_ = level_ == LessonLevel::Overview ? LessonLevel::Detail : LessonLevel::Overview;
  asking_ = false;
  rebuild();
}

void PairExplorer::showStep(std::ptrdiff_t n) {
  const auto last = static_cast<std::ptrdiff_t>(lesson_.count(level_)) - 1;
  step_ = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(n, 0, last));
  asking_ = false;
  rebuild();
}

void PairExplorer::ask(int i, int j) {
  select(i, j);
  asking_ = true;
  rebuild();
}

void PairExplorer::reveal() {
  level_ = LessonLevel::Overview;
  step_ = lesson_.decidingStep(level_);
  asking_ = false;
  answered_ = true;
  rebuild();
}

void PairExplorer::click(double x, double y) {
  if (asking_) {
    return;  // a question is answered with its keys, not by picking a pair
  }
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

void PairExplorer::setStyle(PictureStyle style) {
  style_ = style;
  rebuild();
}

void PairExplorer::showWholeDiagram(bool on) {
  wholeDiagram_ = on;
  rebuild();
}

void PairExplorer::rebuild() {
  const LessonGround ground =
      wholeDiagram_ || answered_ ? LessonGround::WholeDiagram : LessonGround::UntilTheAnswer;
  picture_ = asking_ ? questionPicture(normal_, lesson_.account.pair, i(), j(), *sites_, style_)
                     : levelStepPicture(normal_, lesson_, level_, step_, *sites_, style_,
                                        StepText::InBox, ground);
  if (firstClicked_ != 0) {
    const SitePosition& site = inWindow_[static_cast<std::size_t>(firstClicked_ - 1)];
    const Picture mark = styledPicture(
        {CircleItem{static_cast<float>(site.x), site.y, 9, rgb(255, 255, 255), 2}}, style_);
    picture_.insert(picture_.end(), mark.begin(), mark.end());
  }
}

}  // namespace app
