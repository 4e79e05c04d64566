#include "app/load_procedure.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/colour.h"
#include "app/frm_ovra.h"
#include "app/picture_file.h"
#include "app/picture_painter.h"
#include "app/site_generation.h"
#include "support/recording_form.h"

using testing_support::RecordingForm;

namespace {

constexpr float kLargestDraw = 1.0f - 0x1p-24f;

// Hands out the given draws, then those of `more` (numbered from 0), and logs each draw
// and the seeding into the form's call log so that their order against the drawing shows.
class ScriptedRandom final : public app::RandomSource {
 public:
  ScriptedRandom(
      RecordingForm& form, std::vector<float> draws,
      std::function<float(int)> more = [](int n) { return 0.01f * static_cast<float>(n + 1); })
      : form_(form), draws_(std::move(draws)), more_(std::move(more)) {}
  std::uint32_t randomize() override {
    form_.calls.push_back("randomize");
    return 7;
  }
  float next() override {
    form_.calls.push_back("draw");
    const std::size_t n = drawn_++;
    return n < draws_.size() ? draws_[n] : more_(static_cast<int>(n - draws_.size()));
  }
  std::size_t drawn_ = 0;

 private:
  RecordingForm& form_;
  std::vector<float> draws_;
  std::function<float(int)> more_;
};

TEST(LoadProcedure, SmallestDrawsGiveTheLowestColourCountAndLabelSpot) {
  RecordingForm form;
  ScriptedRandom random(form, {0, 0, 0, 0, 0, 0});
  const app::RunSummary summary = app::runLoadProcedure(form, random);
  EXPECT_EQ(form.foreColor(), app::rgb(122, 222, 222));
  EXPECT_EQ(summary.nSites, 4);
  EXPECT_EQ(form.lines.front(),
            (testing_support::RecordedLine{geometry::LineFlags::PenColour, 0, 40, 0, 40, 0}));
  EXPECT_EQ(form.calls[12], "print N= 4");
}

TEST(LoadProcedure, LargestDrawsGiveTheHighestColourAndCount) {
  RecordingForm form;
  ScriptedRandom random(form, {kLargestDraw, kLargestDraw, kLargestDraw, 0.5f, 0.5f, kLargestDraw});
  const app::RunSummary summary = app::runLoadProcedure(form, random);
  EXPECT_EQ(form.foreColor(), app::rgb(244, 244, 244));
  EXPECT_EQ(summary.nSites, 49);
  EXPECT_EQ(form.lines.front().x1, 0.5f * (760 - 380));
  EXPECT_EQ(form.lines.front().y1, 0.5f * 150 + 40);
  EXPECT_EQ(form.calls[12], "print N= 49");
}

TEST(LoadProcedure, ShowsSeedsDrawsLabelsMarksThenDrawsEdgesWithoutFurtherDraws) {
  RecordingForm form;
  ScriptedRandom random(form, {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0}, [](int n) {
    return std::vector{0.1f, 0.2f, 0.9f, 0.3f, 0.4f, 0.8f, 0.7f, 0.6f}[n];
  });
  app::runLoadProcedure(form, random);
  const std::vector<std::string> start{"show",
                                       "randomize",
                                       "refresh",
                                       "draw",
                                       "draw",
                                       "draw",
                                       "foreColor " + std::to_string(app::rgb(183, 233, 233)),
                                       "draw",
                                       "draw",
                                       "draw",
                                       "fontSize 20",
                                       "line 4",
                                       "print N= 4",
                                       "draw",
                                       "draw",
                                       "circle",
                                       "draw",
                                       "draw",
                                       "circle",
                                       "draw",
                                       "draw",
                                       "circle",
                                       "draw",
                                       "draw",
                                       "circle"};
  ASSERT_GT(form.calls.size(), start.size());
  EXPECT_EQ(std::vector(form.calls.begin(), form.calls.begin() + static_cast<long>(start.size())),
            start);
  EXPECT_EQ(random.drawn_, 14u);
  for (std::size_t n = start.size(); n < form.calls.size(); ++n) {
    EXPECT_EQ(form.calls[n], (n - start.size()) % 2 == 0 ? "line 6" : "line 4");
  }
  EXPECT_EQ(app::labelText(23), "N= 23");
  EXPECT_EQ(app::labelText(-5), "N=-5");
}

TEST(SiteGeneration, PlacesSitesInsideTheMarginMarksThemAndShiftsThem) {
  RecordingForm form;
  form.setForeColor(app::rgb(200, 230, 240));
  ScriptedRandom random(form, {0, 0, kLargestDraw, kLargestDraw});
  geometry::SiteColumns sites;
  sites.nSites = 2;
  app::generateSites(form, random, sites);
  ASSERT_EQ(form.circles.size(), 2u);
  EXPECT_EQ(form.circles[0].x, 25);
  EXPECT_EQ(form.circles[0].y, 25);
  EXPECT_EQ(form.circles[0].radius, 3);
  EXPECT_EQ(form.circles[0].colour, app::rgb(200, 230, 240));
  EXPECT_LT(form.circles[1].x, 735);  // 760 - 25 pixels: the margin is measured on the outer size
  EXPECT_LT(form.circles[1].y, 483);  // 508 - 25
  EXPECT_EQ(sites.siteX(0), 15225);
  EXPECT_EQ(sites.siteY(0), 10185.0f);
  EXPECT_EQ(sites.siteX(1), static_cast<double>(kLargestDraw) * 710 + 25 + 15200);
}

TEST(SiteGeneration, DrawsASiteAgainWhenItsStoredXOrYRepeatsAnEarlierOne) {
  // Site 2 first repeats site 1's x; then its y differs before the shift (254 and
  // 254.0000305) but not after it (both 10,414 in single precision); the third try is kept.
  RecordingForm form;
  ScriptedRandom random(form, {0.5f, 0.5f, 0.5f, 0.25f, 0.25f, 0.5f + 0x1p-24f, 0.75f, 0.75f});
  geometry::SiteColumns sites;
  sites.nSites = 2;
  app::generateSites(form, random, sites);
  EXPECT_EQ(random.drawn_, 8u);
  ASSERT_EQ(form.circles.size(), 2u);
  EXPECT_EQ(form.circles[1].x, 0.75f * 710 + 25);
  EXPECT_NE(sites.siteX(0), sites.siteX(1));
  EXPECT_NE(sites.siteY(0), sites.siteY(1));
}

TEST(Window, ShowsTheRecordedPictureOnEveryPaint) {
  app::FrmOvra window;
  EXPECT_EQ(window.windowTitle(), "frmOvra1");
  EXPECT_EQ(window.form().width(), 11400);
  EXPECT_EQ(window.form().height(), 7620);
  app::Random random(42);
  app::runLoadProcedure(window.form(), random);
  const QImage first = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage second = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(first.size(), QSize(753, 475));
  EXPECT_EQ(first, second);
  EXPECT_EQ(first, app::renderPicture(window.picture(), 753, 475, 1));
  // The leftmost point of a site's circle is drawn in the pen colour.
  const auto& circle = std::get<app::CircleItem>(window.picture().at(2));
  const QColor pen = app::toQColor(window.form().foreColor());
  bool penAtCircle = false;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const QPoint p(static_cast<int>(circle.x - 3) + dx, static_cast<int>(circle.y) + dy);
      penAtCircle = penAtCircle || first.pixelColor(p) == pen;
    }
  }
  EXPECT_TRUE(penAtCircle);
}

}  // namespace
