#include <gtest/gtest.h>

#include <QTest>

#include "app/explanation_picture.h"
#include "app/frm_ovra.h"
#include "app/load_procedure.h"
#include "app/picture_file.h"
#include "app/picture_painter.h"
#include "app/window_size.h"
#include "geometry/pair_account.h"

namespace {

QImage grabbed(QWidget& window) {
  return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage rendered(const app::Picture& picture) {
  return app::renderPicture(picture, app::kClientWidth, app::kClientHeight, 1);
}

TEST(Window, ShowsTheRecordedPictureOnEveryPaint) {
  app::FrmOvra window;
  EXPECT_EQ(window.windowTitle(), "frmOvra1");
  EXPECT_EQ(window.form().width(), 11400);  // (753 + 7) x 15 twips
  EXPECT_EQ(window.form().height(), 7620);  // (475 + 33) x 15 twips
  app::Random random(42);
  app::runLoadProcedure(window.form(), random);
  const QImage first = grabbed(window);
  EXPECT_EQ(first.size(), QSize(app::kClientWidth, app::kClientHeight));
  EXPECT_EQ(first, grabbed(window));
  EXPECT_EQ(first, rendered(window.picture()));
  // The leftmost point of the first site's circle is in the pen colour.
  const auto& circle = std::get<app::CircleItem>(window.picture().at(2));
  const QColor pen = app::toQColor(window.form().foreColor());
  int penPixels = 0;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const QPoint p(static_cast<int>(circle.x - 3) + dx, static_cast<int>(circle.y) + dy);
      penPixels += first.pixelColor(p) == pen ? 1 : 0;
    }
  }
  EXPECT_GT(penPixels, 0);
}

// E shows the explanation of pair 1-2; the arrows step through the pairs in scan order,
// round the ends; two clicked sites pick their pair; Escape brings back the run's picture.
TEST(Window, ExplainsThePairsChosenWithKeysAndClicks) {
  app::FrmOvra window;
  app::Random random(42);
  const app::RunSummary run = app::runLoadProcedure(window.form(), random);
  window.setRun(*run.sites);
  const app::Picture normal = window.picture();
  const auto expectPair = [&](int i, int j) {
    const auto account = geometry::explainPair(window.form(), *run.sites, i, j);
    EXPECT_EQ(grabbed(window), rendered(app::explanationPicture(normal, account, *run.sites)))
        << "expected pair " << i << "-" << j;
  };
  QTest::keyClick(&window, Qt::Key_E);
  expectPair(1, 2);
  QTest::keyClick(&window, Qt::Key_Right);
  expectPair(1, 3);
  QTest::keyClick(&window, Qt::Key_Left);
  QTest::keyClick(&window, Qt::Key_Left);
  expectPair(38, 39);
  QTest::keyClick(&window, Qt::Key_Right);
  expectPair(1, 2);
  const auto click = [&](int site) {
    const app::SitePosition p = run.positions[static_cast<std::size_t>(site - 1)];
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(qRound(p.x), qRound(p.y)));
  };
  click(7);
  click(1);
  expectPair(1, 7);
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_EQ(grabbed(window), rendered(normal));
  EXPECT_EQ(window.picture().size(), normal.size()) << "the run's picture changed";
}

}  // namespace
