#include "picture/picture_style.h"

#include <gtest/gtest.h>

#include "explanation/exact_layer.h"
#include "explanation/explanation_picture.h"
#include "geometry/window_frame.h"
#include "run/run.h"
#include "steps/literal_steps.h"

namespace {

using app::PictureStyle;

// The WCAG 2 formula on the pairs its own documents work out (black and white 21:1, pure
// red on black 5.25:1, the grey #777777 on white 4.48:1); then every colour of every kind
// of picture the program draws, in the projector style: each line, circle and box border
// at least 4.5:1 against the black, each text 7:1, every box on black. The run's pen
// colours are random; 300 seeds take them from the darkest to the lightest. The pure red
// of the Voronoi edges is kept: it has the contrast already.
TEST(PictureStyle, TheProjectorStyleHasTheContrastOfEveryColourTheProgramDraws) {
  EXPECT_DOUBLE_EQ(app::contrastRatio(app::rgb(255, 255, 255), app::rgb(0, 0, 0)), 21);
  EXPECT_NEAR(app::contrastRatio(app::kVoronoiRed, app::rgb(0, 0, 0)), 5.252, 0.001);
  EXPECT_NEAR(app::contrastRatio(app::rgb(0x77, 0x77, 0x77), app::rgb(255, 255, 255)), 4.48, 0.005);

  std::vector<app::Picture> pictures;  // in the projector style
  app::RunRequest request;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    request.seed = seed;
    pictures.push_back(
        app::styledPicture(app::runDemonstration(request).picture, PictureStyle::Projector));
  }
  request.seed = 42;
  const app::RunResult run = app::runDemonstration(request);
  const app::Lesson lesson =
      app::lessonOf(geometry::explainPair(geometry::kWindowFrame, *run.sites, 1, 7), *run.sites);
  for (std::size_t step = 0; step < lesson.steps.size(); ++step) {
    pictures.push_back(
        app::lessonStepPicture(run.picture, lesson, step, *run.sites, PictureStyle::Projector));
  }
  pictures.push_back(app::questionPicture(run.picture, lesson.account.pair, 1, 7, *run.sites,
                                          PictureStyle::Projector));
  pictures.push_back(app::styledPicture(app::exactLayerPicture(*run.sites, {{1, 7}, {2, 3}}),
                                        PictureStyle::Projector));

  double leastLine = 21, leastText = 21;
  bool redKept = false;
  for (const app::Picture& picture : pictures) {
    for (const app::PictureItem& item : picture) {
      std::visit(
          [&](const auto& shape) {
            using Shape = std::decay_t<decltype(shape)>;
            if constexpr (std::is_same_v<Shape, app::TextItem>) {
              leastText = std::min(leastText, app::contrastRatio(shape.colour, 0));
            } else if constexpr (std::is_same_v<Shape, app::RectItem>) {
              EXPECT_EQ(shape.fill, 0u);
              leastLine = std::min(leastLine, app::contrastRatio(shape.border, 0));
            } else {
              leastLine = std::min(leastLine, app::contrastRatio(shape.colour, 0));
              redKept = redKept || shape.colour == app::kVoronoiRed;
            }
          },
          item);
    }
  }
  EXPECT_GE(leastLine, app::kLineContrast);
  EXPECT_GE(leastText, app::kTextContrast);
  EXPECT_TRUE(redKept);
}

// Lightness as greyscale prints it, CIE L*: white, black and the grey #767676, whose L* is
// 49.6; a colour moved to a lightness keeps its hue's order of channels.
TEST(PictureStyle, LightnessIsCieLightness) {
  EXPECT_NEAR(app::lightnessOf(app::rgb(255, 255, 255)), 100, 0.01);
  EXPECT_NEAR(app::lightnessOf(app::rgb(0, 0, 0)), 0, 0.01);
  EXPECT_NEAR(app::lightnessOf(app::kPrintGround), 49.6, 0.1);
  for (const double lightness : {0.0, 12.4, 37.2, 80.0}) {
    const app::Colour moved = app::withLightness(app::rgb(70, 120, 210), lightness);
    EXPECT_NEAR(app::lightnessOf(moved), lightness, 1.0);
    EXPECT_LE(app::redOf(moved), app::blueOf(moved));
  }
}

}  // namespace
