#include "run/run_procedure.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <vector>

#include "geometry/window_frame.h"
#include "run/site_generation.h"
#include "support/recording_canvas.h"

using geometry::kWindowFrame;
using testing_support::RecordingCanvas;

namespace {

constexpr float kLargestDraw = 1.0f - 0x1p-24f;

// Hands out the given draws, then 0.01, 0.02, ..., and logs each draw and the seeding into
// the form's call log, so that their order against the drawing shows.
class ScriptedRandom final : public app::RandomSource {
 public:
  ScriptedRandom(RecordingCanvas& form, std::vector<float> draws)
      : form_(form), draws_(std::move(draws)) {}
  std::uint32_t randomize() override {
    form_.calls.push_back("randomize");
    return 7;
  }
  float next() override {
    form_.calls.push_back("draw");
    const std::size_t n = drawn_++;
    return n < draws_.size() ? draws_[n] : 0.01f * static_cast<float>(n - draws_.size() + 1);
  }
  std::size_t drawn_ = 0;

 private:
  RecordingCanvas& form_;
  std::vector<float> draws_;
};

std::string joined(const std::vector<std::string>& calls, std::size_t count) {
  return std::accumulate(calls.begin() + 1, calls.begin() + static_cast<long>(count), calls[0],
                         [](const std::string& a, const std::string& b) { return a + ", " + b; });
}

TEST(RunProcedure, SmallestAndLargestDrawsBoundTheColourLabelAndCount) {
  RecordingCanvas low, high;
  ScriptedRandom zeros(low, {0, 0, 0, 0, 0, 0});
  ScriptedRandom largest(high,
                         {kLargestDraw, kLargestDraw, kLargestDraw, 0.5f, 0.5f, kLargestDraw});
  EXPECT_EQ(app::runProcedure(low, zeros, std::nullopt).nSites, 4);
  EXPECT_EQ(app::runProcedure(high, largest, std::nullopt).nSites, 49);
  EXPECT_EQ(low.penColour(), app::rgb(122, 222, 222));
  EXPECT_EQ(high.penColour(), app::rgb(244, 244, 244));
  // The label's spot: x in [0, 760 - 380), y in [40, 190).
  EXPECT_EQ(low.labelPoints.front(), (std::pair{0.0f, 40.0f}));
  EXPECT_EQ(high.labelPoints.front(), (std::pair{190.0f, 115.0f}));
  ASSERT_GT(low.calls.size(), 12u);
  ASSERT_GT(high.calls.size(), 12u);
  EXPECT_EQ(low.calls[12], "print N= 4");
  EXPECT_EQ(high.calls[12], "print N= 49");
  EXPECT_EQ(app::labelText(-5), "N=-5");
}

TEST(RunProcedure, ShowsSeedsDrawsLabelsMarksThenDrawsEdgesWithoutFurtherDraws) {
  RecordingCanvas form;
  ScriptedRandom random(
      form, {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0, 0.1f, 0.2f, 0.9f, 0.3f, 0.4f, 0.8f, 0.7f, 0.6f});
  app::runProcedure(form, random, std::nullopt);
  const std::string start =
      "show, randomize, refresh, draw, draw, draw, penColour " +
      std::to_string(app::rgb(183, 233, 233)) +
      ", draw, draw, draw, fontSize 20, labelPoint, print N= 4, draw, draw, circle, draw, draw, "
      "circle, draw, draw, circle, draw, draw, circle";
  ASSERT_GT(form.calls.size(), 25u);
  EXPECT_EQ(joined(form.calls, 25), start);
  EXPECT_EQ(random.drawn_, 14u);
  for (std::size_t n = 25; n < form.calls.size(); ++n) {
    EXPECT_EQ(form.calls[n], n % 2 == 1 ? "voronoi" : "delaunay");
  }
}

TEST(SiteGeneration, PlacesSitesInsideTheMarginMarksThemAndShiftsThem) {
  RecordingCanvas form;
  form.setPenColour(app::rgb(200, 230, 240));
  ScriptedRandom random(form, {0, 0, kLargestDraw, kLargestDraw});
  geometry::SiteColumns sites;
  sites.nSites = 2;
  app::generateSites(form, random, sites);
  ASSERT_EQ(form.circles.size(), 2u);
  EXPECT_EQ((std::array{form.circles[0].x, form.circles[0].y, form.circles[0].radius}),
            (std::array{25.0f, 25.0f, 3.0f}));
  EXPECT_EQ(form.circles[0].colour, app::rgb(200, 230, 240));
  // The margin is measured on the outer size, 760 x 508 pixels.
  EXPECT_LT(form.circles[1].x, 735);
  EXPECT_LT(form.circles[1].y, 483);
  EXPECT_EQ(sites.x(1), 25 + kWindowFrame.offsetX());
  EXPECT_EQ(sites.y(1), 25 + kWindowFrame.offsetY());
  EXPECT_EQ(sites.x(2), static_cast<double>(kLargestDraw) * 710 + 25 +
                            static_cast<double>(kWindowFrame.offsetX()));
}

TEST(SiteGeneration, DrawsASiteAgainWhenItsStoredXOrYRepeatsAnEarlierOne) {
  // Site 2 first repeats site 1's x; then its y differs before the shift (254 and
  // 254.0000305) but not after it (both 10,414 in single precision); the third try is kept.
  RecordingCanvas form;
  ScriptedRandom random(form, {0.5f, 0.5f, 0.5f, 0.25f, 0.25f, 0.5f + 0x1p-24f, 0.75f, 0.75f});
  geometry::SiteColumns sites;
  sites.nSites = 2;
  app::generateSites(form, random, sites);
  EXPECT_EQ(random.drawn_, 8u);
  ASSERT_EQ(form.circles.size(), 2u);
  EXPECT_EQ(form.circles[1].x, 0.75f * 710 + 25);
  EXPECT_NE(sites.y(1), sites.y(2));
}

}  // namespace
