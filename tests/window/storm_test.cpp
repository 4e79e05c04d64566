#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTimer>
#include <random>

#include "support/pictures.h"
#include "support/qt_printers.h"
#include "window/main_window.h"

namespace {

using testing_support::pictureOf;
using testing_support::rendered;

// The number of events, unless VD_STORM_EVENTS sets it.
#ifdef VD_SANITIZE
constexpr int kEvents = 2000;
#else
constexpr int kEvents = 20000;
#endif

// A storm of random events from a fixed seed, as a restless user makes them: clicks, drags
// that leave the window, removals, new runs, undo and redo, pastes of good and bad site
// lists, the explanation and its stepping, layer keys, resizes. Every 100
// events the window holds the picture of its layout and shows it with its shown layers; at
// the end, undoing everything brings back the first picture.
TEST(Storm, TheWindowAlwaysShowsThePictureOfItsLayout) {
  std::mt19937 random(2026);
  const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  app::MainWindow window;
  window.document().setNewRunSeeds([&] { return static_cast<std::uint32_t>(random()); });
  window.document().start({42, std::nullopt});
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const app::Picture first = window.picture();
  QTimer closer;  // a box that a bad paste opens is closed at once
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal->close();
    }
  });
  closer.start(5);

  app::ShownLayers layers;  // what the layer keys should have left shown
  const auto randomPoint = [&] { return QPoint(below(800) - 20, below(530) - 20); };
  const auto siteOrPoint = [&] {
    const auto& sites = window.document().layout().sites;
    if (sites.empty() || below(2) == 0) {
      return randomPoint();
    }
    const app::SitePosition& site =
        sites[static_cast<std::size_t>(below(static_cast<int>(sites.size())))];
    return QPoint(static_cast<int>(site.x), static_cast<int>(site.y));
  };
  const int events = qEnvironmentVariableIsSet("VD_STORM_EVENTS")
                         ? qEnvironmentVariableIntValue("VD_STORM_EVENTS")
                         : kEvents;
  for (int n = 1; n <= events; ++n) {
    // A closed box can leave the window inactive; a person clicks it back.
    if (!window.isActiveWindow()) {
      window.activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    switch (below(10)) {
      case 0:
        QTest::mouseClick(&window, Qt::LeftButton, {}, siteOrPoint());
        break;
      case 2: {
        const QPoint from = siteOrPoint();
        QTest::mousePress(&window, Qt::LeftButton, {}, from);
        QPoint at = from;
        for (int step = below(6); step >= 0; --step) {
          at = randomPoint() + QPoint(below(2) ? 900 : 0, 0);  // sometimes far outside
          QTest::mouseMove(&window, at);
        }
        QTest::mouseRelease(&window, Qt::LeftButton, {}, at);
        break;
      }
      case 3:
        QTest::mouseMove(&window, siteOrPoint());
        QTest::keyClick(&window, below(2) ? Qt::Key_Delete : Qt::Key_Backspace);
        break;
      case 4:  // undo or redo, now and then new sites
        if (below(8) == 0) {
          QTest::keyClick(&window, Qt::Key_Space);
        } else {
          QTest::keyClick(&window, Qt::Key_Z,
                          below(2) ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        }
        break;
      case 5: {
        QString text;
        for (int line = below(6); line >= 0; --line) {
          text += below(5) == 0 ? QStringLiteral("%1 x\n").arg(below(999))
                                : QStringLiteral("%1 %2\n").arg(below(760)).arg(below(508));
        }
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(&window, Qt::Key_V, Qt::ControlModifier);
        break;
      }
      case 6:
        QTest::keyClick(
            &window, std::array{Qt::Key_E, Qt::Key_Right, Qt::Key_Left, Qt::Key_Escape}[below(4)]);
        break;
      case 7: {
        const app::LayerInfo& layer = app::kHideableLayers[static_cast<std::size_t>(below(4))];
        QTest::keyClick(&window, layer.key);
        layers.toggle(layer.layer);
        break;
      }
      case 8:
        window.resize(below(2) ? QSize(400 + below(800), 300 + below(600)) : QSize(753, 475));
        break;
      default:
        QTest::mouseMove(&window, randomPoint());
        break;
    }
    if (n % 100 != 0) {
      continue;
    }
    const app::Layout& layout = window.document().layout();
    ASSERT_TRUE(window.picture() == pictureOf(layout.seed, layout.sites)) << "after event " << n;
    if (!window.action(app::ActionId::Explain)->isChecked()) {
      ASSERT_TRUE(window.shownPicture() == app::visibleItems(window.picture(), layers))
          << "after event " << n;
      if (window.size() == QSize(753, 475)) {
        ASSERT_TRUE(window.grab().toImage().convertToFormat(QImage::Format_RGB32) ==
                    rendered(window.shownPicture()))
            << "after event " << n;
      }
    }
  }
  while (window.document().history().canUndo()) {
    window.document().history().undo();
  }
  EXPECT_EQ(window.picture(), first);
  window.document().history().clear();  // nothing to ask about when the window closes
}

}  // namespace
