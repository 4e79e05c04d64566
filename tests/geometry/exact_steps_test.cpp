#include "geometry/exact_steps.h"

#include <gtest/gtest.h>

#include "support/random_sites.h"

namespace {

using geometry::kWindowFrame;
using geometry::PairResult;

// Where no comparison of the edge finder comes near a tie, the exact steps reach the float
// steps' outcome: on the hand-made five sites, whose values are all exact, and on seeded runs.
TEST(ExactSteps, AgreeWithTheFloatStepsAwayFromTies) {
  const auto five =
      testing_support::sitesAt({{100, 100}, {300, 300}, {90, 120}, {460, 280}, {400, 400}});
  std::vector<const geometry::SiteColumns*> layouts{five.get()};
  std::vector<std::unique_ptr<geometry::SiteColumns>> seeded;
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    seeded.push_back(testing_support::randomSites(seed));
    layouts.push_back(seeded.back().get());
  }
  for (const geometry::SiteColumns* sites : layouts) {
    for (const geometry::ScannedPair& pair : geometry::followEveryPair(kWindowFrame, *sites)) {
      const geometry::ExactOutcome exact =
          geometry::followPairExactly(kWindowFrame, *sites, pair.i, pair.j);
      EXPECT_TRUE(geometry::sameOutcome(pair.outcome, exact))
          << sites->nSites << " sites, pair " << pair.i << "-" << pair.j;
    }
  }
  // Pair 1-5 of the five sites is blocked by site 2, pair 1-2 draws its piece 2 (see the
  // literal steps' tests), pair 3-4 is shadowed.
  EXPECT_EQ(geometry::followPairExactly(kWindowFrame, *five, 1, 5).blockedBy, 2);
  EXPECT_EQ(geometry::followPairExactly(kWindowFrame, *five, 1, 2).piece, 2);
  EXPECT_EQ(geometry::followPairExactly(kWindowFrame, *five, 3, 4).result, PairResult::Shadowed);
}

// Nine sites, four nearly on one circle (examples/rounding-cocircular.txt, found by a
// search of near ties): the rounded cut points of pair 2-3 fall in another order than the
// exact ones, and the floats draw piece 4 where exact arithmetic draws piece 5.
TEST(ExactSteps, DifferFromTheFloatsWhereRoundingDecides) {
  const auto sites = testing_support::sitesAt({{345.54503149556695, 345.6582f},
                                               {323.85791030731707, 306.15137f},
                                               {362.8530008075886, 325.72266f},
                                               {337.08384338086216, 346.2412f},
                                               {203.71492460839, 414.40527f},
                                               {403.30916032813, 230.11914f},
                                               {617.5150938728275, 276.00586f},
                                               {410.0264599766906, 270.86523f},
                                               {200.37809309118347, 249.64648f}});
  geometry::CutList cuts;
  const geometry::PairOutcome rounded = geometry::followPair(kWindowFrame, *sites, 2, 3, cuts);
  const geometry::ExactOutcome exact = geometry::followPairExactly(kWindowFrame, *sites, 2, 3);
  EXPECT_EQ(rounded.result, PairResult::Drawn);
  EXPECT_EQ(rounded.piece, 4);
  EXPECT_EQ(exact.result, PairResult::Drawn);
  EXPECT_EQ(exact.piece, 5);
}

}  // namespace
