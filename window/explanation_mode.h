#pragma once

#include <QObject>
#include <QString>
#include <cstddef>
#include <memory>
#include <optional>

#include "lesson_panel.h"
#include "mode_adapter.h"
#include "picture/picture_style.h"
#include "picture_output/picture_file.h"
#include "run/run.h"
#include "session/explanation_session.h"

class QWidget;

namespace app {

// The window's side of the explanation mode (session/explanation_session.h): the lesson
// panel beside the window, kept in step with the session, and a signal for each change.
class ExplanationMode final : public QObject, public ModeAdapter {
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
  [[nodiscard]] bool active() const override { return session_.active(); }
  [[nodiscard]] bool asking() const { return session_.asking(); }

  // Moving between the pairs and the steps of a lesson, or of the tour.
  void stepPair(int direction);
  void showStep(std::ptrdiff_t step);  // from 0; clamped to the lesson's steps
  void moveStep(int by);
  void switchLevel(const RunResult& run, PictureStyle style);
  void showWholeDiagram(bool on);
  // A click on a site picks the next pair, on a drawn edge that edge's pair; a lesson has no
  // moves to take back.
  void press(double x, double y) override;
  bool takeBack() override { return false; }

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

  [[nodiscard]] ExplanationSession& session() override { return session_; }
  [[nodiscard]] const ExplanationSession& session() const override { return session_; }
  [[nodiscard]] const PairExplorer* explorer() const { return session_.explorer(); }
  [[nodiscard]] const LessonPanel& panel() const { return panel_; }
  [[nodiscard]] std::size_t tourStep() const { return session_.tourStep(); }
  // The line of what is shown: the step of the lesson or the tour, or the question.
  [[nodiscard]] QString shownLine() const { return QString::fromStdString(session_.line()); }
  // The lesson shown, whole and at the level shown, as a PDF handout or as Beamer slides
  // (for a .tex file); nothing while no lesson is shown or the format is a picture's.
  [[nodiscard]] std::optional<QByteArray> lessonDocument(PictureFormat format,
                                                         PictureStyle style) const;

 signals:
  // The picture, the pair, the step or the question changed, or the mode began or ended.
  void changed();

 private:
  // Fills the panel from the session, shows or hides it, and tells the window.
  void refresh();

  QWidget* window_;
  ExplanationSession session_;
  bool exactShown_ = false;
  bool panelHidden_ = false;
  LessonPanel panel_;
};

}  // namespace app
