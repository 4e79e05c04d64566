#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "steps/pair_outcome.h"

namespace app {

// Rounds of questions on the pairs of a run: which of drawn, blocked or shadowed the edge
// finder decides for a pair, asked before the answer is shown. The pairs come in an order
// given by the run's seed, so that a round can be repeated; a round has kQuestions of them.
// Whether a question waits for its answer is up to whoever shows it.
class Quiz {
 public:
  static constexpr int kQuestions = 5;

  Quiz(std::uint32_t seed, int nSites);

  // The pair of the next question; starts a new round after a whole one.
  std::pair<int, int> nextPair();
  // Counts an answer against the edge finder's true outcome; true when the guess was right.
  bool answer(geometry::PairResult guess, geometry::PairResult truth);

  // The round so far: questions answered and right.
  [[nodiscard]] int answered() const { return answered_; }
  [[nodiscard]] int right() const { return right_; }
  [[nodiscard]] bool roundOver() const { return answered_ == kQuestions; }

 private:
  std::vector<std::pair<int, int>> order_;
  std::size_t next_ = 0;
  int answered_ = 0, right_ = 0;
};

// The number of an answer, its key: 1 for drawn, 2 for blocked, 3 for shadowed.
int answerNumber(geometry::PairResult result);

// The answers a question offers, with their numbers: "drawn (1), blocked (2) or shadowed (3)".
std::string answerChoices();

}  // namespace app
