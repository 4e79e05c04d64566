#pragma once

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace app {

// Draws from a seeded engine that every build makes alike. The engine's numbers are fixed
// by the standard, but its distributions and std::shuffle are left to each library, so the
// desktop's and the WebAssembly core's would order a quiz or place an exercise's sites
// differently for the same seed; these use the engine's numbers alone.

// A whole number from lowest to highest, both included (the slight bias of the remainder is
// of no account for ranges this small).
inline int drawBetween(std::mt19937& engine, int lowest, int highest) {
  const auto span = static_cast<std::uint32_t>(highest - lowest + 1);
  return lowest + static_cast<int>(engine() % span);
}

// Fisher and Yates's shuffle.
template <typename T>
void shuffleWith(std::mt19937& engine, std::vector<T>& items) {
  for (std::size_t k = items.size(); k > 1; --k) {
    std::swap(items[k - 1], items[engine() % k]);
  }
}

}  // namespace app
