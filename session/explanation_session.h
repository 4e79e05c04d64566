#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "explanation/quiz.h"
#include "explanation/tour.h"
#include "pair_explorer.h"
#include "picture/picture_style.h"
#include "run/run.h"
#include "session_mode.h"

namespace app {

// The explanation mode: the pair explorer with its round of questions, or the tour of the
// diagram's edges. While a question waits for its answer the explorer shows the question,
// and nothing moves between pairs or steps until the answer comes.
class ExplanationSession final : public SessionMode {
 public:
  // Starts explaining the run's pairs at pair 1-2, in the style; a run that stopped, or has
  // fewer than two sites, has nothing to explain. Leaving ends the round of questions too.
  void enter(const RunResult& run, PictureStyle style);
  void leave();
  // Starts the tour of the run's drawn pairs, at its first step.
  void startTour(const RunResult& run, PictureStyle style);
  [[nodiscard]] bool active() const { return explorer_ != nullptr || tour_.has_value(); }
  [[nodiscard]] bool asking() const { return explorer_ && explorer_->asking(); }

  // Moving between the pairs and the steps of a lesson, or of the tour.
  void selectPair(int i, int j);  // two of the run's sites, in either order; others do nothing
  void stepPair(int direction);
  void showStep(std::ptrdiff_t step);  // from 0; clamped to the lesson's steps
  void moveStep(int by);
  // The other level of the lesson shown; on a step of the tour, the lesson of its pair.
  void switchLevel(const RunResult& run, PictureStyle style);

  // The next question of the round: from the run's picture if the mode is not active yet.
  void ask(const RunResult& run, PictureStyle style);
  // The answer to the question waiting, whether the pair gets an edge; the lesson opens at
  // the overview step that decides it, and the heading says why.
  void answer(bool edge);
  void setStyle(PictureStyle style);
  // The whole finished diagram under every step of a lesson, or only from its answer on; kept
  // from one pair, and one visit of the mode, to the next.
  void showWholeDiagram(bool on);
  [[nodiscard]] bool wholeDiagramShown() const { return wholeDiagram_; }

  // A click on a site picks the next pair, on a drawn edge that edge's pair.
  void press(double x, double y) override;
  bool takeBack() override { return false; }
  [[nodiscard]] Picture picture() const override {
    return explorer_ ? explorer_->picture() : tour_->picture;
  }
  // The step of the lesson or the tour shown, or the question.
  [[nodiscard]] std::string line() const override;

  [[nodiscard]] const PairExplorer* explorer() const { return explorer_.get(); }
  [[nodiscard]] bool touring() const { return tour_.has_value(); }
  [[nodiscard]] std::size_t tourStep() const { return tour_ ? tour_->step : 0; }
  // Every line of the tour, in order.
  [[nodiscard]] std::vector<std::string> tourLines() const;
  // What heads the lesson's panel: the question with its number and the score, or the pair
  // (or the verdict on the last answer) and the score once questions are asked.
  [[nodiscard]] std::string heading() const;

  // The lesson shown, whole and at the level shown, as a PDF handout or as Beamer slides;
  // the lesson or the tour as a web page. Nothing while no lesson is shown or a question
  // waits for its answer.
  [[nodiscard]] const Lesson* lessonShown() const;
  [[nodiscard]] const Picture* runPicture() const;
  [[nodiscard]] const geometry::SiteColumns* sites() const;
  [[nodiscard]] const Tour* tour() const { return tour_ ? &tour_->tour : nullptr; }

 private:
  // The tour while it is shown: the run's sites and picture, the step shown and its picture.
  struct TourView {
    Tour tour;
    std::shared_ptr<const geometry::SiteColumns> sites;
    Picture normal, picture;
    std::size_t step = 0;
    PictureStyle style = PictureStyle::Normal;

    void draw() { picture = tourStepPicture(normal, tour, step, *sites, style); }
    [[nodiscard]] std::string line(std::size_t n) const { return tourStepLine(tour, *sites, n); }
  };

  std::unique_ptr<PairExplorer> explorer_;  // set while a pair is explained
  std::optional<TourView> tour_;            // set while the tour is shown
  std::optional<Quiz> quiz_;                // the round of questions, once one is asked
  std::string verdict_;                     // what the last answer was
  bool wholeDiagram_ = false;               // under every step of a lesson
};

}  // namespace app
