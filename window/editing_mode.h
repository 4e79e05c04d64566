#pragma once

#include "mode_adapter.h"
#include "session/editing_session.h"

namespace app {

// The window's side of editing, the mode that is active whenever no other is: the layout's
// history says what changed (through the document's signals), so presses and take-backs
// pass straight on.
class EditingMode final : public ModeAdapter {
 public:
  explicit EditingMode(LayoutHistory& history) : session_(history) {}

  [[nodiscard]] bool active() const override { return true; }
  [[nodiscard]] EditingSession& session() override { return session_; }
  [[nodiscard]] const EditingSession& session() const override { return session_; }
  void press(double x, double y) override { session_.press(x, y); }
  bool takeBack() override { return session_.takeBack(); }

 private:
  EditingSession session_;
};

}  // namespace app
