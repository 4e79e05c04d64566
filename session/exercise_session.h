#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "exercises/exercise_round.h"
#include "picture/picture_style.h"
#include "session_mode.h"

namespace app {

// The exercise mode: a round of one exercise kind (exercises/exercise_round.h), the
// learner's presses and answers passed on, and what the round shows kept in the style.
class ExerciseSession final : public SessionMode {
 public:
  [[nodiscard]] bool active() const { return round_ != nullptr; }
  [[nodiscard]] ExerciseKind kind() const { return round_->kind(); }
  // Throws std::runtime_error when the seed gives no exercise layout.
  void start(ExerciseKind kind, std::uint32_t seed, PictureStyle style);
  void leave();
  void setStyle(PictureStyle style);

  void press(double x, double y) override;
  void check();
  void answerWithout(CutAnswer::Says says);
  bool takeBack() override;
  [[nodiscard]] Picture picture() const override { return shown_.picture; }
  [[nodiscard]] std::string line() const override { return shown_.line; }
  [[nodiscard]] ModeSaves saves() const override { return ModeSaves::Results; }

  [[nodiscard]] const SitePositions& sites() const { return round_->sites(); }
  // The drawing's edges so far, in a round of drawing the Delaunay edges.
  [[nodiscard]] const std::vector<EdgeAnswer>& edges() const;
  [[nodiscard]] Score score() const { return round_->score(); }
  [[nodiscard]] ExerciseResults results(const std::string& name) const {
    return round_->results(name);
  }

 private:
  void show() { shown_ = round_->shown(style_); }

  std::unique_ptr<ExerciseRound> round_;
  PictureStyle style_ = PictureStyle::Normal;
  ShownRound shown_;
};

}  // namespace app
