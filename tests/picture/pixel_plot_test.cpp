#include "picture_output/pixel_plot.h"

#include <gtest/gtest.h>

#include <QImage>

#include "support/qt_printers.h"

namespace {

constexpr QRgb kInk = 0xFFFFFFFF;

// A fixed drawing of the cases the plotting must get right: lines in every octant, a line of
// length zero, lines with ends far outside the image, a line along the border, and circles
// of the site and ring radii, one cut by the border.
QImage fixedDrawing() {
  QImage image(64, 48, QImage::Format_RGB32);
  image.fill(Qt::black);
  const double lines[][4] = {{2.5, 2.5, 30.5, 9.5},    {30.5, 12.5, 2.5, 19.5},
                             {4.5, 46.5, 9.5, 22.5},   {12.5, 22.5, 17.5, 46.5},
                             {40.5, 40.5, 40.5, 40.5}, {-5000, 30, 5000, 44},
                             {63.2, -900, 63.2, 900},  {20, -1e6, 1e6, 20}};
  for (const auto& l : lines) {
    app::plotLine(image, l[0], l[1], l[2], l[3], kInk);
  }
  app::plotCircle(image, 45.5, 14.5, 3, kInk);
  app::plotCircle(image, 52.25, 26.75, 6, kInk);
  app::plotCircle(image, 1, 40, 3, kInk);
  return image;
}

// The drawing matches a golden image kept as a PNG, compared by its decoded pixels. Set
// VD_UPDATE_GOLDEN to write it anew (and look at it before committing it).
TEST(PixelPlot, DrawsTheFixedDrawingOfTheGoldenImage) {
  const QImage drawn = fixedDrawing();
  const QString golden = QStringLiteral(VD_GOLDEN_DIR "/pixel-plot.png");
  if (qEnvironmentVariableIsSet("VD_UPDATE_GOLDEN")) {
    ASSERT_TRUE(drawn.save(golden));
  }
  EXPECT_EQ(drawn, QImage(golden).convertToFormat(QImage::Format_RGB32));
}

// Pixels worked out by hand: a horizontal line covers the pixels of both ends and those
// between; a point is its one pixel; a circle of radius 3 about a pixel centre takes the
// pixels 3 away on the axes and leaves its centre and the diagonal corners.
TEST(PixelPlot, CoversTheEndsAndTheOutlineWorkedOutByHand) {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(Qt::black);
  app::plotLine(image, 1.5, 1.5, 6.9, 1.2, kInk);
  for (int x = 0; x < 16; ++x) {
    EXPECT_EQ(image.pixel(x, 1) == kInk, x >= 1 && x <= 6) << x;
  }
  app::plotLine(image, 12.5, 3.5, 12.5, 3.5, kInk);
  EXPECT_EQ(image.pixel(12, 3), kInk);
  app::plotCircle(image, 8.5, 10.5, 3, kInk);
  for (const auto& [x, y] : {std::pair{11, 10}, {5, 10}, {8, 13}, {8, 7}}) {
    EXPECT_EQ(image.pixel(x, y), kInk) << x << ", " << y;
  }
  for (const auto& [x, y] : {std::pair{8, 10}, {11, 13}, {5, 7}}) {
    EXPECT_NE(image.pixel(x, y), kInk) << x << ", " << y;
  }
}

}  // namespace
