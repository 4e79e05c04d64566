#include "quiz.h"

#include <algorithm>

namespace app {

Quiz::Quiz(std::uint32_t seed, int nSites) {
  for (int i = 1; i < nSites; ++i) {
    for (int j = i + 1; j <= nSites; ++j) {
      order_.emplace_back(i, j);
    }
  }
  std::mt19937 engine(seed);
  std::shuffle(order_.begin(), order_.end(), engine);
}

std::pair<int, int> Quiz::ask() {
  if (answered_ == kQuestions) {  // a new round
    answered_ = 0;
    right_ = 0;
  }
  if (next_ == order_.size()) {  // every pair asked: round again
    next_ = 0;
  }
  ++next_;
  asking_ = true;
  return pair();
}

bool Quiz::answer(geometry::PairResult guess, geometry::PairResult truth) {
  asking_ = false;
  ++answered_;
  const bool correct = guess == truth;
  right_ += correct ? 1 : 0;
  return correct;
}

}  // namespace app
