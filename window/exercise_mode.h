#pragma once

#include <QObject>
#include <cstdint>

#include "mode_adapter.h"
#include "session/exercise_session.h"

namespace app {

// The window's side of the exercise mode (session/exercise_session.h): it passes the
// learner's clicks and keys on and says when what the round shows changed.
class ExerciseMode final : public QObject, public ModeAdapter {
  Q_OBJECT

 public:
  explicit ExerciseMode(QObject* parent = nullptr) : QObject(parent) {}

  [[nodiscard]] ExerciseSession& session() override { return session_; }
  [[nodiscard]] const ExerciseSession& session() const override { return session_; }
  [[nodiscard]] bool active() const override { return session_.active(); }

  // Throws std::runtime_error when the seed gives no exercise layout.
  void start(ExerciseKind kind, std::uint32_t seed, PictureStyle style) {
    session_.start(kind, seed, style);
    emit changed();
  }
  void leave() {
    if (active()) {
      session_.leave();
      emit changed();
    }
  }
  void setStyle(PictureStyle style) {
    change([&] { session_.setStyle(style); });
  }
  void press(double x, double y) override {
    change([&] { session_.press(x, y); });
  }
  void check() {
    change([&] { session_.check(); });
  }
  void answerWithout(CutAnswer::Says says) {
    change([&] { session_.answerWithout(says); });
  }
  bool takeBack() override {
    const bool taken = session_.takeBack();
    if (taken) {
      emit changed();
    }
    return taken;
  }

 signals:
  void changed();

 private:
  template <class Change>
  void change(Change change) {
    if (active()) {
      change();
      emit changed();
    }
  }

  ExerciseSession session_;
};

}  // namespace app
