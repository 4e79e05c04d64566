#pragma once

#include <string>

#include "layout_history.h"
#include "picture/layers.h"
#include "picture/picture_style.h"
#include "run/site_placement.h"
#include "session_mode.h"

namespace app {

// The editing mode: presses add and grab sites, drags move them, and taking back undoes the
// last step of the layout's history. It shows the run's picture with the layers chosen, in
// the style chosen.
class EditingSession final : public SessionMode {
 public:
  explicit EditingSession(LayoutHistory& history) : history_(history) {}

  void setView(const ShownLayers& layers, PictureStyle style) {
    layers_ = layers;
    style_ = style;
  }

  void press(double x, double y) override {
    refused_ = history_.press(x, y) == LayoutHistory::Press::Refused;
  }
  void drag(double x, double y) override { history_.drag(x, y); }
  void release() override { history_.release(); }
  bool takeBack() override {
    if (!history_.canUndo()) {
      return false;
    }
    history_.undo();
    return true;
  }
  [[nodiscard]] Picture picture() const override {
    return styledPicture(visibleItems(history_.current().picture, layers_), style_);
  }
  // The site the arrow keys move, said for a screen reader: the one last pressed or added.
  [[nodiscard]] std::string line() const override;
  // Moves the selected site by (dx, dy) pixels, one step of the history.
  void moveSelected(double dx, double dy) {
    if (const auto site = history_.lastPressed()) {
      history_.moveSite(*site, dx, dy);
    }
  }
  // Refused when the layout already holds the most sites it can.
  [[nodiscard]] std::string refusal() const override {
    return refused_ ? "The limit is " + std::to_string(kSiteLimit) + " sites" : std::string();
  }

 private:
  LayoutHistory& history_;
  ShownLayers layers_;
  PictureStyle style_ = PictureStyle::Normal;
  bool refused_ = false;
};

}  // namespace app
