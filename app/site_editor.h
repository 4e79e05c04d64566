#pragma once

#include <QString>
#include <QUndoStack>
#include <optional>

#include "demonstration.h"

namespace app {

// Turns what the pointer and the keys do to the sites into steps of the undo history: a
// click away from the sites adds one, a drag moves one, and a site can be removed, the whole
// layout replaced or new random sites drawn. While a site is dragged the picture follows at
// every step; the history gets one step when the button is released.
class SiteEditor {
 public:
  SiteEditor(Demonstration& demonstration, QUndoStack& history)
      : demonstration_(demonstration), history_(history) {}

  enum class Press { GrabbedSite, AddedSite, AtSiteLimit };
  // The left button pressed at (x, y), in window pixels.
  Press press(double x, double y);
  // The pointer moved to (x, y) with the button down.
  void drag(double x, double y);
  // The button released: a drag that moved its site becomes one step.
  void release();
  [[nodiscard]] bool dragging() const { return grabbed_.has_value(); }

  // Removes the site under (x, y); false when there is none.
  bool removeAt(double x, double y);
  // Runs the demonstration again with new random sites, seeded from the clock.
  void newRun();
  // Puts a whole new layout on screen, as one step of the history named `what`.
  void replace(Layout layout, const QString& what);

 private:
  Demonstration& demonstration_;
  QUndoStack& history_;
  std::optional<std::size_t> grabbed_;  // the site being dragged
  double offsetX_ = 0, offsetY_ = 0;    // from the pointer to the grabbed site
  Layout beforeDrag_;
};

}  // namespace app
