#include "layout_history.h"

#include "run/site_placement.h"

namespace app {

void LayoutHistory::start(const RunRequest& request) {
  current_ = runDemonstration(request);
  call(listener_.pictureChanged);
}

// A layout on screen already (a new run, the end of a drag) is not run again.
bool LayoutHistory::show(const Layout& layout) {
  if (current_.layout == layout && current_.completed()) {
    return true;
  }
  RunResult result = runDemonstration(RunRequest::of(layout));
  if (!result.completed()) {
    if (listener_.runFailed) {
      listener_.runFailed(result.error);
    }
    return false;
  }
  current_ = std::move(result);
  call(listener_.pictureChanged);
  return true;
}

void LayoutHistory::push(Step step) {
  steps_.resize(applied_);  // the steps undone are gone
  if (saved_ && *saved_ > applied_) {
    saved_.reset();
  }
  steps_.push_back(std::move(step));
  applied_ = steps_.size();
  call(listener_.stepsChanged);
}

LayoutHistory::Press LayoutHistory::press(double x, double y) {
  const Layout& now = layout();
  if (const auto site = siteUnder(now.sites, x, y)) {
    grabbed_ = site;
    pressed_ = site;
    offsetX_ = now.sites[*site].x - x;
    offsetY_ = static_cast<double>(now.sites[*site].y) - y;
    beforeDrag_ = now;
    return Press::Grabbed;
  }
  if (now.sites.size() >= kSiteLimit) {
    return Press::Refused;
  }
  Layout after = now;
  after.sites.push_back(placeable(now.sites, std::nullopt, SitePosition{x, static_cast<float>(y)}));
  if (!replace(std::move(after), "Add site")) {
    return Press::Refused;
  }
  pressed_ = layout().sites.size() - 1;
  return Press::Added;
}

std::optional<std::size_t> LayoutHistory::lastPressed() const {
  return pressed_ && *pressed_ < layout().sites.size() ? pressed_ : std::nullopt;
}

void LayoutHistory::moveSite(std::size_t site, double dx, double dy) {
  if (site >= layout().sites.size() || dragging()) {
    return;
  }
  Layout moved = layout();
  const SitePosition at = moved.sites[site];
  moved.sites[site] =
      placeable(moved.sites, site,
                SitePosition{at.x + dx, static_cast<float>(static_cast<double>(at.y) + dy)});
  replace(std::move(moved), "Move site");
}

void LayoutHistory::drag(double x, double y) {
  if (!grabbed_) {
    return;
  }
  Layout moved = layout();
  moved.sites[*grabbed_] = placeable(moved.sites, grabbed_,
                                     SitePosition{x + offsetX_, static_cast<float>(y + offsetY_)});
  show(moved);
}

void LayoutHistory::release() {
  if (!grabbed_) {
    return;
  }
  grabbed_.reset();
  if (!(layout() == beforeDrag_)) {
    push(Step{beforeDrag_, layout(), "Move site"});
  }
}

void LayoutHistory::removeAt(double x, double y) {
  const auto site = siteUnder(layout().sites, x, y);
  if (!site || dragging()) {
    return;
  }
  Layout after = layout();
  after.sites.erase(after.sites.begin() + static_cast<std::ptrdiff_t>(*site));
  replace(std::move(after), "Remove site");
}

void LayoutHistory::newRun(std::optional<std::uint32_t> seed) {
  Layout before = layout();
  start(RunRequest{seed, std::nullopt});
  push(Step{std::move(before), layout(), "New sites"});
}

bool LayoutHistory::replace(Layout layout, std::string what) {
  Layout before = this->layout();
  if (!show(layout)) {
    return false;
  }
  push(Step{std::move(before), std::move(layout), std::move(what)});
  return true;
}

void LayoutHistory::undo() {
  if (canUndo() && !dragging() && show(steps_[applied_ - 1].before)) {
    --applied_;
    call(listener_.stepsChanged);
  }
}

void LayoutHistory::redo() {
  if (canRedo() && !dragging() && show(steps_[applied_].after)) {
    ++applied_;
    call(listener_.stepsChanged);
  }
}

const std::string& LayoutHistory::undoName() const {
  static const std::string kNothing;
  return canUndo() ? steps_[applied_ - 1].what : kNothing;
}

void LayoutHistory::markSaved() {
  saved_ = applied_;
  call(listener_.stepsChanged);
}

}  // namespace app
