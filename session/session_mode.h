#pragma once

#include <string>

#include "picture/picture.h"

namespace app {

// What Save keeps in a mode: the picture shown (or the whole lesson, when one is shown), or
// the learner's results.
enum class ModeSaves { ShownPicture, Results };

// The three modes of a session. An exercise takes over from the lesson it may be opened
// from, and the lesson from editing; editing is what is left when neither is open.
enum class ModeKind { Exercise, Explanation, Editing };

constexpr ModeKind activeModeKind(bool exercising, bool explaining) {
  if (exercising) {
    return ModeKind::Exercise;
  }
  return explaining ? ModeKind::Explanation : ModeKind::Editing;
}

// One mode of a session, as the window and the web page drive it: what a press of the main
// button (a click, a tap), a drag and a release do, what taking back does, which picture is
// shown and the line that says what it shows, and what Save keeps. Positions are window
// pixels of the run's frame.
class SessionMode {
 public:
  virtual ~SessionMode() = default;

  virtual void press(double x, double y) = 0;
  virtual void drag(double /*x*/, double /*y*/) {}
  virtual void release() {}
  // Takes the last move back; false when there is none.
  virtual bool takeBack() = 0;
  // The picture shown, in the mode's style, without the marks laid over every mode.
  [[nodiscard]] virtual Picture picture() const = 0;
  [[nodiscard]] virtual std::string line() const = 0;
  [[nodiscard]] virtual ModeSaves saves() const { return ModeSaves::ShownPicture; }
  // Why the last press changed nothing, to be shown beside the pointer; empty when it did
  // what it was meant to.
  [[nodiscard]] virtual std::string refusal() const { return {}; }
};

}  // namespace app
