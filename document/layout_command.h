#pragma once

#include <QUndoCommand>
#include <functional>

#include "run/layout.h"

namespace app {

// One step of the undo history: the layout before and after an add, a move (one step for a
// whole drag), a remove, a new run, a paste or an open. Redo and undo put the layout after
// or before the step on screen through `show`.
class LayoutCommand final : public QUndoCommand {
 public:
  using Show = std::function<void(const Layout&)>;
  LayoutCommand(Show show, Layout before, Layout after, const QString& text)
      : QUndoCommand(text),
        show_(std::move(show)),
        before_(std::move(before)),
        after_(std::move(after)) {}

  void redo() override { show_(after_); }
  void undo() override { show_(before_); }

 private:
  Show show_;
  Layout before_, after_;
};

}  // namespace app
