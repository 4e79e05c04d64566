#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <vector>

#include "picture/layers.h"

namespace app {

// What the window's actions do.
enum class ActionId {
  NewRun,
  Undo,
  Redo,
  RemoveSite,
  CopySites,
  PasteSites,
  OpenSites,
  OpenLastLayout,
  SaveSites,
  SavePicture,
  ToggleLayer,
  Explain,
  NextPair,
  PreviousPair,
  NextStep,
  PreviousStep,
  FirstStep,
  LastStep,
  LeaveExplanation,
  Ask,
  AnswerDrawn,
  AnswerBlocked,
  AnswerShadowed,
  Probe,
  ExactLayer,
  FindFailure,
  FullScreen,
  ProjectorStyle,
  BlankScreen,
  Help,
};

// When an action can be used: always, in the explanation mode, or while a question waits
// for its answer.
enum class ActionWhen { Always, Explaining, Asking };

// An action of the window: its name in the menu, its keys, and what it does in the words of
// the help box and the README's table.
struct ActionEntry {
  ActionId id;
  QString name;
  QList<QKeySequence> keys;
  QString help;
  Layer layer = Layer::Overlay;  // for ToggleLayer
  bool checkable = false;
  ActionWhen when = ActionWhen::Always;
};

// Every action of the window, in the order of the help box. No key is bound twice.
const std::vector<ActionEntry>& actionTable();

// The keys of an action as the help shows them, "Space, F5".
QString keysText(const ActionEntry& action);

// The help box's table, rows of what the mouse does and every action with its keys.
QString helpTable();

}  // namespace app
