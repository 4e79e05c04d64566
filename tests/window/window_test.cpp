#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <set>

#include "exercises/exercise.h"
#include "explanation/delaunay_proof.h"
#include "explanation/exact_layer.h"
#include "explanation/explanation_picture.h"
#include "explanation/quiz.h"
#include "geometry/dist.h"
#include "picture/picture_style.h"
#include "picture_output/picture_file.h"
#include "picture_output/picture_painter.h"
#include "run/accepted_sites.h"
#include "run/site_list.h"
#include "steps/literal_steps.h"
#include "support/pictures.h"
#include "support/programs.h"
#include "support/qt_printers.h"
#include "window/main_window.h"
#include "window/picture_fit.h"

namespace {

QImage grabbed(QWidget& window) {
  return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

using testing_support::rendered;

// Counts the paint events a widget gets.
class PaintCounter final : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    paints += event->type() == QEvent::Paint ? 1 : 0;
    return false;
  }
};

// Whether the window paints again by itself after `act`, as a screen shows it: no grab
// forces the paint.
template <class Act>
bool repaintsAfter(QWidget& window, Act act) {
  QCoreApplication::processEvents();
  const PaintCounter counter(window);
  act();
  QCoreApplication::processEvents();
  return counter.paints > 0;
}

// A window showing the run of seed 42, and the steps a person takes in it.
class WindowTest : public ::testing::Test {
 protected:
  // The run shows the window; it is made active so that its shortcuts take keys.
  WindowTest() {
    window.document().start({42, std::nullopt});
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  const app::Layout& layout() { return window.document().layout(); }
  QPoint at(std::size_t site) {
    const app::SitePosition p = layout().sites[site];
    return {qRound(p.x), qRound(p.y)};
  }
  // The window shows exactly the picture of the layout.
  void expectShows(const app::Layout& expected, const char* step) {
    EXPECT_EQ(layout(), expected) << step;
    EXPECT_EQ(grabbed(window), rendered(testing_support::pictureOf(expected.seed, expected.sites)))
        << step;
  }

  app::MainWindow window;
};

// The picture of pair (i, j)'s lesson at a level, at its last step or at `step`.
app::Picture lessonPicture(const app::Picture& normal, const geometry::SiteColumns& sites, int i,
                           int j, app::LessonLevel level, std::optional<std::size_t> step = {}) {
  const app::Lesson lesson =
      app::lessonOf(geometry::explainPair(geometry::kWindowFrame, sites, i, j), sites);
  return app::levelStepPicture(normal, lesson, level, step.value_or(lesson.count(level) - 1),
                               sites);
}

// E shows the explanation of pair 1-2 at its overview's result; the arrows step through the
// pairs in scan order, round the ends; two clicked sites pick their pair, and so does a
// click on a drawn edge; Return opens the detail of the step shown and comes back; Escape
// brings back the run's picture.
TEST_F(WindowTest, ExplainsThePairsChosenWithKeysAndClicks) {
  EXPECT_EQ(window.windowTitle(), "frmOvra1");
  EXPECT_EQ(grabbed(window).size(), QSize(753, 475));
  const app::Picture normal = window.picture();
  const auto& sites = *window.document().current().sites;
  const auto expectPair = [&](int i, int j) {
    EXPECT_EQ(grabbed(window),
              rendered(lessonPicture(normal, sites, i, j, app::LessonLevel::Overview)))
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
  QTest::mouseClick(&window, Qt::LeftButton, {}, at(6));
  QTest::mouseClick(&window, Qt::LeftButton, {}, at(0));
  expectPair(1, 7);
  // The middle of the Delaunay edge of pair 1-7.
  QTest::keyClick(&window, Qt::Key_Right);
  QTest::mouseClick(&window, Qt::LeftButton, {}, (at(0) + at(6)) / 2);
  expectPair(1, 7);
  // Overview step 4 of pair 1-7, the shadows, opens the first piece's detail step, 40.
  QTest::keyClick(&window, Qt::Key_Home);
  for (int n = 0; n < 3; ++n) {
    QTest::keyClick(&window, Qt::Key_PageDown);
  }
  QTest::keySequence(&window, QKeySequence(Qt::Key_Return));
  EXPECT_EQ(window.explorer()->level(), app::LessonLevel::Detail);
  EXPECT_EQ(grabbed(window),
            rendered(lessonPicture(normal, sites, 1, 7, app::LessonLevel::Detail, 39)));
  QTest::keyClick(&window, Qt::Key_PageDown);
  QTest::keySequence(&window, QKeySequence(Qt::Key_Return));
  EXPECT_EQ(grabbed(window),
            rendered(lessonPicture(normal, sites, 1, 7, app::LessonLevel::Overview, 3)));
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_EQ(grabbed(window), rendered(normal));
  EXPECT_EQ(window.picture(), normal) << "the run's picture changed";
  EXPECT_EQ(window.document().history().size(), 0);
}

// Add, drag, remove, new sites, each undone and redone: after every step the window shows
// exactly what a run of the expected sites with the expected seed draws. The context menu,
// opened with nothing to undo, leaves undo and redo to the history (it once disabled them
// until it was opened again).
TEST_F(WindowTest, EditsTheSitesWithTheMouseAndUndoesEveryStep) {
  const app::Layout start = layout();
  bool menuShown = false;
  QTimer::singleShot(200, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      menuShown = true;
      QTest::keyClick(menu, Qt::Key_Escape);
    }
  });
  // Through the window system, as a real click comes, so that it opens the menu.
  QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, QPoint(400, 300));
  EXPECT_TRUE(menuShown) << "no menu opened";
  // A click away from the sites adds one, last; Ctrl+Z takes it back.
  app::Layout added = start;
  added.sites.push_back({700, 20});
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(700, 20));
  expectShows(added, "add");
  QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
  expectShows(start, "undo after the menu");
  QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  expectShows(added, "redo after the menu");

  // Dragging site 3 from its centre: the picture follows while the button is down.
  const app::SitePosition centre = start.sites[2];
  const QPoint press = at(2);
  const double offsetX = centre.x - press.x();
  const double offsetY = static_cast<double>(centre.y) - press.y();
  const auto movedBy = [&](int dx, int dy) {
    app::Layout moved = added;
    moved.sites[2] = {press.x() + dx + offsetX, static_cast<float>(press.y() + dy + offsetY)};
    return moved;
  };
  QTest::mousePress(&window, Qt::LeftButton, {}, press);
  QTest::mouseMove(&window, press + QPoint(30, 20));
  expectShows(movedBy(30, 20), "while dragging");
  QTest::mouseMove(&window, press + QPoint(-12, 41));
  QTest::mouseRelease(&window, Qt::LeftButton, {}, press + QPoint(-12, 41));
  expectShows(movedBy(-12, 41), "after the drag");
  EXPECT_EQ(window.document().history().size(), 2) << "a drag is one step";

  // Delete removes the site under the pointer, keeping the order of the rest.
  const app::Layout dragged = movedBy(-12, 41);
  app::Layout removed = dragged;
  removed.sites.erase(removed.sites.begin() + 4);
  QTest::mouseMove(&window, at(4));
  QTest::keyClick(&window, Qt::Key_Delete);
  expectShows(removed, "remove");

  QTest::keyClick(&window, Qt::Key_Space);
  const app::Layout fresh = layout();
  EXPECT_NE(fresh.seed, start.seed);
  expectShows(fresh, "new run");

  const std::vector<std::pair<const app::Layout*, const char*>> back{{&removed, "undo new run"},
                                                                     {&dragged, "undo remove"},
                                                                     {&added, "undo drag"},
                                                                     {&start, "undo add"}};
  for (const auto& [expected, step] : back) {
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    expectShows(*expected, step);
  }
  QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
  expectShows(added, "redo add");
  QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  expectShows(dragged, "redo drag");
}

// A site put on another's column or row moves by the smallest step of its stored
// precision, and the picture keeps all its edges; the 102nd site is refused.
TEST_F(WindowTest, ShiftsClashingSitesAndRefusesTheSiteOverTheLimit) {
  window.document().start(app::RunRequest::of({42, {{300, 200}, {500, 100}}}));
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 400));  // on site 1's column
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(100, 200));  // on site 1's row
  ASSERT_EQ(layout().sites.size(), 4u);
  const app::SitePosition column = layout().sites[2], row = layout().sites[3];
  EXPECT_GT(column.x, 300);
  EXPECT_LT(column.x, 300 + 1e-9);
  EXPECT_EQ(column.y, 400);
  EXPECT_EQ(row.x, 100);
  EXPECT_GT(row.y, 200);
  EXPECT_LT(row.y, 200 + 1e-3);
  // Site 1 lies inside the triangle of the others: six Delaunay edges, each with its piece.
  EXPECT_EQ(window.picture().size(), 2 + 4 + 2 * 6u);
  expectShows(layout(), "shifted sites");
  // Presses beyond the left edge put sites at x = 0; the second moves by a step of its
  // stored x, 15,200 + x (once, this took 2^52 steps of the window's x near 0).
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(-5, 150));
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(-5, 350));
  ASSERT_EQ(layout().sites.size(), 6u);
  EXPECT_EQ(layout().sites[4].x, 0);
  EXPECT_EQ(layout().sites[5].x, std::nextafter(15200.0, 2e4) - 15200);

  app::Layout full{42, {}};
  for (int n = 0; n < 101; ++n) {
    full.sites.push_back({5.0 + 7 * n, 2 + 4.5f * static_cast<float>(n)});
  }
  window.document().start(app::RunRequest::of(full));
  const std::size_t steps = window.document().history().size();
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(740, 10));
  EXPECT_EQ(layout(), full);
  EXPECT_EQ(window.document().history().size(), steps);
}

// The layout goes to the clipboard and to files as a site list, with its seed, and comes
// back exactly; a bad list changes nothing and says what is wrong as --sites would.
TEST_F(WindowTest, KeepsLayoutsInTheClipboardAndInFiles) {
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(700, 20));
  const app::Layout edited = layout();
  QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith("# seed 42\n")) << copied.toStdString();

  QTemporaryDir dir;
  const QString list = dir.filePath("layout.txt");
  ASSERT_EQ(window.document().saveSiteList(list), QString());
  EXPECT_EQ(window.document().saveSiteList(list + "/x.txt"),
            "cannot write " + list + "/x.txt: Not a directory");
  window.document().start({7, std::nullopt});
  QTest::keyClick(&window, Qt::Key_V, Qt::ControlModifier);
  expectShows(edited, "paste");
  window.document().start({7, std::nullopt});
  ASSERT_EQ(window.document().openSiteList(list), QString());
  expectShows(edited, "open");

  const std::size_t steps = window.document().history().size();
  EXPECT_EQ(window.document().pasteSiteList("100 200\nabc 5\n", "clipboard"),
            "clipboard: line 2: expected two numbers, x and y in pixels, not \"abc 5\"");
  EXPECT_EQ(layout(), edited);
  EXPECT_EQ(window.document().history().size(), steps);
}

// Each layer key hides exactly its items, on screen and in a saved picture.
TEST_F(WindowTest, HidesAndShowsTheLayers) {
  const app::Picture all = window.picture();
  const auto without = [&](auto hidden) {
    app::Picture kept;
    for (std::size_t n = 0; n < all.size(); ++n) {
      if (!hidden(n, all[n])) {
        kept.push_back(all[n]);
      }
    }
    return kept;
  };
  const auto isRed = [](std::size_t, const app::PictureItem& item) {
    const auto* line = std::get_if<app::LineItem>(&item);
    return line != nullptr && line->colour == app::rgb(255, 0, 0);
  };
  const auto isLabel = [](std::size_t n, const app::PictureItem&) { return n < 2; };
  QTest::keyClick(&window, Qt::Key_V);
  EXPECT_EQ(grabbed(window), rendered(without(isRed)));
  QTest::keyClick(&window, Qt::Key_L);
  const app::Picture neither = without([&](std::size_t n, const app::PictureItem& item) {
    return isRed(n, item) || isLabel(n, item);
  });
  EXPECT_EQ(grabbed(window), rendered(neither));
  QTemporaryDir dir;
  ASSERT_EQ(app::Document::savePicture(dir.filePath("a.svg"), window.shownPicture()), QString());
  // The golden picture of seed 42 without its red lines and the label's two elements (its
  // point and its text), the first two after the ground.
  QStringList golden = QString::fromUtf8(testing_support::contents(VD_GOLDEN_DIR "/seed-42.svg"))
                           .split(QLatin1Char('\n'));
  golden.removeAt(6);
  golden.removeAt(6);
  golden.removeIf([](const QString& line) { return line.contains("stroke=\"#ff0000\""); });
  EXPECT_EQ(QString::fromUtf8(testing_support::contents(dir.filePath("a.svg"))),
            golden.join(QLatin1Char('\n')));
  EXPECT_TRUE(testing_support::contents(dir.filePath("a.svg"))
                  .contains("<desc>Voronoi diagram and Delaunay triangulation of 39 sites</desc>"));
  QTest::keyClick(&window, Qt::Key_V);
  QTest::keyClick(&window, Qt::Key_L);
  EXPECT_EQ(grabbed(window), rendered(all));
}

// F11's full screen, like any larger window, shows the same picture scaled to fit, centred
// on black; clicks, drags and explanation picks are mapped back through the scale, and
// every run keeps the window's own frame, so the picture is the one --sites draws for the
// same sites and seed.
TEST_F(WindowTest, FullScreenShowsThePictureScaledAndEditsInTheSameFrame) {
  QTest::keyClick(&window, Qt::Key_F11);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == window.screen()->size(); }));
  const app::PictureFit fit = app::PictureFit::of(window.size());
  const auto widgetPoint = [&](QPointF inPicture) {
    return (fit.origin + inPicture * fit.scale).toPoint();
  };
  const QPoint click = widgetPoint({401, 263});
  const QPointF added = fit.toPicture(click);
  QTest::mouseClick(&window, Qt::LeftButton, {}, click);
  ASSERT_EQ(layout().sites.size(), 40u);
  EXPECT_EQ(layout().sites.back(), (app::SitePosition{added.x(), static_cast<float>(added.y())}));
  EXPECT_EQ(window.picture(), testing_support::pictureOf(42, layout().sites));

  // Dragging the new site by 20 picture pixels.
  const app::Layout beforeDrag = layout();
  QTest::mousePress(&window, Qt::LeftButton, {}, click);
  QTest::mouseMove(&window, widgetPoint(added + QPointF(20, 10)));
  QTest::mouseRelease(&window, Qt::LeftButton, {}, widgetPoint(added + QPointF(20, 10)));
  EXPECT_NEAR(layout().sites.back().x, added.x() + 20, 1 / fit.scale);
  EXPECT_EQ(layout().sites.front(), beforeDrag.sites.front());

  // The picture fills the width; the bars above and below it are black throughout, though
  // red edges run on past the picture's border.
  const QImage large = grabbed(window);
  const int bar = static_cast<int>(fit.origin.y());
  ASSERT_GT(bar, 10);
  for (int y = 0; y < bar; ++y) {
    for (int x = 0; x < large.width(); ++x) {
      ASSERT_EQ(large.pixel(x, y), qRgb(0, 0, 0)) << x << ", " << y;
      ASSERT_EQ(large.pixel(x, large.height() - 1 - y), qRgb(0, 0, 0)) << x << ", " << y;
    }
  }

  // Two clicked sites pick their pair in the explanation, through the scale.
  QTest::keyClick(&window, Qt::Key_E);
  const auto site = [&](std::size_t n) {
    return widgetPoint({layout().sites[n].x, layout().sites[n].y});
  };
  QTest::mouseClick(&window, Qt::LeftButton, {}, site(6));
  QTest::mouseClick(&window, Qt::LeftButton, {}, site(0));
  ASSERT_NE(window.explorer(), nullptr);
  EXPECT_EQ(std::pair(window.explorer()->i(), window.explorer()->j()), std::pair(1, 7));
  const app::Picture explained = lessonPicture(window.picture(), *window.document().current().sites,
                                               1, 7, app::LessonLevel::Overview);
  QTest::keyClick(&window, Qt::Key_Escape);

  // Back at its natural size the window is pixel for pixel what --sites saves.
  QTest::keyClick(&window, Qt::Key_F11);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == QSize(753, 475); }));
  expectShows(layout(), "after the resize");
  QTest::keyClick(&window, Qt::Key_E);
  QTest::mouseClick(&window, Qt::LeftButton, {}, at(6));
  QTest::mouseClick(&window, Qt::LeftButton, {}, at(0));
  EXPECT_EQ(grabbed(window), rendered(explained)) << "pair 1-7 picked in the larger window";
}

// One table gives every key: none is bound twice, each one pressed on the keyboard
// triggers its action, and the README's table lists each with its help.
TEST_F(WindowTest, EveryAdvertisedKeyTriggersItsActionAndNoKeyIsBoundTwice) {
  std::vector<std::pair<QString, app::ActionWhen>> keys;
  const QString readme = QString::fromUtf8(testing_support::contents(VD_SOURCE_DIR "/README.md"));
  ASSERT_EQ(app::actionTable().size(), app::actions().size());
  for (std::size_t n = 0; n < app::actions().size(); ++n) {
    const app::ActionEntry& entry = app::actionTable()[n];
    const app::Action& action = app::actions()[n];
    ASSERT_EQ(entry.keys.size(), static_cast<qsizetype>(action.keys.size()));
    for (qsizetype k = 0; k < entry.keys.size(); ++k) {
      const QKeySequence& key = entry.keys[k];
      for (const auto& [other, when] : keys) {
        EXPECT_FALSE(other == key.toString() && app::usableTogether(when, entry.when))
            << key.toString().toStdString() << " is bound twice";
      }
      keys.emplace_back(key.toString(), entry.when);
      // Qt reads each key as the table writes it, the help's text.
      EXPECT_EQ(key.toString(QKeySequence::PortableText).toStdString(),
                action.keys[static_cast<std::size_t>(k)]);
    }
    EXPECT_TRUE(readme.contains(
        QString::fromStdString("| " + app::keysText(action) + " | " + action.help + " |")))
        << "the README has no row for " << action.name;
    EXPECT_TRUE(entry.handler) << action.name;
  }
  // And the README's table of keys has no row the table lacks.
  const QString table = readme.section(QStringLiteral("| keys | what it does |"), 1)
                            .section(QStringLiteral("\n\n"), 0, 0);
  EXPECT_EQ(table.count(QStringLiteral("\n| ")), static_cast<qsizetype>(app::actionTable().size()))
      << table.toStdString();
  // A box or file dialog that an action opens is closed at once.
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal->close();
    }
  });
  closer.start(20);
  for (const app::ActionEntry& entry : app::actionTable()) {
    QAction* action = window.action(entry.id, entry.layer);
    for (const QKeySequence& key : entry.keys) {
      if (entry.when == app::ActionWhen::Explaining &&
          !window.action(app::ActionId::Explain)->isChecked()) {
        QTest::keyClick(&window, Qt::Key_E);
      }
      if (entry.when == app::ActionWhen::Editing && !action->isEnabled()) {
        window.action(app::ActionId::Leave)->trigger();  // out of the lesson or the exercise
      }
      if (entry.when == app::ActionWhen::Asking && !action->isEnabled()) {
        QTest::keyClick(&window, Qt::Key_Q);
      }
      // The history enables undo and redo only when there is something to take back.
      if (entry.id == app::ActionId::Undo && !action->isEnabled()) {
        window.document().newRun();
      }
      if (entry.id == app::ActionId::Redo && !action->isEnabled()) {
        window.document().history().undo();
      }
      // A closed box or dialog may leave the window inactive, as a person would find it.
      window.activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
      QSignalSpy triggered(action, &QAction::triggered);
      QTest::keySequence(&window, key);
      EXPECT_EQ(triggered.count(), 1)
          << key.toString().toStdString() << " for " << entry.name.toStdString();
    }
  }
  window.setPictureStyle(app::PictureStyle::Normal);  // remembered for the next window
}

// A lesson in the window: E shows pair 1-2 at its result; Home, PageDown, Down, PageUp and
// End walk its steps, and after each the window is pixel for pixel what --explain 1-2 --step
// N --save writes; the panel marks the step.
TEST_F(WindowTest, WalksALessonStepByStepAsStepNSavesIt) {
  QTemporaryDir dir;
  const auto saved = [&](std::size_t step) {
    const QString file = dir.filePath(QStringLiteral("%1.png").arg(step));
    QProcess program;
    program.start(QStringLiteral(VD_EXECUTABLE), {"--seed", "42", "--explain", "1-2", "--step",
                                                  QString::number(step), "--save", file});
    EXPECT_TRUE(program.waitForFinished(60000));
    return QImage(file).convertToFormat(QImage::Format_RGB32);
  };
  QTest::keyClick(&window, Qt::Key_E);
  const std::size_t steps = window.explorer()->lesson().overview.size();
  const std::vector<std::pair<Qt::Key, std::size_t>> walk{{Qt::Key_Home, 1},
                                                          {Qt::Key_PageDown, 2},
                                                          {Qt::Key_Down, 3},
                                                          {Qt::Key_PageUp, 2},
                                                          {Qt::Key_End, steps}};
  for (const auto& [key, step] : walk) {
    QTest::keyClick(&window, key);
    EXPECT_EQ(grabbed(window), saved(step)) << "step " << step;
    EXPECT_TRUE(window.panel().stepsText().contains(QStringLiteral("\u25B6 step %1:").arg(step)));
  }
}

// Q asks whether a pair gets an edge and shows nothing that tells; 1 (yes) or 2 (no)
// answers, the heading says why, and the pair's lesson opens at the overview step that
// decides it. A round answered with the edge finder's own outcomes scores 5 of 5; with two
// wrong answers, 3 of 5. N shows the largest empty circle at the pointer, reaching the
// nearest site.
TEST_F(WindowTest, AsksQuestionsKeepsTheScoreAndProbesTheNearestSite) {
  using geometry::PairResult;
  for (const int wrong : {0, 2}) {
    for (int question = 0; question < app::Quiz::kQuestions; ++question) {
      QTest::keyClick(&window, Qt::Key_Q);
      ASSERT_TRUE(window.explorer() != nullptr && window.explorer()->asking());
      const app::Picture asked = window.shownPicture();
      EXPECT_TRUE(std::none_of(asked.begin(), asked.end(), [](const app::PictureItem& item) {
        return app::layerOf(item) == app::Layer::VoronoiEdges ||
               app::layerOf(item) == app::Layer::DelaunayEdges;
      })) << "the question shows an edge";
      const bool edge = window.explorer()->lesson().account.outcome.result == PairResult::Drawn;
      const bool guess = question < wrong ? !edge : edge;
      QTest::keyClick(&window, guess ? Qt::Key_1 : Qt::Key_2);
      EXPECT_FALSE(window.explorer()->asking());
      EXPECT_EQ(window.explorer()->currentStep(),
                window.explorer()->lesson().decidingStep(app::LessonLevel::Overview));
      EXPECT_TRUE(window.panel().heading().contains(
          QString::fromStdString(app::reasonOf(window.explorer()->lesson()))))
          << window.panel().heading().toStdString();
    }
    EXPECT_TRUE(window.panel().heading().contains(
        QStringLiteral("Score: %1 of 5").arg(app::Quiz::kQuestions - wrong)))
        << window.panel().heading().toStdString();
  }
  QTest::keyClick(&window, Qt::Key_Escape);

  QTest::keyClick(&window, Qt::Key_N);
  const app::SitePosition site = layout().sites[0];
  QTest::mouseMove(&window, QPoint(qRound(site.x) + 12, qRound(site.y)));
  const app::Picture probed = window.shownPicture();
  const auto& circle = std::get<app::CircleItem>(probed[probed.size() - 3]);
  EXPECT_EQ(circle.x, static_cast<float>(qRound(site.x) + 12));
  EXPECT_NEAR(
      circle.radius,
      std::hypot(qRound(site.x) + 12 - site.x, qRound(site.y) - static_cast<double>(site.y)), 1e-4);
  QTest::keyClick(&window, Qt::Key_N);
  EXPECT_EQ(window.shownPicture(), window.picture());
}

// The exact layer: X compares the layout with exact arithmetic off the interface thread
// and marks the edges that differ, with a count; Ctrl+F moves a site to where rounding
// changes an edge, as a step that Ctrl+Z takes back.
TEST_F(WindowTest, MarksWhereExactArithmeticDrawsOtherEdges) {
  const auto note = [&]() -> std::string {
    for (const app::PictureItem& item : window.shownPicture()) {
      const auto* text = std::get_if<app::TextItem>(&item);
      if (text != nullptr && text->text.find("from exact arithmetic") != std::string::npos) {
        return text->text;
      }
    }
    return {};
  };
  ASSERT_EQ(window.document().openSiteList(VD_SOURCE_DIR "/examples/rounding-cocircular.txt"),
            QString());
  QTest::keyClick(&window, Qt::Key_X);
  ASSERT_TRUE(window.action(app::ActionId::ExactLayer)->isChecked());
  for (int waited = 0; note().empty() && waited < 60000; waited += 20) {
    QTest::qWait(20);
  }
  EXPECT_EQ(note(), "1 pair differs from exact arithmetic");
  // Pair 2-3: the floats' piece 4 in solid orange, exact arithmetic's piece 5 in dashed
  // green.
  const app::Picture shown = window.shownPicture();
  for (const auto& [colour, dashed] :
       {std::pair(app::rgb(255, 150, 40), false), std::pair(app::rgb(90, 255, 90), true)}) {
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                            [&](const app::PictureItem& item) {
                              const auto* line = std::get_if<app::LineItem>(&item);
                              return line != nullptr && line->colour == colour &&
                                     geometry::exactlyEqual(line->width, 3) &&
                                     line->dashed == dashed;
                            }),
              3)  // the piece, the Delaunay edge and the legend
        << colour;
  }
  // In a lesson the steps where exact arithmetic differs are marked.
  QTest::keyClick(&window, Qt::Key_E);
  QTest::mouseClick(&window, Qt::LeftButton, {}, at(1));
  QTest::mouseClick(&window, Qt::LeftButton, {}, at(2));
  ASSERT_EQ(std::pair(window.explorer()->i(), window.explorer()->j()), std::pair(2, 3));
  QTest::keySequence(&window, QKeySequence(Qt::Key_Return));  // the detail
  EXPECT_TRUE(window.panel().stepsText().contains(QStringLiteral("\u2260 step 13: piece 4")))
      << window.panel().stepsText().toStdString();
  QTest::keyClick(&window, Qt::Key_Escape);
#ifndef VD_SANITIZE  // the search has 5 seconds, which a sanitized build may need for this
  window.document().start({7, std::nullopt});
  const app::Layout start = layout();
  QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
  ASSERT_NE(layout(), start);
  for (int waited = 0; note().empty() && waited < 60000; waited += 20) {
    QTest::qWait(20);
  }
  EXPECT_NE(note().find("2 pairs differ"), std::string::npos) << note();
  QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(layout(), start);
#endif
}

// The exact layer follows a drag of 101 sites: after each move, with the button still
// down, its marks are those of the pairs --exact finds for the layout as it stands. The
// layout is the one Ctrl+F finds near seed 3's 101 sites, where rounding changes three
// edges; a site far from the pairs that differ is dragged first, then one of theirs.
TEST_F(WindowTest, ExactLayerFollowsADragOf101Sites) {
  ASSERT_EQ(window.document().openSiteList(VD_GOLDEN_DIR "/rounding-101-sites.txt"), QString());
  const std::vector<std::pair<int, int>> differing{{4, 12}, {4, 19}, {12, 20}};
  QTest::keyClick(&window, Qt::Key_X);
  QTemporaryDir dir;
  const QString file = dir.filePath("dragged.txt");
  // Checks the layer against --exact of the layout as it stands; returns the pairs.
  const auto expectExactLayer = [&](const std::string& step) {
    QFile list(file);
    EXPECT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(QByteArray::fromStdString(app::siteListText(layout().seed, layout().sites)));
    list.close();
    const QString lines = testing_support::runProgram({"--sites", file, "--exact"}).output;
    std::vector<std::pair<int, int>> pairs;
    static const QRegularExpression pairLine(QStringLiteral("^pair (\\d+)-(\\d+):"),
                                             QRegularExpression::MultilineOption);
    for (auto match = pairLine.globalMatch(lines); match.hasNext();) {
      const auto m = match.next();
      pairs.emplace_back(m.captured(1).toInt(), m.captured(2).toInt());
    }
    const app::Picture expected =
        app::styledPicture(app::exactLayerPicture(*app::acceptedSites(layout().sites), pairs),
                           app::PictureStyle::Normal);
    const auto shownMarks = [&] {
      const app::Picture shown = window.shownPicture();
      return shown.size() < expected.size()
                 ? app::Picture{}
                 : app::Picture(shown.end() - static_cast<std::ptrdiff_t>(expected.size()),
                                shown.end());
    };
    // Most layouts are compared on the spot, but a loaded machine may push the comparison
    // past the interface's budget and onto the worker thread: wait for its marks.
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownMarks() == expected; }, 20000))
        << step << ": --exact says\n"
        << lines.toStdString();
    return pairs;
  };
  EXPECT_EQ(expectExactLayer("before the drag"), differing);

  // A site that is in no differing pair, then one that is.
  std::set<std::size_t> involved;
  for (const auto& [i, j] : differing) {
    involved.insert(static_cast<std::size_t>(i - 1));
    involved.insert(static_cast<std::size_t>(j - 1));
  }
  std::size_t far = 0;
  while (involved.count(far) != 0) {
    ++far;
  }
  for (const std::size_t site : {far, *involved.begin()}) {
    const QPoint press = at(site);
    const app::Layout before = layout();
    QTest::mousePress(&window, Qt::LeftButton, {}, press);
    for (const QPoint step : {QPoint(3, 2), QPoint(-4, 5), QPoint(1, -1)}) {
      QTest::mouseMove(&window, press + step);
      ASSERT_NE(layout(), before) << "the drag moves a site";
      expectExactLayer("site " + std::to_string(site + 1) + " dragged by (" +
                       std::to_string(step.x()) + ", " + std::to_string(step.y()) + ")");
    }
    QTest::mouseRelease(&window, Qt::LeftButton, {}, press + QPoint(1, -1));
    expectExactLayer("after the drag of site " + std::to_string(site + 1));
  }
}

}  // namespace

namespace {

// Presenting: Shift+P shows the projector style, pixel for pixel what --style projector
// --save writes, and the next window starts in it; Ctrl+S's handout of an explained pair
// has a page for each step and one more, its web page is the command line's; B blanks the screen
// and the lesson panel, and . brings both back.
TEST_F(WindowTest, PresentsInTheProjectorStyleAndBlanks) {
  QTemporaryDir dir;
  QTest::keySequence(&window, QKeySequence(Qt::SHIFT | Qt::Key_P));
  ASSERT_EQ(window.pictureStyle(), app::PictureStyle::Projector);
  const QString saved = dir.filePath("projector.png");
  ASSERT_EQ(QProcess::execute(QStringLiteral(VD_EXECUTABLE),
                              {"--seed", "42", "--style", "projector", "--save", saved}),
            0);
  EXPECT_EQ(grabbed(window), QImage(saved).convertToFormat(QImage::Format_RGB32));
  EXPECT_NE(grabbed(window), rendered(window.picture()));
  EXPECT_EQ(app::MainWindow().pictureStyle(), app::PictureStyle::Projector);
  QTest::keySequence(&window, QKeySequence(Qt::SHIFT | Qt::Key_P));
  EXPECT_EQ(app::MainWindow().pictureStyle(), app::PictureStyle::Normal);
  EXPECT_EQ(grabbed(window), rendered(window.picture()));

  QTest::keyClick(&window, Qt::Key_E);
  const QString handout = dir.filePath("handout.pdf");
  ASSERT_EQ(window.saveShown(handout, true), QString());
  const auto info = testing_support::runProgram({handout}, QProcessEnvironment::systemEnvironment(),
                                                QStringLiteral("pdfinfo"));
  EXPECT_TRUE(info.output.contains(QRegularExpression(
      QStringLiteral("Pages:\\s+%1\n").arg(window.explorer()->lesson().overview.size() + 1))))
      << info.output.toStdString();
  // The web edition at the pair and step shown is the one the command line writes.
  const QString page = dir.filePath("window.html"), written = dir.filePath("written.html");
  ASSERT_EQ(window.saveShown(page, false), QString());
  const app::Lesson& lesson = window.explorer()->lesson();
  ASSERT_EQ(QProcess::execute(
                QStringLiteral(VD_EXECUTABLE),
                {"--seed", "42", "--explain",
                 QStringLiteral("%1-%2").arg(lesson.account.i).arg(lesson.account.j), "--step",
                 QString::number(window.explorer()->currentStep() + 1), "--save", written}),
            0);
  EXPECT_TRUE(testing_support::contents(page).contains(
      QStringLiteral("<main data-start=\"seed=42&amp;pair=%1-%2&amp;step=%3\">")
          .arg(lesson.account.i)
          .arg(lesson.account.j)
          .arg(window.explorer()->currentStep() + 1)
          .toUtf8()));
  EXPECT_EQ(testing_support::contents(page), testing_support::contents(written));

  const QImage shown = grabbed(window);
  QImage black(shown.size(), QImage::Format_RGB32);
  black.fill(Qt::black);
  QTest::keyClick(&window, Qt::Key_B);
  EXPECT_EQ(grabbed(window), black);
  EXPECT_FALSE(window.panel().isVisible());
  QTest::keyClick(&window, Qt::Key_Period);
  EXPECT_EQ(grabbed(window), shown);
  EXPECT_TRUE(window.panel().isVisible());
}

}  // namespace

namespace {

// The step panel never leaves the screen's available area: beside the window where there
// is room, else over the window at the screen's edge; and again after full screen.
TEST_F(WindowTest, KeepsTheStepPanelOnTheScreen) {
  const QRect screen = window.screen()->availableGeometry();
  const auto expectPanelOnScreen = [&](const char* when) {
    EXPECT_TRUE(window.panel().isVisible()) << when;
    EXPECT_TRUE(screen.contains(window.panel().frameGeometry()))
        << when << ": the panel at " << window.panel().frameGeometry() << " on " << screen;
  };
  window.move(screen.left() + 40, screen.top() + 30);
  QTest::keyClick(&window, Qt::Key_E);
  expectPanelOnScreen("a window away from the left edge");
  QTest::keyClick(&window, Qt::Key_Q);
  expectPanelOnScreen("a question");
  QTest::keyClick(&window, Qt::Key_F11);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == window.screen()->size(); }));
  expectPanelOnScreen("full screen");
  QTest::keyClick(&window, Qt::Key_F11);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == QSize(753, 475); }));
  expectPanelOnScreen("back from full screen");
  window.move(screen.right() - 100, screen.bottom() - 100);
  expectPanelOnScreen("a window moved off the bottom right");
}

// Where the panel goes: on the window's right where it fits, else on its left; on a
// 1280-pixel screen with the window in the middle, the window moves left to make room;
// else over the window against the screen's right edge, its top moved up to fit.
TEST(PanelPosition, IsBesideTheWindowWhereThereIsRoomAndAlwaysOnTheScreen) {
  const QRect screen(0, 0, 1920, 1080);
  const QSize panel(430, 475);
  const auto place = [&](const QRect& window, const QRect& on) {
    const app::PanelPlace p = app::panelPosition(window, panel, on);
    return std::pair(p.window, p.panel);
  };
  EXPECT_EQ(place(QRect(100, 100, 753, 475), screen),
            std::pair(QPoint(100, 100), QPoint(861, 100)));
  EXPECT_EQ(place(QRect(1150, 100, 753, 475), screen),
            std::pair(QPoint(1150, 100), QPoint(1150 - 8 - 430, 100)));
  EXPECT_EQ(place(QRect(263, 100, 760, 508), QRect(0, 0, 1280, 800)),
            std::pair(QPoint(1280 - 430 - 8 - 760, 100), QPoint(1280 - 430, 100)));
  EXPECT_EQ(place(QRect(300, 900, 1500, 475), screen),
            std::pair(QPoint(300, 900), QPoint(1920 - 430, 1080 - 475)));
}

}  // namespace

namespace {

// The exercises with real clicks and keys: F2 draws the Delaunay edges on a layout from the
// run's seed; a click on a site and another join them, Ctrl+Z takes a move back, G grades
// the drawing with the window showing its proofs; Ctrl+S's results file grades the same on
// the command line, and a changed score is caught. F3's round of pieces answered with P is
// kept alike. Escape goes back to the picture.
TEST_F(WindowTest, DrawsChecksAndSavesAnExerciseRound) {
  QTemporaryDir dir;
  QTest::keyClick(&window, Qt::Key_F2);
  ASSERT_TRUE(window.exercise().active());
  const app::SitePositions sites = window.exercise().session().sites();
  ASSERT_EQ(sites, app::exerciseLayout(42));
  const geometry::SiteColumns columns = *app::acceptedSites(sites);
  const std::vector<app::EdgeAnswer> edges = app::delaunayEdges(columns).edges;
  app::EdgeAnswer notAnEdge{0, 0};
  for (int i = 1; i < columns.nSites && notAnEdge.first == 0; ++i) {
    for (int j = i + 1; j <= columns.nSites && notAnEdge.first == 0; ++j) {
      if (std::find(edges.begin(), edges.end(), app::EdgeAnswer{i, j}) == edges.end()) {
        notAnEdge = {i, j};
      }
    }
  }
  ASSERT_NE(notAnEdge.first, 0);
  const auto click = [&](int site) {
    const app::SitePosition p = sites[static_cast<std::size_t>(site - 1)];
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(qRound(p.x), qRound(p.y)));
  };
  const auto join = [&](const app::EdgeAnswer& edge) {
    click(edge.first);
    click(edge.second);
  };
  for (std::size_t n = 0; n + 1 < edges.size(); ++n) {  // all but the last edge
    join(edges[n]);
  }
  join(notAnEdge);
  join(edges.back());
  // The last edge taken back, and the screen shows it at once.
  EXPECT_TRUE(
      repaintsAfter(window, [&] { QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier); }));
  EXPECT_EQ(window.exercise().session().edges().size(), edges.size());
  EXPECT_EQ(grabbed(window), rendered(window.exercise().session().picture()));
  QTest::keyClick(&window, Qt::Key_G);
  const app::Score score = window.exercise().session().score();
  EXPECT_EQ(
      std::tuple(score.right, score.wrong, score.missed, score.score),
      std::tuple(static_cast<int>(edges.size()) - 1, 1, 1, static_cast<int>(edges.size()) - 2));
  EXPECT_TRUE(window.exercise().session().line().find(
                  "Wrong edge " + std::to_string(notAnEdge.first) + "-" +
                  std::to_string(notAnEdge.second) + ":") != std::string::npos)
      << window.exercise().session().line();
  EXPECT_TRUE(window.exercise().session().line().find("Missed: ") != std::string::npos)
      << window.exercise().session().line();
  EXPECT_EQ(grabbed(window), rendered(window.exercise().session().picture()));

  const QString saved = dir.filePath("ada.json");
  ASSERT_EQ(window.saveExerciseResults(saved, "Ada"), QString());
  const auto graded = testing_support::runProgram({"--grade", saved});
  EXPECT_EQ(graded.exitCode, 0) << graded.errors.toStdString();
  const QStringList lines = graded.output.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), static_cast<qsizetype>(edges.size()) + 1 + 1);
  EXPECT_EQ(lines.last(),
            saved + QStringLiteral(": right %1, wrong 1, missed 1").arg(edges.size() - 1));
  const auto csv = testing_support::runProgram({"--grade", "--csv", saved});
  EXPECT_EQ(csv.output.split('\n')[1],
            saved + QStringLiteral(",Ada,delaunay-edges,42,%1,1,1,%2,%3,yes,")
                        .arg(edges.size() - 1)
                        .arg(score.score)
                        .arg(score.outOf));

  // A score changed by hand is reported.
  QByteArray tampered = testing_support::contents(saved);
  tampered.replace(QByteArray("\"score\": ") + QByteArray::number(score.score),
                   QByteArray("\"score\": ") + QByteArray::number(score.score + 3));
  QFile file(dir.filePath("tampered.json"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(tampered);
  file.close();
  const auto caught = testing_support::runProgram({"--grade", file.fileName()});
  EXPECT_TRUE(caught.output.trimmed().endsWith(", stored score differs"))
      << caught.output.toStdString();

  // F3: a round of pieces, each answered "none" and graded at once.
  QTest::keyClick(&window, Qt::Key_F3);
  for (int question = 0; question < app::kExerciseQuestions; ++question) {
    QTest::keyClick(&window, Qt::Key_P);
    EXPECT_TRUE(window.exercise().session().line().find("piece ") != std::string::npos);
    if (question + 1 < app::kExerciseQuestions) {
      QTest::keyClick(&window, Qt::Key_G);
    }
  }
  ASSERT_EQ(window.saveExerciseResults(dir.filePath("pieces.json"), ""), QString());
  const auto pieces = testing_support::runProgram({"--grade", dir.filePath("pieces.json")});
  EXPECT_EQ(pieces.output.count('\n'), app::kExerciseQuestions + 1) << pieces.output.toStdString();
  EXPECT_TRUE(pieces.output.contains(
      QStringLiteral("right %1, wrong").arg(window.exercise().session().score().right)));

  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.exercise().active());
  expectShows(layout(), "after the exercise");
}

}  // namespace
