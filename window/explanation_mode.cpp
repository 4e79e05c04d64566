#include "explanation_mode.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <climits>

#include "classroom/lesson_documents.h"
#include "explanation/exact_comparison.h"
#include "geometry/window_frame.h"
#include "steps/exact_steps.h"

namespace app {

ExplanationMode::ExplanationMode(QWidget* window)
    : QObject(window),
      window_(window),
      panel_([this](std::size_t step) { showStep(static_cast<std::ptrdiff_t>(step)); },
             [this](bool edge) { answer(edge); }) {}

void ExplanationMode::enter(const RunResult& run, PictureStyle style) {
  session_.enter(run, style);
  refresh();
}

void ExplanationMode::leave() {
  session_.leave();
  refresh();
}

void ExplanationMode::stepPair(int direction) {
  session_.stepPair(direction);
  refresh();
}

void ExplanationMode::startTour(const RunResult& run, PictureStyle style) {
  session_.startTour(run, style);
  refresh();
}

std::optional<QByteArray> ExplanationMode::lessonDocument(PictureFormat format,
                                                          PictureStyle style) const {
  const Lesson* lesson = session_.lessonShown();
  if (lesson == nullptr || (format != PictureFormat::Pdf && format != PictureFormat::Tex)) {
    return std::nullopt;
  }
  const LessonLevel level = session_.explorer()->level();
  return format == PictureFormat::Pdf
             ? lessonHandout(*session_.runPicture(), *lesson, level, {}, *session_.sites(), style)
             : lessonBeamerFrames(*session_.runPicture(), *lesson, level, {}, *session_.sites(),
                                  style);
}

void ExplanationMode::showStep(std::ptrdiff_t step) {
  session_.showStep(step);
  refresh();
}

void ExplanationMode::moveStep(int by) {
  session_.moveStep(by);
  refresh();
}

void ExplanationMode::switchLevel(const RunResult& run, PictureStyle style) {
  session_.switchLevel(run, style);
  refresh();
}

void ExplanationMode::showWholeDiagram(bool on) {
  session_.showWholeDiagram(on);
  refresh();
}

void ExplanationMode::press(double x, double y) {
  session_.press(x, y);
  refresh();
}

void ExplanationMode::ask(const RunResult& run, PictureStyle style) {
  session_.ask(run, style);
  refresh();
}

void ExplanationMode::answer(bool edge) {
  session_.answer(edge);
  refresh();
}

void ExplanationMode::setStyle(PictureStyle style) {
  session_.setStyle(style);
  refresh();
}

void ExplanationMode::setExactShown(bool shown) {
  exactShown_ = shown;
  if (active()) {
    refresh();
  }
}

void ExplanationMode::setPanelHidden(bool hidden) {
  panelHidden_ = hidden;
  refresh();
}

void ExplanationMode::placePanel() {
  const QScreen* screen = window_->screen();
  if (screen == nullptr) {
    return;
  }
  const PanelPlace place = panelPosition(window_->frameGeometry(), panel_.frameGeometry().size(),
                                         screen->availableGeometry());
  if (place.window != window_->frameGeometry().topLeft() && !window_->isFullScreen() &&
      !window_->isMaximized()) {
    window_->move(place.window);
  }
  panel_.move(place.panel);
}

void ExplanationMode::refresh() {
  if (!active() || panelHidden_) {
    const bool keyboardHere = window_->isActiveWindow() || panel_.isActiveWindow();
    panel_.hide();
    if (keyboardHere) {
      window_->activateWindow();
    }
    emit changed();
    return;
  }
  const QString heading = QString::fromStdString(session_.heading());
  if (session_.touring()) {
    QStringList lines;
    for (const std::string& line : session_.tourLines()) {
      lines << QString::fromStdString(line);
    }
    panel_.showSteps(lines, session_.tourStep(), heading);
  } else if (asking()) {
    const PairExplorer& explorer = *session_.explorer();
    panel_.showQuestion(explorer.i(), explorer.j(), heading);
  } else {
    const PairExplorer& explorer = *session_.explorer();
    // With the exact layer shown, the steps where exact arithmetic differs are marked: the
    // one pair is followed exactly, a matter of milliseconds.
    std::vector<StepAgreement> exact;
    if (exactShown_) {
      exact = exactAgreement(explorer.lesson(),
                             geometry::accountExactly(geometry::kWindowFrame, explorer.sites(),
                                                      explorer.i(), explorer.j()));
    }
    panel_.showLesson(explorer.lesson(), explorer.level(), explorer.currentStep(), heading, exact);
  }
  if (!panel_.isVisible()) {
    // The keyboard stays with the window, whatever the window system does with a new one.
    const bool keyboardHere = window_->isActiveWindow();
    placePanel();
    panel_.show();
    placePanel();  // once shown, its frame is known
    if (keyboardHere) {
      window_->activateWindow();
    }
  }
  emit changed();
}

}  // namespace app
