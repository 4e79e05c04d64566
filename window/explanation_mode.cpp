#include "explanation_mode.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <climits>

#include "explanation/exact_comparison.h"
#include "geometry/window_frame.h"
#include "steps/exact_steps.h"

namespace app {

ExplanationMode::ExplanationMode(QWidget* window)
    : QObject(window),
      window_(window),
      panel_([this](std::size_t step) { showStep(static_cast<std::ptrdiff_t>(step)); },
             [this](geometry::PairResult guess) { answer(guess); }) {}

void ExplanationMode::enter(const RunResult& run, PictureStyle style) {
  if (run.completed() && run.layout.sites.size() >= 2) {
    explorer_ = std::make_unique<PairExplorer>(run, style);
  } else {
    explorer_.reset();
  }
  quiz_.reset();
  verdict_.clear();
  refresh();
}

void ExplanationMode::leave() {
  explorer_.reset();
  quiz_.reset();
  verdict_.clear();
  refresh();
}

void ExplanationMode::stepPair(int direction) {
  if (active() && !asking()) {
    explorer_->step(direction);
    refresh();
  }
}

void ExplanationMode::showStep(std::ptrdiff_t step) {
  if (active() && !asking()) {
    explorer_->showStep(step);
    refresh();
  }
}

void ExplanationMode::moveStep(int by) {
  if (active()) {
    showStep(static_cast<std::ptrdiff_t>(explorer_->currentStep()) + by);
  }
}

void ExplanationMode::click(double x, double y) {
  if (active()) {
    explorer_->click(x, y);
    refresh();
  }
}

// A question on the next pair of the round, in the order the run's seed gives.
void ExplanationMode::ask(const RunResult& run, PictureStyle style) {
  if (!active()) {
    enter(run, style);
  }
  if (!active() || asking()) {
    return;
  }
  if (!quiz_) {
    quiz_.emplace(run.layout.seed, static_cast<int>(run.layout.sites.size()));
  }
  const auto [i, j] = quiz_->nextPair();
  explorer_->ask(i, j);
  verdict_.clear();
  refresh();
}

void ExplanationMode::answer(geometry::PairResult guess) {
  if (!asking()) {
    return;
  }
  const geometry::PairResult truth = explorer_->lesson().account.outcome.result;
  const bool right = quiz_->answer(guess, truth);
  explorer_->showStep(static_cast<std::ptrdiff_t>(explorer_->lesson().decidingStep()));
  verdict_ = (right ? QStringLiteral("Right: pair %1-%2 is %3.")
                    : QStringLiteral("Not so: pair %1-%2 is %3."))
                 .arg(explorer_->i())
                 .arg(explorer_->j())
                 .arg(QLatin1String(geometry::resultName(truth)));
  if (quiz_->roundOver()) {
    verdict_ += QStringLiteral(" End of the round; Q starts the next.");
  }
  refresh();
}

void ExplanationMode::setStyle(PictureStyle style) {
  if (active()) {
    explorer_->setStyle(style);
    refresh();
  }
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
  panel_.move(panelPosition(window_->frameGeometry(), panel_.frameGeometry().size(),
                            screen->availableGeometry()));
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
  const QString score =
      quiz_ ? QStringLiteral(" Score: %1 of %2.").arg(quiz_->right()).arg(quiz_->answered())
            : QString();
  const QString pair = QStringLiteral("Pair %1-%2.").arg(explorer_->i()).arg(explorer_->j());
  if (asking()) {
    panel_.showQuestion(explorer_->i(), explorer_->j(),
                        QStringLiteral("Question %1 of %2: pair %3-%4.")
                                .arg(quiz_->answered() + 1)
                                .arg(Quiz::kQuestions)
                                .arg(explorer_->i())
                                .arg(explorer_->j()) +
                            score);
  } else {
    // With the exact layer shown, the steps where exact arithmetic differs are marked: the
    // one pair is followed exactly, a matter of milliseconds.
    std::vector<StepAgreement> exact;
    if (exactShown_) {
      exact = exactAgreement(explorer_->lesson(),
                             geometry::accountExactly(geometry::kWindowFrame, explorer_->sites(),
                                                      explorer_->i(), explorer_->j()));
    }
    panel_.showLesson(explorer_->lesson(), explorer_->currentStep(),
                      (verdict_.isEmpty() ? pair : verdict_) + score, exact);
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
