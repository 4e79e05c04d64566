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
