#include "exercise_mode.h"

namespace app {

ExerciseMode::ExerciseMode(QObject* parent) : QObject(parent) {}

void ExerciseMode::start(ExerciseKind kind, std::uint32_t seed, PictureStyle style) {
  std::unique_ptr<ExerciseRound> round = ExerciseRound::start(kind, seed);
  round_ = std::move(round);
  style_ = style;
  show();
}

void ExerciseMode::leave() {
  if (active()) {
    round_.reset();
    shown_ = {};
    emit changed();
  }
}

void ExerciseMode::setStyle(PictureStyle style) {
  style_ = style;
  if (active()) {
    show();
  }
}

void ExerciseMode::click(double x, double y) {
  if (active()) {
    round_->click(x, y);
    show();
  }
}

void ExerciseMode::check() {
  if (active()) {
    round_->check();
    show();
  }
}

void ExerciseMode::answerWithout(CutAnswer::Says says) {
  if (active()) {
    round_->answerWithout(says);
    show();
  }
}

bool ExerciseMode::takeBack() {
  if (!active() || !round_->takeBack()) {
    return false;
  }
  show();
  return true;
}

const std::vector<EdgeAnswer>& ExerciseMode::edges() const {
  static const std::vector<EdgeAnswer> kNone;
  const auto* drawing = dynamic_cast<const DelaunayEdgesRound*>(round_.get());
  return drawing != nullptr ? drawing->edges() : kNone;
}

void ExerciseMode::show() {
  shown_ = round_->shown(style_);
  emit changed();
}

}  // namespace app
