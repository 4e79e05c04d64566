#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <vector>

#include "session/actions.h"

namespace app {

class MainWindow;

// An action of the session (session/actions.h) as the window offers it: with Qt's key
// sequences and the handler that does it. A checkable action keeps its state in its
// checked state, which the handler reads from the window.
struct ActionEntry {
  ActionId id;
  QString name;
  QList<QKeySequence> keys;
  QString help;
  MenuGroup group;
  std::function<void(MainWindow&)> handler;
  Layer layer = Layer::Overlay;  // for ToggleLayer
  bool checkable = false;
  ActionWhen when = ActionWhen::Always;
  bool onlyOverSite = false;  // listed in the menu only when it opens over a site
};

// Every action of the session, in its order, with the window's handlers.
const std::vector<ActionEntry>& actionTable();

// The help box's table, rows of what the mouse does and every action with its keys.
QString helpTable();

}  // namespace app
