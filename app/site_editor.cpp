#include "site_editor.h"

#include "layout_command.h"
#include "site_edits.h"

namespace app {

SiteEditor::Press SiteEditor::press(double x, double y) {
  const Layout& layout = demonstration_.layout();
  if (const auto site = siteUnder(layout.sites, x, y)) {
    grabbed_ = site;
    offsetX_ = layout.sites[*site].x - x;
    offsetY_ = layout.sites[*site].y - y;
    beforeDrag_ = layout;
    return Press::GrabbedSite;
  }
  if (layout.sites.size() >= kSiteLimit) {
    return Press::AtSiteLimit;
  }
  Layout after = layout;
  after.sites.push_back(
      placeable(layout.sites, std::nullopt, SitePosition{x, static_cast<float>(y)}));
  replace(std::move(after), QStringLiteral("Add site"));
  return Press::AddedSite;
}

void SiteEditor::drag(double x, double y) {
  if (!grabbed_) {
    return;
  }
  Layout moved = demonstration_.layout();
  moved.sites[*grabbed_] = placeable(moved.sites, grabbed_,
                                     SitePosition{x + offsetX_, static_cast<float>(y + offsetY_)});
  if (!(moved == demonstration_.layout())) {
    demonstration_.runLayout(moved);
  }
}

void SiteEditor::release() {
  if (!grabbed_) {
    return;
  }
  grabbed_.reset();
  if (!(demonstration_.layout() == beforeDrag_)) {
    history_.push(new LayoutCommand(demonstration_, beforeDrag_, demonstration_.layout(),
                                    QStringLiteral("Move site")));
  }
}

bool SiteEditor::removeAt(double x, double y) {
  const Layout& layout = demonstration_.layout();
  const auto site = siteUnder(layout.sites, x, y);
  if (!site || dragging()) {
    return false;
  }
  Layout after = layout;
  after.sites.erase(after.sites.begin() + static_cast<std::ptrdiff_t>(*site));
  replace(std::move(after), QStringLiteral("Remove site"));
  return true;
}

void SiteEditor::newRun() {
  const Layout before = demonstration_.layout();
  demonstration_.runRandom(std::nullopt);
  history_.push(new LayoutCommand(demonstration_, before, demonstration_.layout(),
                                  QStringLiteral("New sites")));
}

void SiteEditor::replace(Layout layout, const QString& what) {
  history_.push(
      new LayoutCommand(demonstration_, demonstration_.layout(), std::move(layout), what));
}

}  // namespace app
