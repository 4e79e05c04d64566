#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <vector>

#include "picture/layers.h"

namespace app {

class MainWindow;

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
  SwitchLevel,
  Leave,
  Tour,
  Ask,
  AnswerYes,
  AnswerNo,
  DrawEdgesExercise,
  FindPieceExercise,
  PlaceCutExercise,
  CheckExercise,
  AnswerNoneOrPasses,
  AnswerBlocks,
  Probe,
  ExactLayer,
  FindFailure,
  FullScreen,
  ProjectorStyle,
  BlankScreen,
  Help,
};

// When an action can be used: always, in the explanation mode, while a question waits for
// its answer, or in an exercise.
enum class ActionWhen { Always, Explaining, Asking, Exercising };

// The parts of the context menu, in order, with a separator between two parts.
enum class MenuGroup { Edits, SiteLists, Layers, Explanation, Exercises, View };

// An action of the window: its name in the menu, its keys, what it does in the words of the
// help box and the README's table, and the handler that does it. A checkable action keeps
// its state in its checked state, which the handler reads from the window.
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

// Every action of the window, in the order of the help box and the menu. No key is bound
// twice.
const std::vector<ActionEntry>& actionTable();

// The keys of an action as the help shows them, "Space, F5".
QString keysText(const ActionEntry& action);

// The help box's table, rows of what the mouse does and every action with its keys.
QString helpTable();

}  // namespace app
