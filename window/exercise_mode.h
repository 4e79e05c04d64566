#pragma once

#include <QObject>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "exercises/exercise_round.h"
#include "picture/picture.h"
#include "picture/picture_style.h"

namespace app {

// The window's side of an exercise round (exercises/exercise_round.h): it starts and leaves
// rounds, passes the learner's clicks and keys on, and keeps what the round shows in the
// window's style, saying when that changed.
class ExerciseMode final : public QObject {
  Q_OBJECT

 public:
  explicit ExerciseMode(QObject* parent = nullptr);

  [[nodiscard]] bool active() const { return round_ != nullptr; }
  [[nodiscard]] ExerciseKind kind() const { return round_->kind(); }
  void start(ExerciseKind kind, std::uint32_t seed, PictureStyle style);
  void leave();
  void setStyle(PictureStyle style);

  void click(double x, double y);
  void check();
  void answerWithout(CutAnswer::Says says);
  bool takeBack();

  [[nodiscard]] const Picture& picture() const { return shown_.picture; }
  [[nodiscard]] const std::string& line() const { return shown_.line; }
  [[nodiscard]] const SitePositions& sites() const { return round_->sites(); }
  // The drawing's edges so far, in a round of drawing the Delaunay edges.
  [[nodiscard]] const std::vector<EdgeAnswer>& edges() const;
  [[nodiscard]] Score score() const { return round_->score(); }
  [[nodiscard]] ExerciseResults results(const std::string& name) const {
    return round_->results(name);
  }

 signals:
  void changed();

 private:
  void show();

  std::unique_ptr<ExerciseRound> round_;
  PictureStyle style_ = PictureStyle::Normal;
  ShownRound shown_;
};

}  // namespace app
