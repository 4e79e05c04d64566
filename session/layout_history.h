#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "run/layout.h"
#include "run/run.h"

namespace app {

// The layout being worked on and the run that shows it, with the history of its changes.
// Every change of the sites runs the whole demonstration again with the layout's seed and
// sites, so the picture is always the one a run with those sites and that seed draws,
// whether the sites were drawn at random, read from a file or edited.
//
// Pointer positions are window pixels of the run's frame. A site is added by a press away
// from the sites, moved by a drag (the picture follows at every step; the history gets one
// step when the button is released), and removed, replaced or drawn anew by the calls below.
// A change whose run stops is refused: the previous picture stays, the history is not
// touched, and the listener hears why.
class LayoutHistory {
 public:
  // What the holder of the history hears: a new picture is current; the history's steps
  // changed (a step added, undone or redone, or the layout saved); a run stopped.
  struct Listener {
    std::function<void()> pictureChanged;
    std::function<void()> stepsChanged;
    std::function<void(const std::string& message)> runFailed;
  };

  void setListener(Listener listener) { listener_ = std::move(listener); }

  // Starts with the run of the request, outside the history. A run that stops keeps what
  // it drew in current().picture and its error in current().error.
  void start(const RunRequest& request);

  [[nodiscard]] const RunResult& current() const { return current_; }
  [[nodiscard]] const Layout& layout() const { return current_.layout; }

  // What a press of the left button did.
  enum class Press { Grabbed, Added, Refused };
  // The left button pressed at (x, y): grabs the site there, or adds one; Refused when the
  // layout holds the most sites it can, or the new layout's run stopped.
  Press press(double x, double y);
  // The pointer moved to (x, y) with the button down.
  void drag(double x, double y);
  // The button released: a drag that moved its site becomes one step.
  void release();
  [[nodiscard]] bool dragging() const { return grabbed_.has_value(); }
  // The site the last press grabbed or added (from 0), while it is still there.
  [[nodiscard]] std::optional<std::size_t> lastPressed() const;
  // Moves the site (from 0) by (dx, dy) pixels, kept inside the window and off the other
  // sites' coordinates as a drag keeps it, as one step.
  void moveSite(std::size_t site, double dx, double dy);
  // Removes the site under (x, y), if there is one and no site is being dragged.
  void removeAt(double x, double y);
  // New random sites from the seed (from the clock without one), as one step.
  void newRun(std::optional<std::uint32_t> seed);
  // Puts a whole new layout on screen, as one step of the history named `what`. False when
  // its run stopped.
  bool replace(Layout layout, std::string what);

  void undo();
  void redo();
  [[nodiscard]] bool canUndo() const { return applied_ > 0; }
  [[nodiscard]] bool canRedo() const { return applied_ < steps_.size(); }
  // The steps kept, undone ones included, and the name of the one undo would take back.
  [[nodiscard]] std::size_t size() const { return steps_.size(); }
  [[nodiscard]] const std::string& undoName() const;

  // The layout shown is the one last saved or opened: from now on, until it changes.
  void markSaved();
  // Whether the layout has changed since the start, or since it was last marked saved.
  [[nodiscard]] bool hasUnsavedChanges() const { return saved_ != applied_; }

 private:
  struct Step {
    Layout before, after;
    std::string what;
  };

  // Runs the layout and makes it current; false, with current() unchanged, when it stops.
  bool show(const Layout& layout);
  void push(Step step);
  static void call(const std::function<void()>& f) {
    if (f) {
      f();
    }
  }

  RunResult current_;
  std::vector<Step> steps_;
  std::size_t applied_ = 0;               // steps_[0, applied_) are on screen
  std::optional<std::size_t> saved_ = 0;  // the value of applied_ at the last save, if reachable
  std::optional<std::size_t> grabbed_;    // the site being dragged
  std::optional<std::size_t> pressed_;    // the site last grabbed or added
  double offsetX_ = 0, offsetY_ = 0;      // from the pointer to the grabbed site
  Layout beforeDrag_;
  Listener listener_;
};

}  // namespace app
