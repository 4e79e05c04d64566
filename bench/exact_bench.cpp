// Times the exact run against the edge finder, on the same random sites from fixed seeds:
// PairScan, the edge finder itself; ExactScan, the outcome of every pair in exact arithmetic
// as --exact, Ctrl+F and the window's exact layer find it; FastVerdicts, the float outcome
// of every pair that it is set beside; and ExactRational, every pair in exact rationals
// alone, the slow way the filter is checked against (49 sites only).
#include <benchmark/benchmark.h>

#include "geometry/pair_scan.h"
#include "null_canvas.h"
#include "random_layout.h"
#include "steps/exact_steps.h"
#include "steps/fast_verdicts.h"

namespace {

using geometry::kWindowFrame;

using bench::NullCanvas;

// Calls `pair` for every pair of the layout in scan order, for `state.range(0)` sites.
template <class Scan>
void everyPair(benchmark::State& state, Scan scan) {
  const auto layout = bench::randomSites(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(scan(*layout));
  }
}

void PairScan(benchmark::State& state) {
  NullCanvas canvas;
  everyPair(state, [&](const geometry::SiteColumns& sites) {
    return geometry::pairScan(canvas, kWindowFrame, sites);
  });
}

template <class Scanner, class... Arguments>
int drawnPairs(const geometry::SiteColumns& sites, Arguments... arguments) {
  Scanner scan(kWindowFrame, sites, arguments...);
  int drawn = 0;
  for (int i = 1; i < sites.nSites; ++i) {
    for (int j = i + 1; j <= sites.nSites; ++j) {
      if constexpr (std::is_same_v<Scanner, geometry::FastVerdicts>) {
        drawn += scan.verdict(i, j).result == geometry::PairResult::Drawn ? 1 : 0;
      } else {
        drawn += scan.verdict(i, j)->result == geometry::PairResult::Drawn ? 1 : 0;
      }
    }
  }
  return drawn;
}

void ExactScan(benchmark::State& state) {
  everyPair(state, drawnPairs<geometry::ExactScan>);
}
void FastVerdicts(benchmark::State& state) {
  everyPair(state, drawnPairs<geometry::FastVerdicts>);
}
void ExactRational(benchmark::State& state) {
  everyPair(state, [](const geometry::SiteColumns& sites) {
    return drawnPairs<geometry::ExactScan>(sites, geometry::ExactScan::Arithmetic::Rationals);
  });
}

BENCHMARK(PairScan)->Arg(49)->Arg(101)->Unit(benchmark::kMillisecond);
BENCHMARK(ExactScan)->Arg(49)->Arg(101)->Unit(benchmark::kMillisecond);
BENCHMARK(FastVerdicts)->Arg(49)->Arg(101)->Unit(benchmark::kMillisecond);
BENCHMARK(ExactRational)->Arg(49)->Unit(benchmark::kMillisecond);

}  // namespace
