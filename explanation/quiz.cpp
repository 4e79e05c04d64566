#include "quiz.h"

#include <algorithm>
#include <iterator>
#include <random>

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

std::pair<int, int> Quiz::nextPair() {
  if (answered_ == kQuestions) {  // a new round
    answered_ = 0;
    right_ = 0;
  }
  if (next_ == order_.size()) {  // every pair asked: round again
    next_ = 0;
  }
  return order_[next_++];
}

bool Quiz::answer(geometry::PairResult guess, geometry::PairResult truth) {
  ++answered_;
  const bool correct = guess == truth;
  right_ += correct ? 1 : 0;
  return correct;
}

int answerNumber(geometry::PairResult result) {
  const auto* found =
      std::find(std::begin(geometry::kPairResults), std::end(geometry::kPairResults), result);
  return static_cast<int>(found - std::begin(geometry::kPairResults)) + 1;
}

std::string answerChoices() {
  std::string text;
  const std::size_t count = std::size(geometry::kPairResults);
  for (std::size_t n = 0; n < count; ++n) {
    text += n == 0 ? "" : n + 1 == count ? " or " : ", ";
    text += std::string(geometry::resultName(geometry::kPairResults[n])) + " (" +
            std::to_string(n + 1) + ")";
  }
  return text;
}

}  // namespace app
