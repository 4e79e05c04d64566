#include "document/last_layout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "run/site_list.h"
#include "support/pictures.h"
#include "window/main_window.h"

namespace {

using testing_support::contents;

// The layout kept as the last one, as read back from its file.
app::SitePositions keptSites() {
  return app::parseSites(contents(app::lastLayoutFile()).toStdString()).sites;
}

// Answers the next box the window asks with `button`.
void answerNextBox(QMessageBox::StandardButton button) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, button] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      box->button(button)->click();
      timer->deleteLater();
    }
  });
  timer->start(10);
}

// Every change is kept at once: a drag by its last step once the button is released, and
// by the step it has reached while it goes on. A new window brings the layout back with
// Ctrl+Shift+O; closing with edits never saved asks first, and a saved layout closes at once.
TEST(LastLayout, IsKeptAfterEveryChangeAndClosingAsksBeforeLosingEdits) {
  app::MainWindow window;
  window.document().start({42, std::nullopt});
  window.show();
  EXPECT_TRUE(window.close()) << "an untouched layout closes at once";
  window.show();
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(700, 20));
  EXPECT_EQ(keptSites(), window.document().layout().sites);
  QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(700, 20));
  for (int step = 1; step <= 30; ++step) {
    QTest::mouseMove(&window, QPoint(700 - step, 20 + step));
  }
  QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(670, 50));
  EXPECT_EQ(keptSites(), window.document().layout().sites);

  // A drag that goes on is kept while the button is still down, once a second.
  QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(670, 50));
  QTest::mouseMove(&window, QPoint(600, 90));
  const app::SitePositions dragged = window.document().layout().sites;
  EXPECT_TRUE(QTest::qWaitFor([&] { return keptSites() == dragged; }, 5000));
  EXPECT_TRUE(window.document().dragging());
  QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(600, 90));

  app::MainWindow restarted;
  restarted.document().start({7, std::nullopt});
  restarted.show();
  restarted.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&restarted));
  QTest::keyClick(&restarted, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(restarted.document().layout(), window.document().layout());

  answerNextBox(QMessageBox::Cancel);
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  answerNextBox(QMessageBox::Discard);
  EXPECT_TRUE(window.close());
  QTemporaryDir dir;
  ASSERT_EQ(restarted.document().saveSiteList(dir.filePath("kept.txt")), QString());
  EXPECT_TRUE(restarted.close()) << "a saved layout closes at once";
}

// Run only by the test below, in a process of its own: edits a layout and waits to be
// killed.
TEST(LastLayout, EditsAndWaitsToBeKilled) {
  if (qEnvironmentVariableIsEmpty("VD_KILL_CHILD")) {
    GTEST_SKIP() << "the child process of KeepsEditsThroughAKill";
  }
  app::MainWindow window;
  window.document().start({42, std::nullopt});
  window.show();
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(700, 20));
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(40, 400));
  std::puts("edited");
  std::fflush(stdout);
  QTest::qWait(60000);
}

TEST(LastLayout, KeepsEditsThroughAKill) {
  QTemporaryDir state;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("VD_KILL_CHILD", "1");
  environment.insert("XDG_STATE_HOME", state.path());
  QProcess child;
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=LastLayout.EditsAndWaitsToBeKilled"});
  while (!child.readAllStandardOutput().contains("edited")) {
    ASSERT_TRUE(child.waitForReadyRead(30000)) << "the child never edited";
  }
  child.kill();  // SIGKILL: nothing of the program runs after it
  child.waitForFinished();
  EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

  app::SitePositions expected = app::runDemonstration({42, std::nullopt}).layout.sites;
  expected.push_back({700, 20});
  expected.push_back({40, 400});
  const auto kept =
      app::parseSites(contents(state.filePath("voronoi-delaunay/last-layout.txt")).toStdString());
  EXPECT_EQ(kept.sites, expected);
  EXPECT_EQ(kept.seed, 42u);
}

}  // namespace
