#include "actions.h"

#include <cctype>
#include <tuple>
#include <utility>

#include "exercises/exercise.h"
#include "explanation/quiz.h"
#include "session_mode.h"

namespace app {

namespace {

using Keys = std::vector<std::string>;

Action entry(ActionId id, std::string name, Keys keys, std::string help, MenuGroup group) {
  return {id, std::move(name), std::move(keys), std::move(help), group};
}

// A checkable action.
Action toggle(ActionId id, std::string name, Keys keys, std::string help, MenuGroup group) {
  Action made = entry(id, std::move(name), std::move(keys), std::move(help), group);
  made.checkable = true;
  return made;
}

Action when(ActionWhen when, MenuGroup group, ActionId id, std::string name, Keys keys,
            std::string help) {
  Action made = entry(id, std::move(name), std::move(keys), std::move(help), group);
  made.when = when;
  return made;
}

// A layer of the run's picture that the user can hide: its menu name, key and help.
struct HideableLayer {
  Layer layer;
  const char* name;
  const char* key;
  const char* help;
};

constexpr HideableLayer kHideableLayers[] = {
    {Layer::VoronoiEdges, "Voronoi edges", "V", "show or hide the Voronoi edges"},
    {Layer::DelaunayEdges, "Delaunay edges", "D", "show or hide the Delaunay edges"},
    {Layer::SiteCircles, "Site circles", "C", "show or hide the site circles"},
    {Layer::Label, "Label", "L", "show or hide the label"},
};

Action checkable(Action action) {
  action.checkable = true;
  return action;
}

std::string capitalised(std::string word) {
  word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
  return word;
}

std::vector<Action> makeTable() {
  constexpr auto explaining = ActionWhen::Explaining;
  std::vector<Action> table{
      entry(ActionId::NewRun, "New sites", {"Space", "F5"}, "new random sites", MenuGroup::Edits),
      entry(ActionId::Undo, "Undo", {"Ctrl+Z"},
            "undo an add, drag, removal, new run, paste or open; in an exercise, a move not yet "
            "checked",
            MenuGroup::Edits),
      entry(ActionId::Redo, "Redo", {"Ctrl+Shift+Z", "Ctrl+Y"}, "redo", MenuGroup::Edits),
      entry(ActionId::RemoveSite, "Remove site", {"Del", "Backspace"},
            "remove the site under the pointer", MenuGroup::Edits),
      entry(ActionId::CopySites, "Copy sites", {"Ctrl+C"}, "copy the sites as a site list",
            MenuGroup::SiteLists),
      entry(ActionId::PasteSites, "Paste sites", {"Ctrl+V"}, "paste a site list",
            MenuGroup::SiteLists),
      entry(ActionId::OpenSites, "Open site list...", {"Ctrl+O"}, "open a site list",
            MenuGroup::SiteLists),
      entry(ActionId::OpenLastLayout, "Open last layout", {"Ctrl+Shift+O"},
            "bring back the last layout, kept after every change", MenuGroup::SiteLists),
      entry(ActionId::SaveSites, "Save site list...", {"Ctrl+Shift+S"}, "save the site list",
            MenuGroup::SiteLists),
      entry(ActionId::SavePicture, "Save picture...", {"Ctrl+S"},
            "save the picture shown (PNG, SVG, PDF, TikZ), or the lesson shown as a PDF handout "
            "or a Beamer frame, or as a web page in one file",
            MenuGroup::SiteLists),
  };
  table[3].onlyOverSite = true;  // Remove site
  for (const HideableLayer& layer : kHideableLayers) {
    Action shows =
        toggle(ActionId::ToggleLayer, layer.name, {layer.key}, layer.help, MenuGroup::Layers);
    shows.layer = layer.layer;
    table.push_back(shows);
  }
  const MenuGroup lesson = MenuGroup::Explanation;
  table.insert(
      table.end(),
      {
          toggle(ActionId::Explain, "Explain pairs", {"E"},
                 "explain the pairs: click two sites or an edge to pick one", lesson),
          when(explaining, lesson, ActionId::NextPair, "Next pair", {"Right"},
               "while explaining: the next pair"),
          when(explaining, lesson, ActionId::PreviousPair, "Previous pair", {"Left"},
               "while explaining: the previous pair"),
          when(explaining, lesson, ActionId::NextStep, "Next step", {"PgDown", "Down"},
               "while explaining: the next step of the pair"),
          when(explaining, lesson, ActionId::PreviousStep, "Previous step", {"PgUp", "Up"},
               "while explaining: the step before"),
          when(explaining, lesson, ActionId::FirstStep, "First step", {"Home"},
               "while explaining: the first step"),
          when(explaining, lesson, ActionId::LastStep, "Last step", {"End"},
               "while explaining: the last step, the result"),
          when(explaining, lesson, ActionId::SwitchLevel, "Detail or overview", {"Return"},
               "while explaining: the detail of this step, or back to the overview; on the tour, "
               "the lesson of its pair"),
          checkable(when(explaining, lesson, ActionId::WholeDiagram, "Finished diagram", {"F"},
                         "while explaining: the finished diagram under every step, or only "
                         "from the answer on")),
          entry(ActionId::Leave, "Leave", {"Esc"},
                "leave the explanation or the exercise: back to the picture", lesson),
          entry(ActionId::Tour, "Tour of the edges", {"T"},
                "a tour of the edges, one drawn pair a step, with its empty circle", lesson),
          entry(ActionId::Ask, "Ask me", {"Q"},
                "a question on a pair: predict, then see the answer's steps", lesson),
      });
  for (const auto& [id, edge, help] :
       {std::tuple(ActionId::AnswerYes, true, "answer: yes, the pair gets an edge"),
        std::tuple(ActionId::AnswerNo, false, "answer: no, it gets none")}) {
    table.push_back(when(ActionWhen::Asking, lesson, id, capitalised(answerWord(edge)),
                         {std::to_string(answerNumber(edge))}, help));
  }
  for (const ExerciseKindInfo& kind : kExerciseKinds) {
    static constexpr std::pair<ActionId, const char*> kKeys[] = {
        {ActionId::DrawEdgesExercise, "F2"},
        {ActionId::FindPieceExercise, "F3"},
        {ActionId::PlaceCutExercise, "F4"}};
    const auto& [id, key] = kKeys[static_cast<int>(kind.kind)];
    std::string what = kind.title;
    what[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(what[0])));
    table.push_back(entry(id, kind.title, {key},
                          "an exercise on a layout from the run's seed: " + what,
                          MenuGroup::Exercises));
  }
  constexpr auto exercising = ActionWhen::Exercising;
  const MenuGroup exercises = MenuGroup::Exercises;
  table.insert(
      table.end(),
      {
          when(exercising, exercises, ActionId::CheckExercise, "Check", {"G"},
               "in an exercise: grade the drawing, or go on to the next question"),
          when(exercising, exercises, ActionId::AnswerNoneOrPasses, "None, or passes", {"P"},
               "in an exercise: no piece is the edge, or the site cuts nowhere"),
          when(exercising, exercises, ActionId::AnswerBlocks, "Blocks", {"K"},
               "in an exercise: the site blocks the pair"),
          toggle(ActionId::Probe, "Nearest site", {"N"},
                 "show or hide the largest empty circle at the pointer", lesson),
          toggle(ActionId::ExactLayer, "Exact arithmetic", {"X"},
                 "show or hide the edges that exact arithmetic draws otherwise", lesson),
          entry(ActionId::FindFailure, "Find a failure", {"Ctrl+F"},
                "move a site to where rounding changes an edge (undoable)", lesson),
          toggle(ActionId::FullScreen, "Full screen", {"F11"},
                 "full screen, the picture scaled to fit, or back to the window", MenuGroup::View),
          toggle(ActionId::ProjectorStyle, "Projector style", {"Shift+P"},
                 "thick lines, large text and strong colours for a projector, or back",
                 MenuGroup::View),
          toggle(ActionId::BlankScreen, "Blank screen", {"B", "."},
                 "blank the screen to black, and back (a presenter's remote)", MenuGroup::View),
          entry(ActionId::Help, "Help", {"F1"}, "this help of the mouse and keys", MenuGroup::View),
      });
  // The site last clicked moves by keys, for whoever cannot drag; the lesson has the same
  // arrows, used only while explaining.
  for (const auto& [id, name, key, way] :
       {std::tuple(ActionId::MoveSiteLeft, "Move site left", "Left", "to the left"),
        std::tuple(ActionId::MoveSiteRight, "Move site right", "Right", "to the right"),
        std::tuple(ActionId::MoveSiteUp, "Move site up", "Up", "up"),
        std::tuple(ActionId::MoveSiteDown, "Move site down", "Down", "down")}) {
    table.push_back(when(ActionWhen::Editing, MenuGroup::Edits, id, name, {key},
                         std::string("while editing: the site last clicked, a pixel ") + way));
  }
  return table;
}

}  // namespace

const std::vector<Action>& actions() {
  static const std::vector<Action> table = makeTable();
  return table;
}

bool usableNow(ActionWhen when, OpenModes open) {
  switch (when) {
    case ActionWhen::Explaining:
      return open.explaining;
    case ActionWhen::Asking:
      return open.asking;
    case ActionWhen::Exercising:
      return open.exercising;
    case ActionWhen::Editing:
      return activeModeKind(open.exercising, open.explaining) == ModeKind::Editing;
    case ActionWhen::Always:
      break;
  }
  return true;
}

std::size_t placeOf(ActionId id) {
  for (std::size_t place = 0; place < actions().size(); ++place) {
    if (actions()[place].id == id) {
      return place;
    }
  }
  return 0;  // every id is in the table (a test checks it)
}

const Action& actionOf(ActionId id) {
  return actions()[placeOf(id)];
}

std::string keysText(const Action& action) {
  std::string text;
  for (const std::string& key : action.keys) {
    text += (text.empty() ? "" : ", ") + key;
  }
  return text;
}

std::string browserKey(std::string_view key) {
  std::string named;
  if (key.starts_with("Ctrl+")) {
    named = "Ctrl+";
    key.remove_prefix(5);
  }
  bool shift = false;
  if (key.starts_with("Shift+")) {
    shift = true;
    key.remove_prefix(6);
  }
  static constexpr std::pair<std::string_view, std::string_view> kNamedKeys[] = {
      {"Space", " "},          {"Del", "Delete"},     {"Esc", "Escape"}, {"Return", "Enter"},
      {"Right", "ArrowRight"}, {"Left", "ArrowLeft"}, {"Up", "ArrowUp"}, {"Down", "ArrowDown"},
      {"PgDown", "PageDown"},  {"PgUp", "PageUp"}};
  for (const auto& [help, browser] : kNamedKeys) {
    if (key == help) {
      return named + (shift ? "Shift+" : "") + std::string(browser);
    }
  }
  if (key.size() == 1) {  // a letter is its case; a shifted one is the capital
    const auto letter = static_cast<unsigned char>(key[0]);
    return named + static_cast<char>(shift ? std::toupper(letter) : std::tolower(letter));
  }
  return named + (shift ? "Shift+" : "") + std::string(key);  // F1, Home, Backspace
}

}  // namespace app
