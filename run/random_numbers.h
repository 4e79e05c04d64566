#pragma once

#include <cstdint>
#include <optional>
#include <random>

namespace app {

// Where a run's random numbers come from. Each draw is a float r with 0 <= r < 1.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Seeds the generator for the run and returns the seed used.
  virtual std::uint32_t randomize() = 0;
  virtual float next() = 0;
};

// Mersenne Twister draws at 24-bit resolution: the top 24 bits of a 32-bit output scaled by
// 2^-24, so every draw is exact in single precision and at most 1 - 2^-24. The engine is
// fully defined by the C++ standard, so a seed gives the same draws on every machine.
class Random final : public RandomSource {
 public:
  // Without a fixed seed, randomize() seeds from the clock.
  explicit Random(std::optional<std::uint32_t> fixedSeed = std::nullopt);

  std::uint32_t randomize() override;
  float next() override;

 private:
  std::optional<std::uint32_t> fixedSeed_;
  std::mt19937 engine_;
};

}  // namespace app
