// Times the exact run: the literal steps of every pair of a layout in exact arithmetic, as
// --exact and the window's exact layer follow them, for random sites from fixed seeds.
#include <benchmark/benchmark.h>

#include "random_layout.h"
#include "steps/exact_steps.h"

namespace {

void ExactRun(benchmark::State& state) {
  const auto layout = bench::randomSites(static_cast<int>(state.range(0)));
  const geometry::SiteColumns& sites = *layout;
  for (auto _ : state) {
    geometry::ExactScan scan(geometry::kWindowFrame, sites);
    int drawn = 0;
    for (int i = 1; i < sites.nSites; ++i) {
      for (int j = i + 1; j <= sites.nSites; ++j) {
        drawn += scan.account(i, j).outcome.result == geometry::PairResult::Drawn ? 1 : 0;
      }
    }
    benchmark::DoNotOptimize(drawn);
  }
}

BENCHMARK(ExactRun)->Arg(49)->Arg(101)->Unit(benchmark::kMillisecond);

}  // namespace
