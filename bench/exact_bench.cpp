// Times the exact run: the literal steps of every pair of a layout in exact arithmetic, as
// --exact and the window's exact layer follow them, for random sites from fixed seeds.
#include <benchmark/benchmark.h>

#include "geometry/exact_steps.h"
#include "run/picture_recorder.h"
#include "run/random_numbers.h"
#include "run/site_generation.h"

namespace {

void ExactRun(benchmark::State& state) {
  app::PictureRecorder marks;
  app::Random random(54);
  random.randomize();
  geometry::SiteColumns sites;
  sites.nSites = static_cast<std::int16_t>(state.range(0));
  app::generateSites(marks, random, sites);
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
