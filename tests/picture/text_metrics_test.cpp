#include "picture/text_metrics.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <string>

#include "explanation/lesson.h"
#include "geometry/dist.h"
#include "geometry/window_frame.h"
#include "picture_output/picture_painter.h"
#include "run/run.h"

namespace {

// The font's table measures text as Qt shapes it with the font itself: every character,
// every pair and the joined glyphs in every context, at every size from 6 to 64 pixels
// (the pictures use 11, 21, 27 and 53), and every line the lessons of a few runs print.
// Should the font change, tools/font_table_maker.cpp makes the table anew.
TEST(TextMetrics, MeasureTextAsQtShapesTheFont) {
  std::vector<std::string> texts;
  for (char a = app::kFirstTableCharacter; a <= app::kLastTableCharacter; ++a) {
    for (char b = app::kFirstTableCharacter; b <= app::kLastTableCharacter; ++b) {
      texts.push_back({a, b});
    }
  }
  const std::string near = " filVAT.-1";  // the joining letters and some that kern
  for (const char a : near) {
    for (const char b : near) {
      for (const char c : near) {
        for (const char d : std::string("fil ")) {
          texts.push_back({a, b, c, d});
        }
      }
    }
  }
  for (std::uint32_t seed = 1; seed <= 3; ++seed) {
    const app::RunResult run = app::runDemonstration({seed, std::nullopt});
    const geometry::SiteColumns& sites = *run.sites;
    for (int j = 2; j <= sites.nSites; j += 5) {
      const app::Lesson lesson =
          app::lessonOf(geometry::explainPair(geometry::kWindowFrame, sites, 1, j), sites);
      for (const app::LessonLevel level : {app::LessonLevel::Overview, app::LessonLevel::Detail}) {
        for (std::size_t n = 0; n < lesson.count(level); ++n) {
          texts.push_back(app::stepLine(lesson, level, n));
        }
      }
    }
  }
  for (int points = 5; points <= 48; ++points) {
    const int pixels = app::labelPixelSize(points);
    const QFontMetricsF metrics(app::labelFont(points));
    ASSERT_EQ(app::labelFont(points).pixelSize(), pixels);
    const app::FontHeights heights = app::fontHeights(pixels);
    EXPECT_EQ(heights.ascent, metrics.ascent()) << pixels << " px";
    EXPECT_EQ(heights.descent, metrics.descent()) << pixels << " px";
    EXPECT_EQ(heights.height, metrics.height()) << pixels << " px";
    EXPECT_EQ(heights.height, metrics.lineSpacing()) << pixels << " px";
    int wrong = 0;
    for (const std::string& text : texts) {
      const double qt = metrics.horizontalAdvance(QString::fromStdString(text));
      if (!geometry::exactlyEqual(app::textAdvance(text, pixels), qt) && ++wrong <= 5) {
        ADD_FAILURE() << pixels << " px, \"" << text << "\": " << app::textAdvance(text, pixels)
                      << " against Qt's " << qt;
      }
    }
  }
}

}  // namespace
