#include "geometry/screening.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "geometry/cut_list.h"
#include "geometry/dist.h"
#include "geometry/edge_drawing.h"
#include "geometry/open_piece.h"
#include "geometry/pair_scan.h"
#include "steps/literal_steps.h"
#include "support/edge_recorder.h"
#include "support/random_sites.h"

using namespace geometry;
using testing_support::EdgeKind;
using testing_support::EdgeRecorder;
using testing_support::RecordedEdge;
using testing_support::sitesAt;

namespace {

constexpr float kOffX = kWindowFrame.offsetX(), kOffY = kWindowFrame.offsetY();

// One competitor against the pair of sites (100, 200) and (150, 400): its bisector is
// y = -0.25 x + 14,291.25 from (0, 14,291.25) to (30,400, 6,691.25), dIJ^2 = 42,500, and
// site j lies right of and below site i. The competitor's line y = m2 x + c2, its squared
// distance from site i and its offsets from site i are set directly. Both the screening of
// the pair scan and the screening's tests as the account follows them must agree with the
// expected outcome.
struct Competitor {
  const char* name;
  double m2, c2, sumSq, dx;
  float dy;
  Screening expected;
  double cutX = 0, cutY = 0;
};

constexpr double kNear = 100, kAsFar = 42500;
constexpr double kMisses = 0;       // y = 0: above the whole stretch, P > 0
constexpr double kCrosses = 10000;  // y = 10,000 with m2 = 0: crosses at x = 17,165, P < 0

class ScreeningOutcome : public ::testing::TestWithParam<Competitor> {};

TEST_P(ScreeningOutcome, FollowsTheBlockAdmissionAndCutTests) {
  const Competitor& c = GetParam();
  const auto sites = sitesAt({{100, 200}, {150, 400}, {600, 50}});
  CompetitorTable table;
  table.build(*sites, 1);
  const PairRecord pair = pairRecord(table.bisector(2), kWindowFrame);
  table.bisector(3) = Bisector{c.m2, c.c2, c.sumSq};
  table.dx(3) = c.dx;
  table.dy(3) = c.dy;

  CutList cuts;
  const bool blocked = screenCompetitors({pair, table, *sites, 1, 2}, cuts);
  EXPECT_EQ(blocked, c.expected == Screening::Blocked);
  EXPECT_EQ(cuts.cutCount, c.expected == Screening::Blocked ? 1
                           : c.expected == Screening::Cut   ? 3
                                                            : 2);

  const double P = endGapProduct(pair, table.bisector(3));
  // A parallel line passes the tests like any other; only placing its cut point fails.
  EXPECT_EQ(screeningTests(P, std::sqrt(42500.0), std::sqrt(c.sumSq),
                           inQuadrant(table.dx(2), table.dy(2), c.dx, c.dy)),
            c.expected == Screening::Parallel ? Screening::Cut : c.expected);
  if (c.expected == Screening::Cut) {
    EXPECT_EQ((std::array{cuts.cutX(1), cuts.cutY(1)}), (std::array{c.cutX, c.cutY}));
    EXPECT_EQ(cuts.cutSite(1), 3);
  }
}

INSTANTIATE_TEST_SUITE_P(
    OutcomeTable, ScreeningOutcome,
    ::testing::Values(
        Competitor{"InQuadrantMissesNearerBlocks", 0, kMisses, kNear, 1, 1, Screening::Blocked},
        Competitor{"InQuadrantMissesAsFarDoesNothing", 0, kMisses, kAsFar, 1, 1,
                   Screening::NotNearer},
        Competitor{"InQuadrantThroughStartNearerCuts", 1, 14291.25, kNear, 1, 1, Screening::Cut,
                   -0.0, 14291.25},
        Competitor{"InQuadrantThroughStartAsFarDoesNothing", 1, 14291.25, kAsFar, 1, 1,
                   Screening::NotNearer},
        Competitor{"InQuadrantCrossesCuts", 0, kCrosses, 90000, 1, 1, Screening::Cut, 17165, 10000},
        Competitor{"OutsideCrossesCuts", 0, kCrosses, kNear, -1, 1, Screening::Cut, 17165, 10000},
        Competitor{"OutsideMissesNearerDoesNothing", 0, kMisses, kNear, -1, 1,
                   Screening::OutsideQuadrant},
        Competitor{"OutsideThroughStartDoesNothing", 1, 14291.25, kNear, 1, -1,
                   Screening::OutsideQuadrant},
        // The same line as the pair's own bisector (m2 = m1): P = 0, and it would be cut at
        // a zero divisor; parallel lines do not cross, so nothing is added.
        Competitor{"CoincidingLineAddsNothing", -0.25, 14291.25, kNear, 1, 1, Screening::Parallel}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(Screening, BlockedPairKeepsItsEntriesAndDrawsNothing) {
  // Site 3 cuts the bisector of sites 1 and 2; site 4, almost on the segment between them,
  // blocks the pair.
  const auto sites = sitesAt({{100, 100}, {300, 300}, {100.5, 300.5}, {200, 200.5}});
  CompetitorTable table;
  table.build(*sites, 1);
  CutList cuts;
  cuts.cutX(2) = 1234;  // a stale entry from an earlier pair
  const PairRecord pair = pairRecord(table.bisector(2), kWindowFrame);
  EXPECT_TRUE(screenCompetitors({pair, table, *sites, 1, 2}, cuts));
  EXPECT_EQ(cuts.cutCount, 2);
  EXPECT_EQ(cuts.cutX(2), 1234);

  EdgeRecorder drawn;
  pairScan(drawn, kWindowFrame, *sites);
  EXPECT_TRUE(std::none_of(drawn.edges.begin(), drawn.edges.end(), [](const auto& line) {
    return geometry::exactlyEqual(line.x1, 100) && geometry::exactlyEqual(line.y1, 100) &&
           geometry::exactlyEqual(line.x2, 300) && geometry::exactlyEqual(line.y2, 300);
  })) << "the Delaunay edge of the blocked pair was drawn";
}

// Piece tests on the bisector y = x of sites (97, 96) and (96, 97); the first piece's
// midpoint (100, 100) is 5 from site i.
struct PieceFixture {
  std::unique_ptr<SiteColumns> sites = std::make_unique<SiteColumns>();
  PairRecord pair{};
  CutList cuts;

  PieceFixture(std::initializer_list<double> cutXs, double xk, float yk) {
    pair.m1 = 1;
    pair.c1 = 0;
    sites->append(97, 96);
    sites->append(96, 97);
    sites->append(xk, yk);
    for (const double x : cutXs) {
      cuts.cutCount == 0 ? cuts.seed(x, x) : cuts.append(x, x, 3);
    }
  }
  int firstOpen() const { return firstOpenPiece(pair, cuts, *sites, 1, 2); }
};

TEST(PieceTest, ASiteExactlyAsFarAsSiteIDoesNotShadow) {
  EXPECT_EQ(PieceFixture({0, 200}, 105, 100).firstOpen(), 1);  // 5 away: a tie
  EXPECT_EQ(PieceFixture({0, 200}, 104.9, 100).firstOpen(), 0);
}

TEST(PieceTest, OnlyTheFirstOpenPieceIsDrawn) {
  EXPECT_EQ(PieceFixture({0, 200, 400}, 105, 100).firstOpen(), 1);
  // 4.99 from the first midpoint, but farther than site i from the second, (300, 300).
  PieceFixture shadowedFirst({0, 200, 400}, 96.47, 96.47f);
  ASSERT_EQ(shadowedFirst.firstOpen(), 2);
  EdgeRecorder drawn;
  const CutList& c = shadowedFirst.cuts;
  drawPairEdges(drawn, kWindowFrame, {c.cutX(1), c.cutY(1), c.cutX(2), c.cutY(2)},
                *shadowedFirst.sites, 1, 2);
  EXPECT_EQ(drawn.edges,
            (std::vector<RecordedEdge>{
                {EdgeKind::Voronoi, 200 - kOffX, 200 - kOffY, 400 - kOffX, 400 - kOffY},
                {EdgeKind::Delaunay, 97 - kOffX, 96 - kOffY, 96 - kOffX, 97 - kOffY}}));
}

TEST(PieceTest, APieceOfLengthZeroIsTestedAtItsPoint) {
  PieceFixture zero({100, 100, 400}, 105, 100);
  ASSERT_EQ(zero.firstOpen(), 1);
  EdgeRecorder drawn;
  drawPairEdges(drawn, kWindowFrame, {100, 100, 100, 100}, *zero.sites, 1, 2);
  ASSERT_EQ(drawn.edges.size(), 2u);
  EXPECT_EQ(drawn.edges[0].x1, drawn.edges[0].x2);
  EXPECT_EQ(drawn.edges[0].y1, drawn.edges[0].y2);
}

}  // namespace
