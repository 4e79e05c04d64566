#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPoint>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "explanation/exact_comparison.h"
#include "explanation/lesson.h"

namespace app {

// The list beside the picture in the explanation mode, in a window of its own so that the
// picture keeps its size: the pair's lesson as its numbered steps, the current one marked,
// text that can be selected and copied, under the rule the edge finder follows; during a
// question, the two answers as buttons and the round's score. It never takes the keyboard from the
// main window: every key of the explanation works while it is shown.
class LessonPanel final : public QWidget {
 public:
  // `chooseStep` is called with a step clicked in the list, from 0; `answer` with the
  // answer a button gives, whether the pair gets an edge.
  LessonPanel(std::function<void(std::size_t)> chooseStep, std::function<void(bool)> answer);

  // Shows the lesson at a level with the step marked, under the heading; the steps where
  // exact arithmetic differs (given for the detail steps) are marked and say how.
  void showLesson(const Lesson& lesson, LessonLevel level, std::size_t step, const QString& heading,
                  const std::vector<StepAgreement>& exact = {});
  // Shows numbered steps with the step marked, under the heading.
  void showSteps(const QStringList& lines, std::size_t step, const QString& heading);
  // Shows a question about the pair, with the answer buttons.
  void showQuestion(int i, int j, const QString& heading);

  [[nodiscard]] QString heading() const { return heading_->text(); }
  [[nodiscard]] QString stepsText() const { return steps_->toPlainText(); }

 private:
  QLabel* heading_;
  QLabel* rule_;
  QPlainTextEdit* steps_;
  QWidget* answers_;
  std::function<void(std::size_t)> chooseStep_;
  bool filling_ = false;  // while the list is rewritten, its cursor moves are no clicks
};

// Where the panel goes for a window with the frame `window`, inside the screen's available
// area: beside the window on its right, else on its left; where neither side has room but
// the screen is wide enough for both, the window moves left to make room on its right
// (a 1280-pixel screen); else over the window against the screen's right edge. Its top is
// level with the window's, moved up as far as it must to fit.
struct PanelPlace {
  QPoint window, panel;  // the frames' top-left corners
};
PanelPlace panelPosition(const QRect& window, const QSize& panel, const QRect& available);

}  // namespace app
