#pragma once

#include "session/session_mode.h"

namespace app {

// The window's side of a session mode: the window hands a press of the main button and a
// take-back to the active mode's adapter, which passes it on to the mode and lets the window
// know what changed (a signal, the lesson panel). Drags, releases, the picture, the line and
// Save go straight to the mode itself.
class ModeAdapter {
 public:
  virtual ~ModeAdapter() = default;

  [[nodiscard]] virtual bool active() const = 0;
  [[nodiscard]] virtual SessionMode& session() = 0;
  [[nodiscard]] virtual const SessionMode& session() const = 0;
  virtual void press(double x, double y) = 0;
  // Takes the last move back; false when there is none.
  virtual bool takeBack() = 0;
};

}  // namespace app
