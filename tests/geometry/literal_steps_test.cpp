#include "geometry/literal_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "support/random_sites.h"

using namespace geometry;

namespace {

// Five sites, in window pixels, whose pairs show every kind of result with values that
// work out exactly. In the edge finder's coordinates site 1 is (15300, 10260) and site 2
// (15500, 10460): their bisector is y = -x + 25760, from (5440, 20320) on the bottom edge
// of the box to (25760, 0) on the top edge.
const auto kSites =
    testing_support::sitesAt({{100, 100}, {300, 300}, {90, 120}, {460, 280}, {400, 400}});

PairAccount account(int i, int j) {
  return explainPair(kWindowFrame, *kSites, i, j);
}

TEST(LiteralSteps, ADrawnPairWhoseFirstPieceIsShadowed) {
  const PairAccount a = account(1, 2);
  EXPECT_EQ(
      (std::array{a.pair.m1, a.pair.c1, a.pair.startX, a.pair.startY, a.pair.endX, a.pair.endY}),
      (std::array{-1.0, 25760.0, 5440.0, 20320.0, 25760.0, 0.0}));
  // Site 3's bisector with site 1 is y = 0.5 x + 2622.5, meeting the pair's at x = 15425;
  // site 4's is y = -2 x + 41310, meeting it at x = 15550. Site 5 lies beyond site 2 on
  // the same line: its bisector is parallel, and it is farther.
  ASSERT_EQ(a.competitors.size(), 3u);
  EXPECT_EQ(a.competitors[0].outcome, Screening::Cut);
  EXPECT_EQ((std::array{a.competitors[0].x, a.competitors[0].y}), (std::array{15425.0, 10335.0}));
  EXPECT_EQ(a.competitors[1].outcome, Screening::Cut);
  EXPECT_EQ((std::array{a.competitors[1].x, a.competitors[1].y}), (std::array{15550.0, 10210.0}));
  EXPECT_EQ(a.competitors[2].outcome, Screening::NotNearer);
  EXPECT_FALSE(a.competitors[2].throughEnd);

  ASSERT_EQ(a.sorted.size(), 4u);
  const std::array expectedSites{CutList::kStartPoint, 3, 4, CutList::kEndPoint};
  for (std::size_t e = 0; e < 4; ++e) {
    EXPECT_EQ(a.sorted[e].site, expectedSites[e]) << "entry " << e;
  }
  // Piece 1's midpoint (10432.5, 15327.5) is nearer to site 3 (15290, 10280) than to site
  // 1: 4857.5^2 + 5047.5^2 < 4867.5^2 + 5067.5^2. Piece 2's, (15487.5, 10272.5), is
  // 35312.5 from site 1 squared, and farther from every other site.
  ASSERT_EQ(a.pieces.size(), 2u);
  EXPECT_EQ((std::array{a.pieces[0].midX, a.pieces[0].midY}), (std::array{10432.5, 15327.5}));
  EXPECT_EQ(a.pieces[0].shadowedBy, 3);
  EXPECT_EQ((std::array{a.pieces[1].midX, a.pieces[1].midY}), (std::array{15487.5, 10272.5}));
  EXPECT_EQ(a.pieces[1].shadowedBy, 0);
  EXPECT_EQ(a.outcome.result, PairResult::Drawn);
  EXPECT_EQ(a.outcome.piece, 2);
  EXPECT_EQ(a.outcome.cutCount, 4);
  EXPECT_EQ(
      (std::array{a.outcome.drawn.x0, a.outcome.drawn.y0, a.outcome.drawn.x1, a.outcome.drawn.y1}),
      (std::array{15425.0, 10335.0, 15550.0, 10210.0}));
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
    }
  }
}

}  // namespace
