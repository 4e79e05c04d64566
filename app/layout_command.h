#pragma once

#include <QUndoCommand>

#include "demonstration.h"

namespace app {

// One step of the undo history: the layout before and after an add, a move (one step for a
// whole drag), a remove, a new run, a paste or an open. Redo and undo run the demonstration
// with the layout after or before the step.
class LayoutCommand final : public QUndoCommand {
 public:
  LayoutCommand(Demonstration& demonstration, Layout before, Layout after, const QString& text)
      : QUndoCommand(text),
        demonstration_(demonstration),
        before_(std::move(before)),
        after_(std::move(after)) {}

  void redo() override { show(after_); }
  void undo() override { show(before_); }

 private:
  // A step whose layout is on screen already (a new run, a drag) is not run again.
  void show(const Layout& layout) {
    if (!(demonstration_.layout() == layout)) {
      demonstration_.runLayout(layout);
    }
  }

  Demonstration& demonstration_;
  Layout before_, after_;
};

}  // namespace app
