// Times drawing a 12-site exercise layout, and grading a drawing of its Delaunay edges, its
// proofs included: a drawing with every other edge left out and as many pairs that are no edge
// drawn in, so that half the verdicts need a missed edge's empty circle or a wrong edge's
// two circles.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "explanation/delaunay_proof.h"
#include "exercises/exercise.h"
#include "run/accepted_sites.h"

namespace {

// The first seed whose layout has the most sites.
std::uint32_t largestLayoutSeed() {
  std::uint32_t seed = 1;
  while (app::exerciseLayout(seed).size() != app::kMostExerciseSites) {
    ++seed;
  }
  return seed;
}

void GradeDrawing(benchmark::State& state) {
  const std::uint32_t seed = largestLayoutSeed();
  const geometry::SiteColumns sites = *app::acceptedSites(app::exerciseLayout(seed));
  const std::vector<app::EdgeAnswer> edges = app::delaunayEdges(sites).edges;
  std::vector<app::EdgeAnswer> drawing;
  for (std::size_t n = 0; n < edges.size(); n += 2) {
    drawing.push_back(edges[n]);
  }
  for (int i = 1; i < sites.nSites && drawing.size() < edges.size(); ++i) {
    for (int j = i + 1; j <= sites.nSites && drawing.size() < edges.size(); ++j) {
      if (std::find(edges.begin(), edges.end(), app::EdgeAnswer{i, j}) == edges.end()) {
        drawing.emplace_back(i, j);
      }
    }
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(app::gradeDrawing(sites, drawing));
  }
  state.counters["verdicts"] = static_cast<double>(app::gradeDrawing(sites, drawing).size());
}

BENCHMARK(GradeDrawing)->Unit(benchmark::kMillisecond);

// Drawing a layout of 12 sites away from ties, confirmed exactly, as F2 does.
void ExerciseLayout(benchmark::State& state) {
  const std::uint32_t seed = largestLayoutSeed();
  for (auto _ : state) {
    benchmark::DoNotOptimize(app::exerciseLayout(seed));
  }
}

BENCHMARK(ExerciseLayout)->Unit(benchmark::kMillisecond);

}  // namespace
