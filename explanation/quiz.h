#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "geometry/literal_steps.h"

namespace app {

// Rounds of questions on the pairs of a run: which of drawn, blocked or shadowed the edge
// finder decides for a pair, asked before the answer is shown. The pairs come in an order
// given by the run's seed, so that a round can be repeated; a round has kQuestions of them.
class Quiz {
 public:
  static constexpr int kQuestions = 5;

  Quiz(std::uint32_t seed, int nSites);

  // Starts the next question; the pair it asks about.
  std::pair<int, int> ask();
  [[nodiscard]] bool asking() const { return asking_; }
  [[nodiscard]] std::pair<int, int> pair() const { return order_[next_ - 1]; }
  // Answers the open question with the edge finder's true outcome; true when the guess was
  // right.
  bool answer(geometry::PairResult guess, geometry::PairResult truth);

  // The round so far: questions answered and right.
  [[nodiscard]] int answered() const { return answered_; }
  [[nodiscard]] int right() const { return right_; }
  [[nodiscard]] bool roundOver() const { return answered_ == kQuestions && !asking_; }

 private:
  std::vector<std::pair<int, int>> order_;
  std::size_t next_ = 0;
  bool asking_ = false;
  int answered_ = 0, right_ = 0;
};

}  // namespace app
