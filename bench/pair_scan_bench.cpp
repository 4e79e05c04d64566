// Times the whole pair scan, the product's edge finder against its literal version, on the
// same sites: random runs of 4, 16 and 49 sites from fixed seeds, and constructed layouts
// of 49 sites that make the scan work hardest.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "geometry/pair_scan.h"
#include "null_canvas.h"
#include "random_layout.h"
#include "run/picture_recorder.h"
#include "run/site_generation.h"
#include "steps/literal_steps.h"

namespace {

using geometry::kWindowFrame;

using bench::NullCanvas;

// 49 sites whose window positions come from a formula, shifted like drawn ones.
template <class Position>
std::unique_ptr<geometry::SiteColumns> layout(Position position) {
  app::PictureRecorder marks;
  app::SitePositions positions;
  for (int n = 0; n < 49; ++n) {
    positions.push_back(position(n));
  }
  auto sites = std::make_unique<geometry::SiteColumns>();
  app::placeSites(marks, positions, *sites);
  return sites;
}

// Sites nearly on one circle: every bisector passes close to its centre, so each pair is
// cut by most competitors and most pieces are shadowed.
std::unique_ptr<geometry::SiteColumns> ring() {
  return layout([](int n) {
    const double angle = 2 * std::numbers::pi * (n + 0.3) / 49;
    return app::SitePosition{376 + 200 * std::cos(angle),
                             static_cast<float>(237 + 200 * std::sin(angle))};
  });
}

// Sites on a shallow arc: no competitor blocks, and the pieces are long.
std::unique_ptr<geometry::SiteColumns> arc() {
  return layout([](int n) {
    const double x = 30 + 14.1 * n;
    return app::SitePosition{x,
                             static_cast<float>(300 - 0.0015 * (x - 376) * (x - 376) + 0.01 * n)};
  });
}

template <class Scan>
void scanRandom(benchmark::State& state, Scan scan) {
  const auto count = static_cast<int>(state.range(0));
  std::vector<std::unique_ptr<geometry::SiteColumns>> runs;
  for (std::uint32_t seed = 1; seed <= 16; ++seed) {
    runs.push_back(bench::randomSites(count, seed));
  }
  NullCanvas canvas;
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scan(canvas, kWindowFrame, *runs[next++ % runs.size()]));
  }
}

template <class Scan>
void scanLayout(benchmark::State& state, Scan scan,
                std::unique_ptr<geometry::SiteColumns> (*make)()) {
  const auto sites = make();
  NullCanvas canvas;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scan(canvas, kWindowFrame, *sites));
  }
}

void Fast(benchmark::State& state) {
  scanRandom(state, geometry::pairScan);
}
void Literal(benchmark::State& state) {
  scanRandom(state, geometry::literalPairScan);
}
void FastRing(benchmark::State& state) {
  scanLayout(state, geometry::pairScan, ring);
}
void LiteralRing(benchmark::State& state) {
  scanLayout(state, geometry::literalPairScan, ring);
}
void FastArc(benchmark::State& state) {
  scanLayout(state, geometry::pairScan, arc);
}
void LiteralArc(benchmark::State& state) {
  scanLayout(state, geometry::literalPairScan, arc);
}

BENCHMARK(Fast)->Arg(4)->Arg(16)->Arg(49)->Arg(101)->Unit(benchmark::kMicrosecond);
BENCHMARK(Literal)->Arg(4)->Arg(16)->Arg(49)->Unit(benchmark::kMicrosecond);
BENCHMARK(FastRing)->Unit(benchmark::kMicrosecond);
BENCHMARK(LiteralRing)->Unit(benchmark::kMicrosecond);
BENCHMARK(FastArc)->Unit(benchmark::kMicrosecond);
BENCHMARK(LiteralArc)->Unit(benchmark::kMicrosecond);

}  // namespace
