#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <utility>

#include "classroom/lesson_documents.h"
#include "classroom/web_page.h"
#include "geometry/dist.h"
#include "geometry/window_frame.h"
#include "picture_fit.h"
#include "picture_output/file_output.h"
#include "picture_output/output_kind.h"
#include "picture_output/picture_file.h"
#include "picture_output/picture_painter.h"
#include "run/failure_search.h"
#include "run/site_placement.h"
#include "session/shown_picture.h"
#include "web/session_address.h"

namespace app {

namespace {

using geometry::kWindowFrame;

// The settings key of the style shown, remembered from one start to the next in the
// user's configuration folder ($XDG_CONFIG_HOME/voronoi-delaunay/view.conf).
const QString kStyleSetting = QStringLiteral("view/style");

QSettings viewSettings() {
  return QSettings(QStringLiteral("voronoi-delaunay"), QStringLiteral("view"));
}

// The style the window showed when it was last used, or the normal one.
PictureStyle rememberedStyle() {
  return pictureStyleNamed(viewSettings().value(kStyleSetting).toString().toStdString())
      .value_or(PictureStyle::Normal);
}
}  // namespace

MainWindow::MainWindow()
    : files_(*this, document_),
      explanation_(new ExplanationMode(this)),
      exercise_(new ExerciseMode(this)) {
  setWindowTitle(QStringLiteral("frmOvra1"));
  setObjectName(QStringLiteral("frmOvra"));
  resize(kWindowFrame.clientWidth, kWindowFrame.clientHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);  // the paint fills the whole client area
  setMouseTracking(true);                 // for the cursor over a site
  setFocusPolicy(Qt::StrongFocus);
  createActions();
  action(ActionId::ProjectorStyle)->setChecked(rememberedStyle() == PictureStyle::Projector);
  editing_.session().setView(shownLayers(), pictureStyle());
  // The history enables its own actions, whatever else happens to them.
  connect(&document_, &Document::stepsChanged, this, [this] { explanationChanged(); });
  connect(&document_, &Document::changed, this, [this] { pictureChanged(); });
  connect(&document_, &Document::runFailed, this,
          [this](const QString& message) { QMessageBox::critical(this, windowTitle(), message); });
  connect(explanation_, &ExplanationMode::changed, this, [this] { explanationChanged(); });
  connect(exercise_, &ExerciseMode::changed, this, [this] { explanationChanged(); });
  connect(&exactWorker_, &ExactLayerWorker::marksReady, this, [this](const Picture& marks) {
    exactMarks_ = marks;
    update();
  });
  explanationChanged();
}

void MainWindow::createActions() {
  for (const ActionEntry& entry : actionTable()) {
    auto* a = new QAction(entry.name, this);
    a->setShortcuts(entry.keys);
    a->setShortcutVisibleInContextMenu(true);
    a->setCheckable(entry.checkable);
    a->setChecked(entry.id == ActionId::ToggleLayer);  // every layer shown
    a->setEnabled(entry.when == ActionWhen::Always);
    connect(a, &QAction::triggered, this, [this, &entry] { entry.handler(*this); });
    addAction(a);
    actions_[{entry.id, entry.layer}] = a;
  }
}

QAction* MainWindow::action(ActionId id, Layer layer) const {
  return actions_.at({id, layer});
}

bool MainWindow::isOn(ActionId id, Layer layer) const {
  return action(id, layer)->isChecked();
}

PictureStyle MainWindow::pictureStyle() const {
  return isOn(ActionId::ProjectorStyle) ? PictureStyle::Projector : PictureStyle::Normal;
}

ShownLayers MainWindow::shownLayers() const {
  ShownLayers layers;
  for (const ActionEntry& entry : actionTable()) {
    if (entry.id == ActionId::ToggleLayer) {
      layers.set(entry.layer, isOn(entry.id, entry.layer));
    }
  }
  return layers;
}

ModeAdapter& MainWindow::activeMode() {
  return const_cast<ModeAdapter&>(std::as_const(*this).activeMode());
}

const ModeAdapter& MainWindow::activeMode() const {
  switch (activeModeKind(exercise_->active(), explanation_->active())) {
    case ModeKind::Exercise:
      return *exercise_;
    case ModeKind::Explanation:
      return *explanation_;
    case ModeKind::Editing:
      break;
  }
  return editing_;
}

Picture MainWindow::shownPicture() const {
  Overlays overlays;
  overlays.blank = isOn(ActionId::BlankScreen);
  overlays.exact = isOn(ActionId::ExactLayer) && !explanation_->active() ? &exactMarks_ : nullptr;
  overlays.probe = isOn(ActionId::Probe);
  overlays.pointerX = pointer_.x();
  overlays.pointerY = pointer_.y();
  return app::shownPicture(activeMode().session(), overlays, document_.layout().sites,
                           pictureStyle());
}

void MainWindow::setPictureStyle(PictureStyle style) {
  action(ActionId::ProjectorStyle)->setChecked(style == PictureStyle::Projector);
  applyView();
}

void MainWindow::applyView() {
  viewSettings().setValue(kStyleSetting, QString::fromStdString(styleName(pictureStyle())));
  editing_.session().setView(shownLayers(), pictureStyle());
  explanation_->setStyle(pictureStyle());
  exercise_->setStyle(pictureStyle());
  update();
}

void MainWindow::applyFullScreen() {
  if (isOn(ActionId::FullScreen)) {
    showFullScreen();
  } else {
    showNormal();
  }
}

// The screen goes black and the lesson panel hides; on the way back both return.
void MainWindow::applyBlankScreen() {
  explanation_->setPanelHidden(isOn(ActionId::BlankScreen));
  update();
}

// Compares the layout with exact arithmetic while the exact layer is shown, on the spot or
// off the interface thread (see ExactLayerWorker); a comparison under way for an older
// picture is cancelled.
void MainWindow::applyExactLayer() {
  exactWorker_.cancel();
  exactMarks_.clear();
  const bool shown = isOn(ActionId::ExactLayer);
  if (shown && document_.current().completed()) {
    exactWorker_.compare(document_.current());
  }
  explanation_->setExactShown(shown);
  update();
}

void MainWindow::showHelp() {
  QMessageBox::information(this, QStringLiteral("Mouse and keys"), helpTable());
}

void MainWindow::pictureChanged() {
  if (explanation_->active()) {
    setExplaining(false);
  }
  applyExactLayer();
}

void MainWindow::setExplaining(bool on) {
  if (on) {
    exercise_->leave();
    explanation_->enter(document_.current(), pictureStyle());
  } else {
    explanation_->leave();
  }
}

bool MainWindow::usableNow(ActionWhen when) const {
  return app::usableNow(when,
                        {exercise_->active(), explanation_->active(), explanation_->asking()});
}

void MainWindow::explanationChanged() {
  const bool exercising = exercise_->active();
  action(ActionId::Explain)->setChecked(explanation_->active());
  for (const ActionEntry& entry : actionTable()) {
    if (entry.when != ActionWhen::Always) {
      action(entry.id)->setEnabled(usableNow(entry.when));
    }
  }
  // An exercise takes its moves back with Undo; outside, the history says.
  action(ActionId::Undo)->setEnabled(exercising || document_.history().canUndo());
  action(ActionId::Redo)->setEnabled(document_.history().canRedo());
  updateCursor();
  update();
}

void MainWindow::startExercise(ExerciseKind kind) {
  setExplaining(false);
  try {
    exercise_->start(kind, document_.current().layout.seed, pictureStyle());
  } catch (const std::runtime_error& error) {  // a seed that gives no exercise layout
    QMessageBox::warning(this, windowTitle(), QString::fromUtf8(error.what()));
  }
}

void MainWindow::leaveModes() {
  setExplaining(false);
  exercise_->leave();
}

void MainWindow::undo() {
  activeMode().takeBack();
}

QString MainWindow::saveExerciseResults(const QString& path, const QString& name) const {
  return writeWholeFile(path, QByteArray::fromStdString(
                                  resultsJson(exercise_->session().results(name.toStdString()))));
}

void MainWindow::askQuestion() {
  exercise_->leave();
  explanation_->ask(document_.current(), pictureStyle());
}

void MainWindow::answerQuestion(bool edge) {
  explanation_->answer(edge);
}

void MainWindow::switchLevel() {
  explanation_->switchLevel(document_.current(), pictureStyle());
}

void MainWindow::startTour() {
  exercise_->leave();
  explanation_->startTour(document_.current(), pictureStyle());
}

void MainWindow::removeSiteUnderPointer() {
  if (!explanation_->active()) {
    document_.removeAt(pointer_.x(), pointer_.y());
    updateCursor();
  }
}

// Ctrl+F: a layout near this one where rounding changes an edge, as a step of the history,
// with the exact layer shown.
void MainWindow::findFailure() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const auto found = findRoundingFailure(document_.layout());
  QApplication::restoreOverrideCursor();
  if (!found) {
    QMessageBox::information(this, windowTitle(),
                             QStringLiteral("No layout near this one where rounding changes an "
                                            "edge was found within 5 seconds; try other sites."));
    return;
  }
  action(ActionId::ExactLayer)->setChecked(true);
  document_.replace(found->layout, QStringLiteral("Find a failure"));
}

QPointF MainWindow::inPicture(QPointF widgetPoint) const {
  return PictureFit::of(size()).toPicture(widgetPoint);
}

// At one device pixel to the pixel and the picture's own scale, the picture is rendered as
// a PNG of scale 1 is, pixel for pixel; otherwise the painter draws it scaled to fit, at
// the screen's resolution.
void MainWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const PictureFit fit = PictureFit::of(size());
  const QSize natural(kWindowFrame.clientWidth, kWindowFrame.clientHeight);
  if (size() != natural) {
    painter.fillRect(rect(), toQColor(groundOf(PictureStyle::Normal)));
  }
  if (geometry::exactlyEqual(fit.scale, 1) && geometry::exactlyEqual(devicePixelRatioF(), 1)) {
    if (rendered_.size() != natural) {
      rendered_ = QImage(natural, QImage::Format_RGB32);
    }
    renderInto(rendered_, shownPicture());
    painter.drawImage(fit.origin, rendered_);
  } else {
    painter.translate(fit.origin);
    painter.scale(fit.scale, fit.scale);
    // Lines run on past the picture's edges; the bars round it stay black.
    painter.setClipRect(QRectF(0, 0, natural.width(), natural.height()));
    paintPicture(painter, shownPicture(), natural.width(), natural.height());
  }
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  pointer_ = inPicture(event->position());
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  ModeAdapter& mode = activeMode();
  mode.press(pointer_.x(), pointer_.y());  // the adapter says what changed
  const std::string refusal = mode.session().refusal();
  if (!refusal.empty()) {
    QToolTip::showText(event->globalPosition().toPoint(), QString::fromStdString(refusal), this);
  }
  updateCursor();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  pointer_ = inPicture(event->position());
  if (isOn(ActionId::Probe)) {
    update();
  }
  if (event->buttons() & Qt::LeftButton) {
    activeMode().session().drag(pointer_.x(), pointer_.y());
  }
  updateCursor();
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  pointer_ = inPicture(event->position());
  if (event->button() == Qt::LeftButton) {
    activeMode().session().release();
  }
  updateCursor();
}

// An open hand over a site that can be dragged, a closed one while it is dragged.
void MainWindow::updateCursor() {
  if (document_.dragging()) {
    setCursor(Qt::ClosedHandCursor);
  } else if (!explanation_->active() &&
             siteUnder(document_.layout().sites, pointer_.x(), pointer_.y())) {
    setCursor(Qt::OpenHandCursor);
  } else {
    unsetCursor();
  }
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
  pointer_ = inPicture(event->pos());
  QMenu menu(this);
  fillMenu(menu, !explanation_->active() &&
                     siteUnder(document_.layout().sites, pointer_.x(), pointer_.y()).has_value());
  menu.exec(event->globalPos());
}

// The table's actions that apply here, in its order, a separator between two groups.
void MainWindow::fillMenu(QMenu& menu, bool onSite) {
  menu.addAction(QStringLiteral("Seed %1").arg(document_.layout().seed))->setEnabled(false);
  std::optional<MenuGroup> group;
  for (const ActionEntry& entry : actionTable()) {
    if ((entry.onlyOverSite && !onSite) || !usableNow(entry.when)) {
      continue;
    }
    if (entry.group != group) {
      menu.addSeparator();
      group = entry.group;
    }
    menu.addAction(action(entry.id, entry.layer));
  }
}

// The lesson panel follows the window, and full screen may be left by the window system.
void MainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  explanation_->placePanel();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  explanation_->placePanel();
}

void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) {
    action(ActionId::FullScreen)->setChecked(isFullScreen());
    explanation_->placePanel();
  }
}

// Edits that were never saved are not lost by closing: the user may save them as a site
// list, discard them, or stay.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (files_.mayClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::savePictureAs() {
  if (activeMode().session().saves() == ModeSaves::Results) {  // under the learner's name
    files_.saveResults([this](const QString& path, const QString& name) {
      return saveExerciseResults(path, name);
    });
    return;
  }
  files_.savePicture(
      explanation_->active() && !explanation_->asking(),
      [this](const QString& path, bool wholeLesson) { return saveShown(path, wholeLesson); });
}

QString MainWindow::saveShown(const QString& path, bool wholeLesson) const {
  const std::optional<OutputKind> kind = outputKindFor(path);
  if (kind == OutputKind::WebPage) {  // the web edition at the lesson or tour shown, or the layout
    return writeWholeFile(
        path, webEditionPage(sessionAddress(layoutAddress(document_.layout(), pictureStyle()),
                                            explanation_->session(), nullptr)));
  }
  const std::optional<PictureFormat> format = kind ? infoOf(*kind).pictureFormat : std::nullopt;
  const std::optional<QByteArray> lesson =
      wholeLesson && format ? explanation_->lessonDocument(*format, pictureStyle()) : std::nullopt;
  return lesson ? writeWholeFile(path, *lesson)
                : Document::savePicture(path, shownPicture(), explanation_->shownLine());
}

}  // namespace app
