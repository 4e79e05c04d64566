#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "explanation/lesson.h"
#include "explanation/step_drawing.h"
#include "geometry/sites.h"
#include "picture/picture.h"
#include "picture/picture_style.h"
#include "run/run.h"

namespace app {

// The explanation of one pair of the run at a time, as the lesson of its steps
// at the overview or the detail level (see levelStepPicture), or as a question about it. A pair is
// chosen by clicking its two sites one after the other, or one of its drawn edges, or by stepping
// through the pairs in scan order; a chosen pair shows its result first. It keeps its own copy of
// the run's picture and shares its sites, so it never changes them, and it works out only the pair
// it shows.
class PairExplorer {
 public:
  PairExplorer(const RunResult& run, PictureStyle style);

  // Draws the pictures in another style from now on.
  void setStyle(PictureStyle style);
  // Shows the whole finished diagram, dimmed, under every step, or (off) only from the step
  // that gives the answer: the result, or the deciding step once a question is answered.
  void showWholeDiagram(bool on);

  // Shows the pair (i, j), 1 <= i < j <= nSites, at the last step of its lesson.
  void select(int i, int j);
  // Shows the lesson at the other level, at the step that corresponds to the one shown: an
  // overview step opens the first detail step it gathers, a detail step the overview step
  // that gathers it.
  void switchLevel();
  // Moves to the next pair in scan order, (1, 2), (1, 3), ..., or with a negative step to
  // the previous one, wrapping round at either end.
  void step(int direction);
  // Shows step n of the pair's lesson at the level shown, from 0; clamped to its steps.
  void showStep(std::ptrdiff_t n);
  // Shows the pair (i, j) as a question: its sites and bisector only.
  void ask(int i, int j);
  // Ends the question: the lesson's overview at the step that decides the pair.
  void reveal();
  // A click at a window position: on a site, it is the first or second site of the next
  // pair; on a drawn red or pale edge, that edge's pair is shown.
  void click(double x, double y);

  [[nodiscard]] int i() const { return lesson_.account.i; }
  [[nodiscard]] int j() const { return lesson_.account.j; }
  [[nodiscard]] const Lesson& lesson() const { return lesson_; }
  [[nodiscard]] std::size_t currentStep() const { return step_; }
  [[nodiscard]] LessonLevel level() const { return level_; }
  [[nodiscard]] bool asking() const { return asking_; }
  [[nodiscard]] const Picture& picture() const { return picture_; }
  [[nodiscard]] const geometry::SiteColumns& sites() const { return *sites_; }
  // The run's picture, with every layer.
  [[nodiscard]] const Picture& runPicture() const { return normal_; }

 private:
  void rebuild();

  std::shared_ptr<const geometry::SiteColumns> sites_;
  SitePositions inWindow_;  // the sites in window pixels, for the pointer
  Picture normal_;
  std::vector<DrawnPair> drawn_;
  Lesson lesson_;
  std::size_t step_ = 0;
  LessonLevel level_ = LessonLevel::Overview;
  bool asking_ = false;
  bool answered_ = false;      // a question on the pair was answered
  bool wholeDiagram_ = false;  // under every step, as the learner asked
  PictureStyle style_;
  int firstClicked_ = 0;  // a site clicked as the first of a pair, or 0
  Picture picture_;
};

}  // namespace app
