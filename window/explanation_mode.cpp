#include "explanation_mode.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <climits>

#include "classroom/lesson_documents.h"
#include "classroom/web_page.h"
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
  tour_.reset();
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
  tour_.reset();
  quiz_.reset();
  verdict_.clear();
  refresh();
}

void ExplanationMode::stepPair(int direction) {
  if (explorer_ && !asking()) {
    explorer_->step(direction);
    refresh();
  }
}

void ExplanationMode::startTour(const RunResult& run, PictureStyle style) {
  explorer_.reset();
  quiz_.reset();
  verdict_.clear();
  tour_.reset();
  if (run.completed() && run.layout.sites.size() >= 2) {
    tour_ = TourView{tourOf(*run.sites), run.sites, run.picture, {}, 0, style};
    tour_->draw();
  }
  refresh();
}

QString ExplanationMode::shownLine() const {
  if (tour_) {
    return QString::fromStdString(tour_->line(tour_->step));
  }
  if (!explorer_) {
    return {};
  }
  if (explorer_->asking()) {
    return QString::fromStdString(questionText(explorer_->i(), explorer_->j()));
  }
  return QString::fromStdString(
      stepLine(explorer_->lesson(), explorer_->level(), explorer_->currentStep()));
}

std::optional<QByteArray> ExplanationMode::lessonDocument(PictureFormat format,
                                                          PictureStyle style) const {
  if (!explorer_ || explorer_->asking() ||
      (format != PictureFormat::Pdf && format != PictureFormat::Tex)) {
    return std::nullopt;
  }
  const Lesson& lesson = explorer_->lesson();
  return format == PictureFormat::Pdf
             ? lessonHandout(explorer_->runPicture(), lesson, explorer_->level(), {},
                             explorer_->sites(), style)
             : lessonBeamerFrames(explorer_->runPicture(), lesson, explorer_->level(), {},
                                  explorer_->sites(), style);
}

std::optional<QByteArray> ExplanationMode::webPage(std::uint32_t seed, PictureStyle style) const {
  if (tour_) {
    return tourWebPage(tour_->normal, tour_->tour, *tour_->sites, seed, style);
  }
  if (!explorer_ || explorer_->asking()) {
    return std::nullopt;
  }
  return lessonWebPage(explorer_->runPicture(), explorer_->lesson(), explorer_->level(), {},
                       explorer_->sites(), seed, style);
}

void ExplanationMode::showStep(std::ptrdiff_t step) {
  if (tour_) {
    const auto last = static_cast<std::ptrdiff_t>(tour_->tour.count()) - 1;
    tour_->step = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(step, 0, last));
    tour_->draw();
    refresh();
  } else if (active() && !asking()) {
    explorer_->showStep(step);
    refresh();
  }
}

void ExplanationMode::moveStep(int by) {
  if (active()) {
    showStep(static_cast<std::ptrdiff_t>(tour_ ? tour_->step : explorer_->currentStep()) + by);
  }
}

void ExplanationMode::switchLevel() {
  if (explorer_ && !asking()) {
    explorer_->switchLevel();
    refresh();
  }
}

void ExplanationMode::click(double x, double y) {
  if (explorer_) {
    explorer_->click(x, y);
    refresh();
  }
}

// A question on the next pair of the round, in the order the run's seed gives.
void ExplanationMode::ask(const RunResult& run, PictureStyle style) {
  if (!explorer_) {
    enter(run, style);
  }
  if (!explorer_ || asking()) {
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

void ExplanationMode::answer(bool edge) {
  if (!asking()) {
    return;
  }
  const bool right = quiz_->answer(edge, explorer_->lesson().account.outcome.result);
  explorer_->reveal();
  verdict_ = QString::fromStdString(verdictOpening(right) + " " + reasonOf(explorer_->lesson()));
  if (quiz_->roundOver()) {
    verdict_ += QLatin1Char(' ') + QString::fromUtf8(kRoundOver);
  }
  refresh();
}

void ExplanationMode::setStyle(PictureStyle style) {
  if (explorer_) {
    explorer_->setStyle(style);
  }
  if (tour_) {
    tour_->style = style;
    tour_->draw();
  }
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
  if (tour_) {
    QStringList lines;
    for (std::size_t n = 0; n < tour_->tour.count(); ++n) {
      lines << QString::fromStdString(tour_->line(n));
    }
    panel_.showSteps(lines, tour_->step, QString::fromUtf8(kTourTitle) + QLatin1Char('.'));
  } else if (asking()) {
    const QString score =
        QLatin1Char(' ') + QString::fromStdString(scoreText(quiz_->right(), quiz_->answered()));
    panel_.showQuestion(
        explorer_->i(), explorer_->j(),
        QString::fromStdString(
            questionHead(static_cast<std::size_t>(quiz_->answered()), Quiz::kQuestions) + "pair " +
            std::to_string(explorer_->i()) + "-" + std::to_string(explorer_->j()) + ".") +
            score);
  } else {
    const QString score = quiz_ ? QLatin1Char(' ') + QString::fromStdString(scoreText(
                                                         quiz_->right(), quiz_->answered()))
                                : QString();
    const QString pair = QStringLiteral("Pair %1-%2.").arg(explorer_->i()).arg(explorer_->j());
    // With the exact layer shown, the steps where exact arithmetic differs are marked: the
    // one pair is followed exactly, a matter of milliseconds.
    std::vector<StepAgreement> exact;
    if (exactShown_) {
      exact = exactAgreement(explorer_->lesson(),
                             geometry::accountExactly(geometry::kWindowFrame, explorer_->sites(),
                                                      explorer_->i(), explorer_->j()));
    }
    panel_.showLesson(explorer_->lesson(), explorer_->level(), explorer_->currentStep(),
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
