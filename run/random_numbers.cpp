#include "random_numbers.h"

#include <chrono>

namespace app {

namespace {

std::uint32_t clockSeed() {
  const auto ticks =
      static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  return static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}

}  // namespace

Random::Random(std::optional<std::uint32_t> fixedSeed) : fixedSeed_(fixedSeed) {}

std::uint32_t Random::randomize() {
  const std::uint32_t seed = fixedSeed_.value_or(clockSeed());
  engine_.seed(seed);
  return seed;
}

float Random::next() {
  constexpr float kScale = 0x1p-24f;
  return static_cast<float>(engine_() >> 8) * kScale;
}

}  // namespace app
