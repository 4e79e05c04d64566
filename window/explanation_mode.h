#pragma once

#include <QObject>
#include <QString>
#include <cstddef>
#include <memory>
#include <optional>

#include "explanation/quiz.h"
#include "explanation/tour.h"
#include "lesson_panel.h"
#include "pair_explorer.h"
#include "picture/picture_style.h"
#include "picture_output/picture_file.h"
#include "run/run.h"

class QWidget;

namespace app {

// The window's explanation mode: the pair explorer, the round of questions and the lesson
// panel beside the window, kept in step; or the tour of the diagram's edges. While it is
// active the window shows its picture; while a question waits for its answer the explorer
// shows the question, and nothing moves between pairs or steps until the answer comes.
class ExplanationMode final : public QObject {
  Q_OBJECT

 public:
  // The panel stands beside `window`, which owns the mode.
  explicit ExplanationMode(QWidget* window);

  // Starts explaining the run's pairs at pair 1-2, in the style; a run that stopped, or has
  // fewer than two sites, has nothing to explain. Leaving ends the round of questions too.
  void enter(const RunResult& run, PictureStyle style);
  void leave();
  // Starts the tour of the run's drawn pairs, at its first step.
  void startTour(const RunResult& run, PictureStyle style);
  [[nodiscard]] bool active() const { return explorer_ != nullptr || tour_.has_value(); }
  [[nodiscard]] bool asking() const { return explorer_ && explorer_->asking(); }

  // Moving between the pairs and the steps of a lesson, or of the tour.
  void stepPair(int direction);
  void showStep(std::ptrdiff_t step);  // from 0; clamped to the lesson's steps
  void moveStep(int by);
  void switchLevel();
  void click(double x, double y);

  // The next question of the round: from the run's picture if the mode is not active yet.
  void ask(const RunResult& run, PictureStyle style);
  // The answer to the question waiting, whether the pair gets an edge; the lesson opens at
  // the overview step that decides it, and the heading says why.
  void answer(bool edge);

  void setStyle(PictureStyle style);
  // Whether the lesson marks the steps where exact arithmetic differs.
  void setExactShown(bool shown);
  // A blanked screen hides the panel.
  void setPanelHidden(bool hidden);
  // Puts the panel beside the window, inside the screen's available area.
  void placePanel();

  [[nodiscard]] const PairExplorer* explorer() const { return explorer_.get(); }
  [[nodiscard]] const LessonPanel& panel() const { return panel_; }
  [[nodiscard]] std::size_t tourStep() const { return tour_ ? tour_->step : 0; }
  // The line of what is shown: the step of the lesson or the tour, or the question.
  [[nodiscard]] QString shownLine() const;
  // The lesson shown, whole and at the level shown, as a PDF handout or as Beamer slides
  // (for a .tex file); nothing while no lesson is shown or the format is a picture's.
  [[nodiscard]] std::optional<QByteArray> lessonDocument(PictureFormat format,
                                                         PictureStyle style) const;
  // The lesson shown, opening at the level shown, or the tour, as a web page in one file;
  // nothing while a question waits for its answer.
  [[nodiscard]] std::optional<QByteArray> webPage(std::uint32_t seed, PictureStyle style) const;
  // The picture of the pair, the question or the tour's step, in the style.
  [[nodiscard]] const Picture& picture() const {
    return explorer_ ? explorer_->picture() : tour_->picture;
  }

 signals:
  // The picture, the pair, the step or the question changed, or the mode began or ended.
  void changed();

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

  // Fills the panel from the explorer or the tour, shows or hides it, and tells the window.
  void refresh();

  QWidget* window_;
  std::unique_ptr<PairExplorer> explorer_;  // set while a pair is explained
  std::optional<TourView> tour_;            // set while the tour is shown
  std::optional<Quiz> quiz_;                // the round of questions, once one is asked
  QString verdict_;                         // what the last answer was
  bool exactShown_ = false;
  bool panelHidden_ = false;
  LessonPanel panel_;
};

}  // namespace app
