#include "exercise_session.h"

namespace app {

void ExerciseSession::start(ExerciseKind kind, std::uint32_t seed, PictureStyle style) {
  round_ = ExerciseRound::start(kind, seed);
  style_ = style;
  show();
}

void ExerciseSession::leave() {
  round_.reset();
  shown_ = {};
}

void ExerciseSession::setStyle(PictureStyle style) {
  style_ = style;
  if (active()) {
    show();
  }
}

void ExerciseSession::press(double x, double y) {
  if (active()) {
    round_->click(x, y);
    show();
  }
}

void ExerciseSession::check() {
  if (active()) {
    round_->check();
    show();
  }
}

void ExerciseSession::answerWithout(CutAnswer::Says says) {
  if (active()) {
    round_->answerWithout(says);
    show();
  }
}

bool ExerciseSession::takeBack() {
  if (!active() || !round_->takeBack()) {
    return false;
  }
  show();
  return true;
}

const std::vector<EdgeAnswer>& ExerciseSession::edges() const {
  static const std::vector<EdgeAnswer> kNone;
  const auto* drawing = dynamic_cast<const DelaunayEdgesRound*>(round_.get());
  return drawing != nullptr ? drawing->edges() : kNone;
}

}  // namespace app
