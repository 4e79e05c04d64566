#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "picture/layers.h"

namespace app {

// What a session's actions do, whoever offers them: the window's keys and menu, the web
// page's keys and buttons.
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
  WholeDiagram,
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
  MoveSiteLeft,
  MoveSiteRight,
  MoveSiteUp,
  MoveSiteDown,
};

// When an action can be used: always, in the explanation mode, while a question waits for
// its answer, in an exercise, or while editing (in neither of those modes).
enum class ActionWhen { Always, Explaining, Asking, Exercising, Editing };

// Whether actions of the two kinds can be used at the same time: only those may not share a
// key. Editing excludes the explanation and the exercises; asking is part of explaining.
constexpr bool usableTogether(ActionWhen a, ActionWhen b) {
  const auto modeOf = [](ActionWhen when) {
    return when == ActionWhen::Asking ? ActionWhen::Explaining : when;
  };
  return a == ActionWhen::Always || b == ActionWhen::Always || modeOf(a) == modeOf(b);
}

// What is open in a session now: an exercise, the lesson, a question of the lesson waiting
// for its answer.
struct OpenModes {
  bool exercising = false;
  bool explaining = false;
  bool asking = false;
};

// Whether an action of the kind can be used with these modes open.
bool usableNow(ActionWhen when, OpenModes open);

// The parts of the context menu, in order, with a separator between two parts.
enum class MenuGroup { Edits, SiteLists, Layers, Explanation, Exercises, View };

// An action: its name in the menu, its keys, what it does in the words of the help box and
// the README's table. Keys are written as the help shows them, modifiers first: "Space",
// "Ctrl+Shift+Z", "PgDown", "Return", "Esc", "Del", "Shift+P". A checkable action is on or
// off (a layer shown, full screen).
struct Action {
  ActionId id;
  std::string name;
  std::vector<std::string> keys;
  std::string help;
  MenuGroup group;
  Layer layer = Layer::Overlay;  // for ToggleLayer
  bool checkable = false;
  ActionWhen when = ActionWhen::Always;
  bool onlyOverSite = false;  // listed in the menu only when it opens over a site
};

// Every action, in the order of the help box and the menu. No key is bound to two actions
// that can be used at the same time.
const std::vector<Action>& actions();

// The one action of the id (the first, for the layers' ToggleLayer).
const Action& actionOf(ActionId id);

// Where the action of the id stands in actions() (the first, for the layers' ToggleLayer).
std::size_t placeOf(ActionId id);

// The keys of an action as the help shows them, "Space, F5".
std::string keysText(const Action& action);

// A key as a browser's keyboard event names it, with "Ctrl+" before it when Control is held:
// "PgDown" is "PageDown", "Space" " ", "Q" "q" and "Shift+P" "P". The web page's script names
// each key it gets the same way and looks it up.
std::string browserKey(std::string_view key);

}  // namespace app
