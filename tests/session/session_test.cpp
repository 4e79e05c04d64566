// The session's models without any window: the layout's history and the modes behind their
// common interface, driven as the window and the web page drive them.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "session/actions.h"
#include "session/editing_session.h"
#include "session/exercise_session.h"
#include "session/explanation_session.h"
#include "session/layout_history.h"

namespace {

using app::Layout;
using app::LayoutHistory;

const Layout kThree{42, {{100, 100}, {400, 120}, {250, 380}}};

// Counts what the history tells its listener.
struct Heard {
  int pictures = 0, steps = 0;
  std::string failure;

  LayoutHistory::Listener listener() {
    return {[this] { ++pictures; }, [this] { ++steps; },
            [this](const std::string& why) { failure = why; }};
  }
};

// Adds, drags (one step however many moves), undoes and redoes; a press on a site grabs it
// instead of adding one; nothing is undone while a site is held.
TEST(LayoutHistory, KeepsOneStepAnEditAndADragAsOneStep) {
  LayoutHistory history;
  Heard heard;
  history.setListener(heard.listener());
  history.start(app::RunRequest::of(kThree));
  EXPECT_FALSE(history.canUndo());
  EXPECT_FALSE(history.hasUnsavedChanges());

  EXPECT_EQ(history.press(600, 300), LayoutHistory::Press::Added);
  const Layout added = history.layout();
  ASSERT_EQ(added.sites.size(), 4u);
  EXPECT_EQ(history.undoName(), "Add site");

  EXPECT_EQ(history.press(600, 300), LayoutHistory::Press::Grabbed);
  const int picturesBefore = heard.pictures;
  for (int step = 1; step <= 5; ++step) {
    history.drag(600 - 10 * step, 300);
  }
  EXPECT_EQ(heard.pictures, picturesBefore + 5) << "the picture follows every move";
  history.undo();  // refused while the site is held
  EXPECT_EQ(history.layout().sites.size(), 4u);
  history.release();
  EXPECT_EQ(history.size(), 2u);
  EXPECT_EQ(history.undoName(), "Move site");
  EXPECT_EQ(history.layout().sites[3].x, 550);
  EXPECT_EQ(history.layout().sites[3].y, 300);

  history.undo();
  EXPECT_EQ(history.layout(), added);
  history.undo();
  EXPECT_EQ(history.layout(), kThree);
  EXPECT_FALSE(history.canUndo());
  history.redo();
  history.redo();
  EXPECT_EQ(history.layout().sites[3].x, 550);
  EXPECT_FALSE(history.canRedo());
  EXPECT_TRUE(history.current().completed());
  EXPECT_EQ(heard.failure, "");
}

// A new edit after an undo drops the steps undone; a save point among them is gone for
// good, so the layout counts as changed even at the same number of steps.
TEST(LayoutHistory, ABranchDropsTheStepsUndoneAndTheSavePointAmongThem) {
  LayoutHistory history;
  history.start(app::RunRequest::of(kThree));
  history.press(600, 300);
  history.press(650, 100);
  history.markSaved();
  EXPECT_FALSE(history.hasUnsavedChanges());
  history.undo();
  EXPECT_TRUE(history.hasUnsavedChanges());
  history.redo();
  EXPECT_FALSE(history.hasUnsavedChanges()) << "back at the save point";
  history.undo();
  history.removeAt(100, 100);
  EXPECT_FALSE(history.canRedo());
  EXPECT_EQ(history.size(), 2u);
  EXPECT_EQ(history.undoName(), "Remove site");
  EXPECT_TRUE(history.hasUnsavedChanges());
  history.undo();
  history.undo();
  history.redo();
  history.redo();
  EXPECT_TRUE(history.hasUnsavedChanges()) << "the saved layout is no longer in the history";
  history.newRun(7);
  EXPECT_EQ(history.layout().seed, 7u);
  EXPECT_EQ(history.undoName(), "New sites");
}

// The limit refuses a site and leaves the history alone.
TEST(LayoutHistory, RefusesASiteOverTheLimit) {
  Layout full{42, {}};
  for (int n = 0; n < 101; ++n) {
    full.sites.push_back({5.0 + 7 * n, 2 + 4.5f * static_cast<float>(n)});
  }
  LayoutHistory history;
  history.start(app::RunRequest::of(full));
  app::EditingSession editing(history);
  editing.press(740, 10);
  EXPECT_EQ(editing.refusal(), "The limit is 101 sites");
  EXPECT_EQ(history.layout(), full);
  EXPECT_FALSE(editing.takeBack());
}

// Behind the one interface: editing takes back the history's last step and shows the run's
// picture without the layers hidden; the explanation takes nothing back and waits for the
// answer to its question; an exercise takes back its own moves and saves results.
TEST(SessionModes, EachModeAnswersTheSameCallsInItsOwnWay) {
  LayoutHistory history;
  history.start(app::RunRequest::of(kThree));
  app::EditingSession editing(history);
  app::SessionMode& edit = editing;
  edit.press(600, 300);
  EXPECT_EQ(history.layout().sites.size(), 4u);
  app::ShownLayers noSites;
  noSites.set(app::Layer::SiteCircles, false);
  editing.setView(noSites, app::PictureStyle::Normal);
  EXPECT_LT(edit.picture().size(), history.current().picture.size());
  EXPECT_TRUE(edit.takeBack());
  EXPECT_EQ(history.layout(), kThree);
  EXPECT_EQ(edit.saves(), app::ModeSaves::ShownPicture);

  app::ExplanationSession explanation;
  explanation.ask(history.current(), app::PictureStyle::Normal);
  ASSERT_TRUE(explanation.asking());
  const int i = explanation.explorer()->i(), j = explanation.explorer()->j();
  EXPECT_EQ(explanation.heading().rfind("Question 1 of 5", 0), 0u) << explanation.heading();
  explanation.stepPair(1);  // nothing moves while the question waits
  explanation.showStep(0);
  EXPECT_EQ(explanation.explorer()->i(), i);
  EXPECT_EQ(explanation.explorer()->j(), j);
  EXPECT_TRUE(explanation.asking());
  EXPECT_FALSE(explanation.takeBack());
  explanation.answer(true);
  EXPECT_FALSE(explanation.asking());
  EXPECT_NE(explanation.lessonShown(), nullptr);
  EXPECT_NE(explanation.heading().find("1 of 1"), std::string::npos) << explanation.heading();
  explanation.startTour(history.current(), app::PictureStyle::Normal);
  EXPECT_TRUE(explanation.touring());
  EXPECT_EQ(explanation.line(), explanation.tourLines().front());
  explanation.moveStep(1000);
  EXPECT_EQ(explanation.line(), explanation.tourLines().back());
  explanation.switchLevel(history.current(), app::PictureStyle::Normal);  // the last step: no pair
  EXPECT_TRUE(explanation.touring());
  explanation.showStep(0);
  const geometry::PairAccount first = explanation.tour()->drawn.front();
  explanation.switchLevel(history.current(), app::PictureStyle::Normal);  // a pair's step
  ASSERT_FALSE(explanation.touring());
  EXPECT_EQ(std::pair(explanation.explorer()->i(), explanation.explorer()->j()),
            std::pair(first.i, first.j))
      << "Return on a tour step opens that pair's lesson";

  app::ExerciseSession exercise;
  exercise.start(app::ExerciseKind::DelaunayEdges, 5, app::PictureStyle::Normal);
  app::SessionMode& round = exercise;
  EXPECT_FALSE(round.takeBack()) << "no move yet";
  const app::SitePosition a = exercise.sites()[0], b = exercise.sites()[1];
  round.press(a.x, a.y);
  round.press(b.x, b.y);
  EXPECT_EQ(exercise.edges().size(), 1u);
  EXPECT_TRUE(round.takeBack());
  EXPECT_EQ(round.saves(), app::ModeSaves::Results);
}

}  // namespace

// Every action has its own keys, and a browser names each key as the page's script does
// (KeyboardEvent.key, with "Ctrl+" when Control is held): a capital only with Shift.
TEST(Actions, EachKeyIsBoundOnceAndHasTheBrowsersName) {
  std::vector<std::pair<std::string, app::ActionWhen>> bound;
  for (const app::Action& action : app::actions()) {
    EXPECT_FALSE(action.keys.empty()) << action.name;
    for (const std::string& key : action.keys) {
      for (const auto& [other, when] : bound) {
        EXPECT_FALSE(other == app::browserKey(key) && app::usableTogether(when, action.when))
            << key << " is bound twice";
      }
      bound.emplace_back(app::browserKey(key), action.when);
    }
    EXPECT_EQ(app::actionOf(action.id).id, action.id);
  }
  const std::pair<const char*, const char*> named[] = {{"Space", " "},
                                                       {"Ctrl+Shift+Z", "Ctrl+Z"},
                                                       {"Ctrl+Z", "Ctrl+z"},
                                                       {"Shift+P", "P"},
                                                       {"Q", "q"},
                                                       {"PgDown", "PageDown"},
                                                       {"Return", "Enter"},
                                                       {"Esc", "Escape"},
                                                       {"Del", "Delete"},
                                                       {"Right", "ArrowRight"},
                                                       {".", "."},
                                                       {"F11", "F11"},
                                                       {"Backspace", "Backspace"}};
  for (const auto& [help, browser] : named) {
    EXPECT_EQ(app::browserKey(help), browser) << help;
  }
}
