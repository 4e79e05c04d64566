#include "geometry/pair_record.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/dist.h"
#include "geometry/domain_box.h"
#include "support/recording_form.h"

using geometry::Bisector;
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
  EXPECT_EQ(geometry::boxSize(11400), 30400.0f);
  EXPECT_EQ(geometry::boxSize(7620), 20320.0f);
  EXPECT_EQ(geometry::boxSize(11401), 30402.666015625f);
  EXPECT_EQ(geometry::domainOffset(11400), 15200.0f);
  EXPECT_EQ(geometry::domainOffset(7620), 10160.0f);
}

// Two sites in window pixels and the record of their pair in the standard window (box
// 30,400 by 20,320, shift 15,200 and 10,160).
struct RecordCase {
  const char* name;
  double xi;
  float yi;
  double xj;
  float yj;
  double pairSlope, m1, midX, c1, startX, startY, yAtBoxW, endX, endY;
  float midY;
};

class PairRecordExample : public ::testing::TestWithParam<RecordCase> {};

TEST_P(PairRecordExample, HasTheExactBisectorAndEnds) {
  const RecordCase& c = GetParam();
  const testing_support::RecordingForm form;
  const PairRecord r = geometry::pairRecord(
      geometry::bisectorOf(c.xi + 15200, c.yi + 10160.0f, c.xj + 15200, c.yj + 10160.0f), form);
  EXPECT_EQ(r.pairSlope, c.pairSlope);
  EXPECT_EQ(r.m1, c.m1);
  EXPECT_EQ(r.midY, c.midY);
  EXPECT_EQ(r.midX, c.midX);
  EXPECT_EQ(r.c1, c.c1);
  EXPECT_EQ(r.dIJ(), geometry::dist(c.xi, c.yi, c.xj, c.yj));
  EXPECT_EQ((std::array{r.startX, r.startY, r.yAtBoxW, r.endX, r.endY}),
            (std::array{c.startX, c.startY, c.yAtBoxW, c.endX, c.endY}));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, PairRecordExample,
    ::testing::Values(RecordCase{"ShallowLeftToRightEdge", 100, 200, 150, 400, 4, -0.25, 15325,
                                 14291.25, 0, 14291.25, 6691.25, 30400, 6691.25, 10460},
                      RecordCase{"SteepFallingBottomToTopEdge", 100, 200, 300, 250, 0.25, -4, 15400,
                                 71985, 12916.25, 20320, -49615, 17996.25, 0, 10385},
                      RecordCase{"SteepRisingTopToBottomEdge", 100, 200, 300, 150, -0.25, 4, 15400,
                                 -51265, 12816.25, 0, 70335, 17896.25, 20320, 10335}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(PairRecord, BisectorsThroughCornersFallToTheTopAndBottomCases) {
  const testing_support::RecordingForm form;
  // y = x: c1 = 0 is not inside the open left edge, so it starts in the top-left corner.
  PairRecord r = geometry::pairRecord(Bisector{-1, 1, 0, 0, 0, 1}, form);
  EXPECT_EQ((std::array{r.startX, r.startY}), (std::array{0.0, 0.0}));
  // y = boxH - x: from the bottom-left corner to the top edge at x = boxH.
  r = geometry::pairRecord(Bisector{1, -1, 0, 0, 20320, 1}, form);
  EXPECT_EQ((std::array{r.startX, r.startY, r.endX, r.endY}),
            (std::array{0.0, 20320.0, 20320.0, 0.0}));
  // y = (x - boxW) * -0.5 reaches 0 exactly at x = boxW: it ends in the top-right corner.
  r = geometry::pairRecord(Bisector{2, -0.5, 0, 0, 15200, 1}, form);
  EXPECT_EQ((std::array{r.yAtBoxW, r.endX, r.endY}), (std::array{0.0, 30400.0, 0.0}));
}

TEST(PairRecord, MidpointSumIsRoundedToSinglePrecisionBeforeHalving) {
  // 10,360.0009765625 + 10,361 lies halfway between two floats and rounds to the even one.
  EXPECT_EQ(geometry::bisectorOf(15300, 10360.0009765625f, 15350, 10361.0f).midY, 10360.5f);
}

}  // namespace
