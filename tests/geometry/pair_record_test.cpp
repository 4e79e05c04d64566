#include "geometry/pair_record.h"

#include <gtest/gtest.h>

#include "geometry/dist.h"
#include "geometry/window_frame.h"

using geometry::Bisector;
using geometry::kWindowFrame;
using geometry::PairRecord;

namespace {

TEST(Dist, IsEuclideanSymmetricAndKeepsSinglePrecisionDifferences) {
  EXPECT_EQ(geometry::dist(0.0, 0.0, 3.0, 4.0), 5.0);
  EXPECT_EQ(geometry::dist(1.5, 2.5f, 1.5, 2.5f), 0.0);
  EXPECT_EQ(geometry::dist(15300.25, 10360.5f, 15350.75, 10561.0f),
            geometry::dist(15350.75, 10561.0f, 15300.25, 10360.5f));
  // A difference of two floats is a float: 1e8 and 1e8 + 4 are 4 apart, 1e8 + 1 is 1e8.
  EXPECT_EQ(geometry::squaredSum(0.0, 1e8f, 0.0, 1e8f + 1.0f), 0.0);
  EXPECT_EQ(geometry::squaredSum(0.0, 1e8, 0.0, 1e8 + 1.0), 1.0);
}

TEST(BoxSizes, AreRoundedToSinglePrecision) {
  EXPECT_EQ(geometry::boxSize(11401), 30402.666015625f);  // not the nearest double
  EXPECT_EQ(kWindowFrame.boxW(), 30400.0f);
  EXPECT_EQ(kWindowFrame.offsetX(), 15200.0f);
  EXPECT_EQ(kWindowFrame.offsetY(), 10160.0f);
}

// Two sites in window pixels and the record of their pair in the standard window (box
// 30,400 by 20,320).
struct RecordCase {
  const char* name;
  double xi;
  float yi;
  double xj;
  float yj;
  double m1, c1, startX, startY, endX, endY;
};

class PairRecordExample : public ::testing::TestWithParam<RecordCase> {};

TEST_P(PairRecordExample, HasTheExactBisectorAndEnds) {
  const RecordCase& c = GetParam();
  const geometry::SitePosition i = kWindowFrame.toDomain({c.xi, c.yi});
  const geometry::SitePosition j = kWindowFrame.toDomain({c.xj, c.yj});
  const PairRecord r = geometry::pairRecord(geometry::bisectorOf(i.x, i.y, j.x, j.y), kWindowFrame);
  EXPECT_EQ((std::array{r.m1, r.c1, r.startX, r.startY, r.endX, r.endY}),
            (std::array{c.m1, c.c1, c.startX, c.startY, c.endX, c.endY}));
  EXPECT_EQ(r.dIJ(), geometry::dist(c.xi, c.yi, c.xj, c.yj));
}

INSTANTIATE_TEST_SUITE_P(Examples, PairRecordExample,
                         ::testing::Values(RecordCase{"ShallowLeftToRightEdge", 100, 200, 150, 400,
                                                      -0.25, 14291.25, 0, 14291.25, 30400, 6691.25},
                                           RecordCase{"SteepFallingBottomToTopEdge", 100, 200, 300,
                                                      250, -4, 71985, 12916.25, 20320, 17996.25, 0},
                                           RecordCase{"SteepRisingTopToBottomEdge", 100, 200, 300,
                                                      150, 4, -51265, 12816.25, 0, 17896.25,
                                                      20320}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(PairRecord, BisectorsThroughCornersFallToTheTopAndBottomCases) {
  const geometry::WindowFrame& form = kWindowFrame;
  // y = x: c1 = 0 is not inside the open left edge, so it starts in the top-left corner.
  PairRecord r = geometry::pairRecord(Bisector{1, 0, 1}, form);
  EXPECT_EQ((std::array{r.startX, r.startY}), (std::array{0.0, 0.0}));
  // y = boxH - x: from the bottom-left corner to the top edge at x = boxH.
  r = geometry::pairRecord(Bisector{-1, 20320, 1}, form);
  EXPECT_EQ((std::array{r.startX, r.startY, r.endX, r.endY}),
            (std::array{0.0, 20320.0, 20320.0, 0.0}));
  // y = (x - boxW) * -0.5 reaches 0 exactly at x = boxW: it ends in the top-right corner.
  r = geometry::pairRecord(Bisector{-0.5, 15200, 1}, form);
  EXPECT_EQ((std::array{r.endX, r.endY}), (std::array{30400.0, 0.0}));
}

TEST(PairRecord, MidpointSumIsRoundedToSinglePrecisionBeforeHalving) {
  // 10,360.0009765625 + 10,361 lies halfway between two floats and rounds to the even one,
  // so the midpoint's y is 10,360.5, not 10,360.50048828125.
  const Bisector b = geometry::bisectorOf(15300, 10360.0009765625f, 15350, 10361.0f);
  EXPECT_EQ(b.m, -1 / (-0.9990234375 / -50));
  EXPECT_EQ(b.c, 10360.5 - 15325 * b.m);
}

}  // namespace
