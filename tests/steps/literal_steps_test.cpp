#include "steps/literal_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "geometry/dist.h"
#include "support/random_sites.h"

using namespace geometry;

namespace {

// Five sites, in window pixels, whose pairs show every kind of result with values that
// work out exactly (the drawn pair 1-2 is followed step by step in the lesson's test).
const auto kSites =
    testing_support::sitesAt({{100, 100}, {300, 300}, {90, 120}, {460, 280}, {400, 400}});

PairAccount account(int i, int j) {
  return explainPair(kWindowFrame, *kSites, i, j);
}

TEST(LiteralSteps, APairBlockedByACompetitorInItsQuadrant) {
  // Sites 1, 2 and 5 lie on one line. The pair (1, 5) has the bisector y = -x + 25860
  // from (5540, 20320) to (25860, 0); site 2's bisector with site 1, y = -x + 25760, runs
  // 100 above it at both ends (P = 100 x 100 > 0), and site 2 lies in site 5's quadrant
  // and nearer: the screening stops at the first competitor.
  const PairAccount a = account(1, 5);
  ASSERT_EQ(a.competitors.size(), 1u);
  EXPECT_EQ(a.competitors[0].site, 2);
  EXPECT_EQ(a.competitors[0].outcome, Screening::Blocked);
  EXPECT_EQ(a.outcome.result, PairResult::Blocked);
  EXPECT_EQ(a.outcome.blockedBy, 2);
  EXPECT_EQ(a.outcome.cutCount, 1);
  EXPECT_TRUE(a.sorted.empty());
  EXPECT_TRUE(a.pieces.empty());
}

TEST(LiteralSteps, APairShadowedThroughout) {
  // Sites 3 and 4 face each other across sites 1 and 2: every piece of their bisector is
  // nearer to one of those.
  const PairAccount a = account(3, 4);
  EXPECT_EQ(a.outcome.result, PairResult::Shadowed);
  EXPECT_EQ(a.outcome.cutCount, 5);
  ASSERT_EQ(a.pieces.size(), 4u);
  EXPECT_TRUE(std::all_of(a.pieces.begin(), a.pieces.end(), [](const PieceStep& p) {
    return p.shadowedBy == 1 || p.shadowedBy == 2;
  }));
}

// On random runs an account holds together: its outcome is the one the steps reach without
// recording, its cut list is sorted and holds each cut point once, and the pieces stop at
// the first open one.
TEST(LiteralSteps, AgreesWithTheStepsItRecords) {
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    const auto sites = testing_support::randomSites(seed);
    for (const auto& [i, j, plain] : followEveryPair(kWindowFrame, *sites)) {
      const PairAccount a = explainPair(kWindowFrame, *sites, i, j);
      ASSERT_EQ(std::tuple(a.outcome.result, a.outcome.piece, a.outcome.cutCount),
                std::tuple(plain.result, plain.piece, plain.cutCount))
          << "seed " << seed << " pair " << i << "-" << j;
      const auto cutsMade =
          std::count_if(a.competitors.begin(), a.competitors.end(),
                        [](const auto& c) { return c.outcome == Screening::Cut; });
      if (plain.result == PairResult::Blocked) {
        EXPECT_EQ(a.competitors.back().outcome, Screening::Blocked);
        EXPECT_EQ(plain.cutCount, 1 + cutsMade);
        continue;
      }
      EXPECT_EQ(a.competitors.size(), static_cast<std::size_t>(sites->nSites - 2));
      EXPECT_EQ(a.sorted.size(), static_cast<std::size_t>(2 + cutsMade));
      EXPECT_TRUE(std::is_sorted(a.sorted.begin(), a.sorted.end(),
                                 [](const auto& l, const auto& r) { return l.x < r.x; }));
      // Every piece before the last one tested is shadowed; the last is the open one, if any.
      ASSERT_EQ(a.pieces.size(), plain.result == PairResult::Drawn
                                     ? static_cast<std::size_t>(plain.piece)
                                     : a.sorted.size() - 1);
      EXPECT_TRUE(std::all_of(a.pieces.begin(), a.pieces.end() - 1,
                              [](const PieceStep& p) { return p.shadowedBy != 0; }));
      // The site shown shadowing a piece is the nearest to its midpoint, none nearer.
      const auto from = [&](const PieceStep& p, int k) {
        return geometry::dist(p.midX, p.midY, sites->x(k), sites->y(k));
      };
      for (const PieceStep& p : a.pieces) {
        ASSERT_EQ(p.nearest == 0, p.shadowedBy == 0);
        for (int k = 1; p.nearest != 0 && k <= sites->nSites; ++k) {
          ASSERT_TRUE(k == i || k == j || from(p, k) >= from(p, p.nearest))
              << "seed " << seed << " pair " << i << "-" << j << ": site " << k
              << " is nearer than " << p.nearest << " to piece " << p.piece;
        }
      }
    }
  }
}

}  // namespace
