#include "explanation_session.h"

#include <algorithm>

namespace app {

void ExplanationSession::enter(const RunResult& run, PictureStyle style) {
  tour_.reset();
  if (run.completed() && run.layout.sites.size() >= 2) {
    explorer_ = std::make_unique<PairExplorer>(run, style);
    explorer_->showWholeDiagram(wholeDiagram_);
  } else {
    explorer_.reset();
  }
  quiz_.reset();
  verdict_.clear();
}

void ExplanationSession::leave() {
  explorer_.reset();
  tour_.reset();
  quiz_.reset();
  verdict_.clear();
}

void ExplanationSession::selectPair(int i, int j) {
  const int n = explorer_ ? explorer_->sites().nSites : 0;
  if (explorer_ && !asking() && i != j && i >= 1 && j >= 1 && i <= n && j <= n) {
    explorer_->select(i, j);
  }
}

void ExplanationSession::stepPair(int direction) {
  if (explorer_ && !asking()) {
    explorer_->step(direction);
  }
}

void ExplanationSession::startTour(const RunResult& run, PictureStyle style) {
  leave();
  if (run.completed() && run.layout.sites.size() >= 2) {
    tour_ = TourView{tourOf(*run.sites), run.sites, run.picture, {}, 0, style};
    tour_->draw();
  }
}

std::string ExplanationSession::line() const {
  if (tour_) {
    return tour_->line(tour_->step);
  }
  if (!explorer_) {
    return {};
  }
  if (explorer_->asking()) {
    return questionText(explorer_->i(), explorer_->j());
  }
  return stepLine(explorer_->lesson(), explorer_->level(), explorer_->currentStep());
}

std::vector<std::string> ExplanationSession::tourLines() const {
  std::vector<std::string> lines;
  for (std::size_t n = 0; tour_ && n < tour_->tour.count(); ++n) {
    lines.push_back(tour_->line(n));
  }
  return lines;
}

std::string ExplanationSession::heading() const {
  if (tour_) {
    return std::string(kTourTitle) + ".";
  }
  if (!explorer_) {
    return {};
  }
  const std::string score = quiz_ ? " " + scoreText(quiz_->right(), quiz_->answered()) : "";
  const std::string pair = std::to_string(explorer_->i()) + "-" + std::to_string(explorer_->j());
  if (asking()) {
    return questionHead(static_cast<std::size_t>(quiz_->answered()), Quiz::kQuestions) + "pair " +
           pair + "." + score;
  }
  return (verdict_.empty() ? "Pair " + pair + "." : verdict_) + score;
}

const Lesson* ExplanationSession::lessonShown() const {
  return explorer_ && !asking() ? &explorer_->lesson() : nullptr;
}

const Picture* ExplanationSession::runPicture() const {
  return explorer_ ? &explorer_->runPicture() : tour_ ? &tour_->normal : nullptr;
}

const geometry::SiteColumns* ExplanationSession::sites() const {
  return explorer_ ? &explorer_->sites() : tour_ ? tour_->sites.get() : nullptr;
}

void ExplanationSession::showStep(std::ptrdiff_t step) {
  if (tour_) {
    const auto last = static_cast<std::ptrdiff_t>(tour_->tour.count()) - 1;
    tour_->step = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(step, 0, last));
    tour_->draw();
  } else if (active() && !asking()) {
    explorer_->showStep(step);
  }
}

void ExplanationSession::moveStep(int by) {
  if (active()) {
    showStep(static_cast<std::ptrdiff_t>(tour_ ? tour_->step : explorer_->currentStep()) + by);
  }
}

void ExplanationSession::switchLevel(const RunResult& run, PictureStyle style) {
  if (tour_ && tour_->step < tour_->tour.drawn.size()) {
    const geometry::PairAccount& shown = tour_->tour.drawn[tour_->step];
    const int i = shown.i, j = shown.j;
    enter(run, style);
    selectPair(i, j);
  } else if (explorer_ && !asking()) {
    explorer_->switchLevel();
  }
}

void ExplanationSession::press(double x, double y) {
  if (explorer_) {
    explorer_->click(x, y);
  }
}

// A question on the next pair of the round, in the order the run's seed gives.
void ExplanationSession::ask(const RunResult& run, PictureStyle style) {
  if (!explorer_) {
    enter(run, style);
  }
  if (!explorer_ || asking()) {
    return;
  }
  if (!quiz_) {
    quiz_.emplace(run.layout.seed, static_cast<int>(run.layout.sites.size()), run.edgePairs());
  }
  const auto [i, j] = quiz_->nextPair();
  explorer_->ask(i, j);
  verdict_.clear();
}

void ExplanationSession::answer(bool edge) {
  if (!asking()) {
    return;
  }
  const bool right = quiz_->answer(edge, explorer_->lesson().account.outcome.result);
  explorer_->reveal();
  verdict_ = verdictOpening(right) + " " + reasonOf(explorer_->lesson());
  if (quiz_->roundOver()) {
    verdict_ += " " + std::string(kRoundOver);
  }
}

void ExplanationSession::showWholeDiagram(bool on) {
  wholeDiagram_ = on;
  if (explorer_) {
    explorer_->showWholeDiagram(on);
  }
}

void ExplanationSession::setStyle(PictureStyle style) {
  if (explorer_) {
    explorer_->setStyle(style);
  }
  if (tour_) {
    tour_->style = style;
    tour_->draw();
  }
}

}  // namespace app
