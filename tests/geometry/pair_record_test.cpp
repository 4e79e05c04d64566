#include "geometry/pair_record.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/dist.h"
#include "geometry/domain_box.h"
#include "support/recording_form.h"

using geometry::bisectorOf;
using geometry::pairRecord;
using geometry::PairRecord;
using testing_support::RecordingForm;

namespace {

// The record of two sites given in window pixels, for the standard window (box 30,400 by
// 20,320, shift 15,200 and 10,160).
PairRecord recordFor(double xi, float yi, double xj, float yj) {
  const RecordingForm form;
  return pairRecord(bisectorOf(xi + 15200, yi + 10160.0f, xj + 15200, yj + 10160.0f), form);
}

TEST(Dist, IsEuclideanSymmetricAndKeepsSinglePrecisionDifferences) {
  EXPECT_EQ(geometry::dist(0.0, 0.0, 3.0, 4.0), 5.0);
  EXPECT_EQ(geometry::dist(1.5, 2.5f, 1.5, 2.5f), 0.0);
  EXPECT_EQ(geometry::dist(15300.25, 10360.5f, 15350.75, 10561.0f),
            geometry::dist(15350.75, 10561.0f, 15300.25, 10360.5f));
  // float - float is rounded to float before it is squared: 1e8 + 1 - 1e8 is 0 in float.
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

TEST(PairRecord, ShallowBisectorRunsFromLeftToRightEdge) {
  const PairRecord r = recordFor(100, 200, 150, 400);
  EXPECT_EQ(r.pairSlope, 4);
  EXPECT_EQ(r.m1, -0.25);
  EXPECT_EQ(r.midY, 10460.0f);
  EXPECT_EQ(r.midX, 15325);
  EXPECT_EQ(r.c1, 14291.25);
  EXPECT_EQ(r.dIJ(), std::pow(42500.0, 0.5));
  EXPECT_NEAR(r.dIJ(), 206.155281280883, 1e-12);
  EXPECT_EQ(r.startX, 0);
  EXPECT_EQ(r.startY, 14291.25);
  EXPECT_EQ(r.yAtBoxW, 6691.25);
  EXPECT_EQ(r.endX, 30400);
  EXPECT_EQ(r.endY, 6691.25);
}

TEST(PairRecord, SteepFallingBisectorRunsFromBottomToTopEdge) {
  const PairRecord r = recordFor(100, 200, 300, 250);
  EXPECT_EQ(r.pairSlope, 0.25);
  EXPECT_EQ(r.m1, -4);
  EXPECT_EQ(r.midY, 10385.0f);
  EXPECT_EQ(r.midX, 15400);
  EXPECT_EQ(r.c1, 71985);
  EXPECT_EQ(r.startX, 12916.25);
  EXPECT_EQ(r.startY, 20320);
  EXPECT_EQ(r.yAtBoxW, -49615);
  EXPECT_EQ(r.endX, 17996.25);
  EXPECT_EQ(r.endY, 0);
}

TEST(PairRecord, SteepRisingBisectorRunsFromTopToBottomEdge) {
  const PairRecord r = recordFor(100, 200, 300, 150);
  EXPECT_EQ(r.pairSlope, -0.25);
  EXPECT_EQ(r.m1, 4);
  EXPECT_EQ(r.midY, 10335.0f);
  EXPECT_EQ(r.c1, -51265);
  EXPECT_EQ(r.startX, 12816.25);
  EXPECT_EQ(r.startY, 0);
  EXPECT_EQ(r.yAtBoxW, 70335);
  EXPECT_EQ(r.endX, 17896.25);
  EXPECT_EQ(r.endY, 20320);
}

TEST(PairRecord, BisectorsThroughCornersFallToTheTopAndBottomCases) {
  const RecordingForm form;
  // y = x: c1 = 0 is not inside the open left edge, so the start is the top-left corner.
  geometry::Bisector through00{-1, 1, 0, 0, 0, 1};
  PairRecord r = pairRecord(through00, form);
  EXPECT_EQ(r.startX, 0);
  EXPECT_EQ(r.startY, 0);
  // y = boxH - x: starts at the bottom-left corner and ends at the top edge's x = boxH.
  geometry::Bisector through0H{1, -1, 0, 0, 20320, 1};
  r = pairRecord(through0H, form);
  EXPECT_EQ(r.startX, 0);
  EXPECT_EQ(r.startY, 20320);
  EXPECT_EQ(r.endX, 20320);
  EXPECT_EQ(r.endY, 0);
  // y = (x - boxW) * -0.5: reaches 0 exactly at x = boxW, so it ends in the top-right corner.
  geometry::Bisector throughW0{2, -0.5, 0, 0, 15200, 1};
  r = pairRecord(throughW0, form);
  EXPECT_EQ(r.yAtBoxW, 0);
  EXPECT_EQ(r.endX, 30400);
  EXPECT_EQ(r.endY, 0);
}

TEST(PairRecord, MidpointSumIsRoundedToSinglePrecisionBeforeHalving) {
  // 10,360.0009765625 + 10,361 lies halfway between two floats and rounds to the even one.
  const geometry::Bisector b = bisectorOf(15300, 10360.0009765625f, 15350, 10361.0f);
  EXPECT_EQ(b.midY, 10360.5f);
}

}  // namespace
