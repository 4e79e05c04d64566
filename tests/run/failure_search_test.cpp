#include "run/failure_search.h"

#include <gtest/gtest.h>

#include "run/run.h"

namespace {

// From three different starts the search finds a layout near each (one site moved onto the
// circle through three others) whose reported pairs differ between the floats and exact
// arithmetic, as a comparison of every pair confirms. The search is deterministic; its time
// limit is raised here so that a slow build finds what a fast one does.
TEST(FailureSearch, FindsARoundingFailureNearThreeStarts) {
  for (const std::uint32_t seed : {7u, 2026u, 5u}) {
    const app::Layout start = app::runDemonstration({seed, std::nullopt}).layout;
    const auto found = app::findRoundingFailure(start, std::chrono::minutes(2));
    ASSERT_TRUE(found.has_value()) << "seed " << seed;
    ASSERT_EQ(found->layout.sites.size(), start.sites.size());
    int moved = 0;
    for (std::size_t s = 0; s < start.sites.size(); ++s) {
      moved += found->layout.sites[s] == start.sites[s] ? 0 : 1;
    }
    EXPECT_EQ(moved, 1) << "seed " << seed;
    const auto differing = app::pairsDifferingFromExact(found->layout, [] { return false; });
    for (const auto& pair : found->pairs) {
      EXPECT_NE(std::find(differing.begin(), differing.end(), pair), differing.end())
          << "seed " << seed << " pair " << pair.first << "-" << pair.second;
    }
  }
}

}  // namespace

namespace {

// A nudge map ends at its budget: on a square lattice every cell of four sites ties exactly,
// each move is decided in rationals, and the whole map would take half a minute.
TEST(NudgeMap, EndsAtItsBudgetOnALatticeOfExactTies) {
  app::Layout lattice{1, {}};
  for (int i = 0; i < 10; ++i) {
    for (int j = 0; j < 10; ++j) {
      lattice.sites.push_back({100.0 + 40 * i - 3 * j, static_cast<float>(60 + 3 * i + 40 * j)});
    }
  }
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(app::nudgeMap(lattice, 12, 13, 23, std::chrono::milliseconds(200)));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20))
      << "the map went on past its budget";

  // Without the ties, it is done within the budget: bright where the decision flips.
  const app::Layout few{1, {{100, 100}, {300, 120}, {200, 300}, {420, 260}}};
  const auto agree = app::nudgeMap(few, 1, 2, 3);
  ASSERT_TRUE(agree);
  EXPECT_EQ(agree->size(), std::size_t{app::kNudgeMapSize * app::kNudgeMapSize});
  const std::vector<app::Colour> colours = app::nudgeMapColours(*agree);
  EXPECT_EQ(colours[app::kNudgeMapSize / 2 * (app::kNudgeMapSize + 1)], app::rgb(90, 255, 130));
}

}  // namespace
