#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <QToolTip>
#include <algorithm>
#include <climits>
#include <cmath>

#include "document/site_placement.h"
#include "explanation/exact_comparison.h"
#include "explanation/exact_layer.h"
#include "explanation/lesson_documents.h"
#include "geometry/window_frame.h"
#include "picture/colour.h"
#include "picture/file_output.h"
#include "picture/picture_file.h"
#include "picture/picture_painter.h"
#include "picture_fit.h"
#include "run/failure_search.h"

namespace app {

namespace {

using geometry::kWindowFrame;

const QString kSiteListFilter = QStringLiteral("Site lists (*.txt);;All files (*)");
// The settings key of the style shown, remembered from one start to the next in the
// user's configuration folder ($XDG_CONFIG_HOME/voronoi-delaunay/view.conf).
const QString kStyleSetting = QStringLiteral("view/style");

QSettings viewSettings() {
  return QSettings(QStringLiteral("voronoi-delaunay"), QStringLiteral("view"));
}

// The style the window showed when it was last used, or the normal one.
PictureStyle rememberedStyle() {
  return pictureStyleNamed(viewSettings().value(kStyleSetting).toString())
      .value_or(PictureStyle::Normal);
}
constexpr Colour kProbe = rgb(255, 255, 255);

// The largest empty circle at the pointer: centred there, reaching the nearest site, which
// is ringed. On a Voronoi edge it touches two sites.
void addProbe(Picture& picture, const SitePositions& sites, QPointF at) {
  const auto nearest = std::min_element(
      sites.begin(), sites.end(), [&](const SitePosition& a, const SitePosition& b) {
        return std::hypot(a.x - at.x(), a.y - at.y()) < std::hypot(b.x - at.x(), b.y - at.y());
      });
  if (nearest == sites.end()) {
    return;
  }
  const auto radius = static_cast<float>(std::hypot(nearest->x - at.x(), nearest->y - at.y()));
  const auto x = static_cast<float>(at.x()), y = static_cast<float>(at.y());
  picture.push_back(CircleItem{x, y, radius, kProbe, 1});
  picture.push_back(CircleItem{x, y, 1.5f, kProbe, 1});
  picture.push_back(CircleItem{static_cast<float>(nearest->x), nearest->y, 6, kProbe, 2});
}

// Does `act` with the path the user chose in a file dialog, if any, and shows the problem it
// reports in a box.
template <class Act>
void warnOfProblem(QWidget* parent, const QString& title, const QString& path, Act act) {
  if (path.isEmpty()) {
    return;
  }
  if (const QString problem = act(path); !problem.isEmpty()) {
    QMessageBox::warning(parent, title, problem);
  }
}

}  // namespace

MainWindow::MainWindow()
    : panel_(
          [this](std::size_t step) {
            if (explorer_ && !explorer_->asking()) {
              explorer_->showStep(static_cast<std::ptrdiff_t>(step));
              explorerChanged();
            }
          },
          [this](geometry::PairResult guess) { answerQuestion(guess); }),
      style_(rememberedStyle()) {
  setWindowTitle(QStringLiteral("frmOvra1"));
  setObjectName(QStringLiteral("frmOvra"));
  resize(kWindowFrame.clientWidth, kWindowFrame.clientHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);  // the paint fills the whole client area
  setMouseTracking(true);                 // for the cursor over a site
  setFocusPolicy(Qt::StrongFocus);
  createActions();
  action(ActionId::ProjectorStyle)->setChecked(style_ == PictureStyle::Projector);
  connect(&document_, &Document::changed, this, [this] { pictureChanged(); });
  connect(&document_, &Document::runFailed, this,
          [this](const QString& message) { QMessageBox::critical(this, windowTitle(), message); });
}

Picture MainWindow::shownPicture() const {
  if (isOn(ActionId::BlankScreen)) {
    return {};
  }
  // The marks over the picture: the exact layer's (outside a lesson) and the probe's.
  Picture marks;
  if (isOn(ActionId::ExactLayer) && !explorer_) {
    marks = exactMarks_;
  }
  if (isOn(ActionId::Probe)) {
    addProbe(marks, document_.layout().sites, pointer_);
  }
  Picture shown = explorer_ ? explorer_->picture()  // made in the style already
                            : styledPicture(visibleItems(picture(), layers_), style_);
  const Picture styledMarks = styledPicture(std::move(marks), style_);
  shown.insert(shown.end(), styledMarks.begin(), styledMarks.end());
  return shown;
}

void MainWindow::setPictureStyle(PictureStyle style) {
  style_ = style;
  viewSettings().setValue(kStyleSetting, styleName(style));
  action(ActionId::ProjectorStyle)->setChecked(style == PictureStyle::Projector);
  if (explorer_) {
    explorer_->setStyle(style);
  }
  update();
}

void MainWindow::toggleFullScreen() {
  if (isFullScreen()) {
    showNormal();
  } else {
    showFullScreen();
  }
  action(ActionId::FullScreen)->setChecked(isFullScreen());
}

// The screen goes black and the lesson panel hides; on the way back both return.
void MainWindow::blankScreen(bool blank) {
  action(ActionId::BlankScreen)->setChecked(blank);
  if (blank) {
    panel_.hide();
  } else {
    explorerChanged();
  }
  update();
}

QAction* MainWindow::action(ActionId id, Layer layer) const {
  return actions_.at({id, layer});
}

void MainWindow::createActions() {
  for (const ActionEntry& entry : actionTable()) {
    auto* a = new QAction(entry.name, this);
    a->setShortcuts(entry.keys);
    a->setShortcutVisibleInContextMenu(true);
    a->setCheckable(entry.checkable);
    a->setChecked(entry.id == ActionId::ToggleLayer);
    a->setEnabled(entry.when == ActionWhen::Always);
    connect(a, &QAction::triggered, this, [this, &entry] { trigger(entry); });
    addAction(a);
    actions_[{entry.id, entry.layer}] = a;
  }
}

void MainWindow::trigger(const ActionEntry& entry) {
  switch (entry.id) {
    case ActionId::NewRun:
      document_.newRun();
      break;
    case ActionId::Undo:
      document_.history().undo();
      break;
    case ActionId::Redo:
      document_.history().redo();
      break;
    case ActionId::RemoveSite:
      if (!explorer_) {
        document_.removeAt(pointer_.x(), pointer_.y());
        updateCursor();
      }
      break;
    case ActionId::CopySites:
      QGuiApplication::clipboard()->setText(document_.siteListText());
      break;
    case ActionId::PasteSites:
      pasteSites();
      break;
    case ActionId::OpenSites:
      openSites();
      break;
    case ActionId::OpenLastLayout:
      if (const QString problem = document_.openLastLayout(); !problem.isEmpty()) {
        QMessageBox::warning(this, entry.name, problem);
      }
      break;
    case ActionId::SaveSites:
      saveSitesAs();
      break;
    case ActionId::SavePicture:
      savePictureAs();
      break;
    case ActionId::ToggleLayer:
      toggleLayer(entry.layer);
      break;
    case ActionId::Explain:
      setExplaining(!explorer_);
      break;
    case ActionId::NextPair:
    case ActionId::PreviousPair:
      if (explorer_ && !explorer_->asking()) {
        explorer_->step(entry.id == ActionId::NextPair ? 1 : -1);
        explorerChanged();
      }
      break;
    case ActionId::NextStep:
    case ActionId::PreviousStep:
    case ActionId::FirstStep:
    case ActionId::LastStep:
      if (explorer_ && !explorer_->asking()) {
        const auto now = static_cast<std::ptrdiff_t>(explorer_->currentStep());
        explorer_->showStep(entry.id == ActionId::NextStep       ? now + 1
                            : entry.id == ActionId::PreviousStep ? now - 1
                            : entry.id == ActionId::FirstStep    ? 0
                                                                 : PTRDIFF_MAX);
        explorerChanged();
      }
      break;
    case ActionId::LeaveExplanation:
      setExplaining(false);
      break;
    case ActionId::Ask:
      askQuestion();
      break;
    case ActionId::AnswerDrawn:
      answerQuestion(geometry::PairResult::Drawn);
      break;
    case ActionId::AnswerBlocked:
      answerQuestion(geometry::PairResult::Blocked);
      break;
    case ActionId::AnswerShadowed:
      answerQuestion(geometry::PairResult::Shadowed);
      break;
    case ActionId::ExactLayer:
      compareWithExact();
      explorerChanged();
      break;
    case ActionId::FindFailure:
      findFailure();
      break;
    case ActionId::Probe:
      update();
      break;
    case ActionId::FullScreen:
      toggleFullScreen();
      break;
    case ActionId::ProjectorStyle:
      setPictureStyle(isOn(ActionId::ProjectorStyle) ? PictureStyle::Projector
                                                     : PictureStyle::Normal);
      break;
    case ActionId::BlankScreen:
      blankScreen(isOn(ActionId::BlankScreen));
      break;
    case ActionId::Help:
      QMessageBox::information(this, QStringLiteral("Mouse and keys"), helpTable());
      break;
  }
}

// A new picture: the explanation of the old one no longer holds.
void MainWindow::pictureChanged() {
  if (explorer_) {
    setExplaining(false);
  }
  compareWithExact();
  update();
}

MainWindow::~MainWindow() {
  stopComparing();
}

void MainWindow::stopComparing() {
  if (cancelComparison_) {
    cancelComparison_->store(true);
  }
  if (comparison_.joinable()) {
    comparison_.join();  // it looks at the flag between pairs, a few milliseconds apart
  }
  cancelComparison_.reset();
}

void MainWindow::compareWithExact() {
  stopComparing();
  exactMarks_.clear();
  update();
  if (!isOn(ActionId::ExactLayer) || !document_.current().completed()) {
    return;
  }
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  cancelComparison_ = cancel;
  comparison_ =
      std::thread([this, cancel, layout = document_.layout(), sites = document_.current().sites] {
        const auto differing =
            pairsDifferingFromExact(layout, [&cancel] { return cancel->load(); });
        if (cancel->load()) {
          return;
        }
        Picture marks = exactLayerPicture(*sites, differing);
        QMetaObject::invokeMethod(
            this,
            [this, cancel, marks = std::move(marks)] {
              if (!cancel->load()) {
                exactMarks_ = marks;
                update();
              }
            },
            Qt::QueuedConnection);
      });
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

void MainWindow::setExplaining(bool on) {
  if (on && document_.current().completed() && document_.layout().sites.size() >= 2) {
    explorer_ = std::make_unique<PairExplorer>(document_.current(), style_);
  } else {
    explorer_.reset();
    quiz_.reset();
    verdict_.clear();
  }
  action(ActionId::Explain)->setChecked(explorer_ != nullptr);
  updateCursor();
  explorerChanged();
}

void MainWindow::explorerChanged() {
  const bool asking = explorer_ && explorer_->asking();
  for (const ActionEntry& entry : actionTable()) {
    if (entry.when != ActionWhen::Always) {
      action(entry.id)->setEnabled(entry.when == ActionWhen::Explaining ? explorer_ != nullptr
                                                                        : asking);
    }
  }
  if (!explorer_ || isOn(ActionId::BlankScreen)) {
    const bool active = isActiveWindow() || panel_.isActiveWindow();
    panel_.hide();
    if (active) {
      activateWindow();
    }
  } else {
    const QString score =
        quiz_ ? QStringLiteral(" Score: %1 of %2.").arg(quiz_->right()).arg(quiz_->answered())
              : QString();
    const QString pair = QStringLiteral("Pair %1-%2.").arg(explorer_->i()).arg(explorer_->j());
    if (asking) {
      panel_.showQuestion(explorer_->i(), explorer_->j(),
                          QStringLiteral("Question %1 of %2: pair %3-%4.")
                                  .arg(quiz_->answered() + 1)
                                  .arg(Quiz::kQuestions)
                                  .arg(explorer_->i())
                                  .arg(explorer_->j()) +
                              score);
    } else {
      // With the exact layer shown, the steps where exact arithmetic differs are marked:
      // the one pair is followed exactly, a matter of milliseconds.
      std::vector<std::string> exact;
      if (isOn(ActionId::ExactLayer)) {
        const Lesson& lesson = explorer_->lesson();
        exact = exactAgreement(lesson,
                               geometry::accountExactly(kWindowFrame, *document_.current().sites,
                                                        explorer_->i(), explorer_->j()));
      }
      panel_.showLesson(explorer_->lesson(), explorer_->currentStep(),
                        (verdict_.isEmpty() ? pair : verdict_) + score, exact);
    }
    if (!panel_.isVisible()) {
      // The keyboard stays with this window, whatever the window system does with a new one.
      const bool active = isActiveWindow();
      panel_.move(frameGeometry().topRight() + QPoint(8, 0));
      panel_.show();
      if (active) {
        activateWindow();
      }
    }
  }
  update();
}

// Q: a question on the next pair of the round, in the order the run's seed gives.
void MainWindow::askQuestion() {
  if (!explorer_) {
    setExplaining(true);
  }
  if (!explorer_ || explorer_->asking()) {
    return;
  }
  if (!quiz_) {
    quiz_.emplace(document_.layout().seed, static_cast<int>(document_.layout().sites.size()));
  }
  const auto [i, j] = quiz_->ask();
  explorer_->ask(i, j);
  verdict_.clear();
  explorerChanged();
}

// 1, 2, 3: the answer; then the pair's lesson opens at the step that decided it.
void MainWindow::answerQuestion(geometry::PairResult guess) {
  if (!explorer_ || !explorer_->asking()) {
    return;
  }
  const geometry::PairResult truth = explorer_->lesson().account.outcome.result;
  const bool right = quiz_->answer(guess, truth);
  explorer_->showStep(static_cast<std::ptrdiff_t>(explorer_->lesson().decidingStep()));
  const char* names[] = {"blocked", "shadowed", "drawn"};
  verdict_ = (right ? QStringLiteral("Right: pair %1-%2 is %3.")
                    : QStringLiteral("Not so: pair %1-%2 is %3."))
                 .arg(explorer_->i())
                 .arg(explorer_->j())
                 .arg(QString::fromLatin1(names[static_cast<int>(truth)]));
  if (quiz_->roundOver()) {
    verdict_ += QStringLiteral(" End of the round; Q starts the next.");
  }
  explorerChanged();
}

void MainWindow::toggleLayer(Layer layer) {
  layers_.toggle(layer);
  action(ActionId::ToggleLayer, layer)->setChecked(layers_.shows(layer));
  update();
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
    painter.fillRect(rect(), Qt::black);
  }
  if (fit.scale == 1 && devicePixelRatioF() == 1) {
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
  if (explorer_) {
    explorer_->click(pointer_.x(), pointer_.y());
    explorerChanged();
    return;
  }
  if (!document_.press(pointer_.x(), pointer_.y())) {
    QToolTip::showText(event->globalPosition().toPoint(),
                       QStringLiteral("The limit is %1 sites").arg(kSiteLimit), this);
  }
  updateCursor();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  pointer_ = inPicture(event->position());
  if (isOn(ActionId::Probe)) {
    update();
  }
  if (document_.dragging()) {
    document_.drag(pointer_.x(), pointer_.y());
  }
  updateCursor();
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  pointer_ = inPicture(event->position());
  if (event->button() == Qt::LeftButton) {
    document_.release();
  }
  updateCursor();
}

// An open hand over a site that can be dragged, a closed one while it is dragged.
void MainWindow::updateCursor() {
  if (document_.dragging()) {
    setCursor(Qt::ClosedHandCursor);
  } else if (!explorer_ && siteUnder(document_.layout().sites, pointer_.x(), pointer_.y())) {
    setCursor(Qt::OpenHandCursor);
  } else {
    unsetCursor();
  }
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
  pointer_ = inPicture(event->pos());
  QMenu menu(this);
  fillMenu(menu, !explorer_ &&
                     siteUnder(document_.layout().sites, pointer_.x(), pointer_.y()).has_value());
  menu.exec(event->globalPos());
}

void MainWindow::fillMenu(QMenu& menu, bool onSite) {
  menu.addAction(QStringLiteral("Seed %1").arg(document_.layout().seed))->setEnabled(false);
  action(ActionId::Undo)->setEnabled(document_.history().canUndo());
  action(ActionId::Redo)->setEnabled(document_.history().canRedo());
  // The table's order, with a separator where the kind of action changes.
  const ActionId groupStarts[] = {ActionId::NewRun, ActionId::CopySites, ActionId::ToggleLayer,
                                  ActionId::Explain};
  for (const ActionEntry& entry : actionTable()) {
    if (std::find(std::begin(groupStarts), std::end(groupStarts), entry.id) !=
            std::end(groupStarts) &&
        (entry.id != ActionId::ToggleLayer || entry.layer == kHideableLayers.front().layer)) {
      menu.addSeparator();
    }
    if ((entry.id == ActionId::RemoveSite && !onSite) ||
        (entry.when == ActionWhen::Explaining && !explorer_) ||
        (entry.when == ActionWhen::Asking && !(explorer_ && explorer_->asking()))) {
      continue;
    }
    menu.addAction(action(entry.id, entry.layer));
  }
}

// Edits that were never saved are not lost by closing: the user may save them as a site
// list, discard them, or stay.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (!document_.hasUnsavedChanges()) {
    event->accept();
    return;
  }
  const auto answer = QMessageBox::question(
      this, windowTitle(),
      QStringLiteral("The sites have changed since they were last saved. Save them as a site "
                     "list before closing?"),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) {
    saveSitesAs();
  }
  if (answer == QMessageBox::Discard || !document_.hasUnsavedChanges()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::pasteSites() {
  const QString problem = document_.pasteSiteList(QGuiApplication::clipboard()->text().toUtf8(),
                                                  QStringLiteral("clipboard"));
  if (!problem.isEmpty()) {
    QMessageBox::warning(this, QStringLiteral("Paste sites"), problem);
  }
}

void MainWindow::saveSitesAs() {
  const QString title = QStringLiteral("Save site list");
  warnOfProblem(this, title, QFileDialog::getSaveFileName(this, title, {}, kSiteListFilter),
                [this](const QString& path) { return document_.saveSiteList(path); });
}

void MainWindow::openSites() {
  const QString title = QStringLiteral("Open site list");
  warnOfProblem(this, title, QFileDialog::getOpenFileName(this, title, {}, kSiteListFilter),
                [this](const QString& path) { return document_.openSiteList(path); });
}

void MainWindow::savePictureAs() {
  const QString title = QStringLiteral("Save picture");
  QStringList filters{
      QStringLiteral("PNG pictures (*.png)"), QStringLiteral("SVG pictures (*.svg)"),
      QStringLiteral("PDF documents (*.pdf)"), QStringLiteral("TikZ figures for LaTeX (*.tex)")};
  const QString handout = QStringLiteral("The pair's lesson as a PDF handout (*.pdf)");
  const QString slides = QStringLiteral("The pair's lesson as a Beamer frame (*.tex)");
  if (explorer_ && !explorer_->asking()) {
    filters << handout << slides;
  }
  QString chosen;
  const QString path = QFileDialog::getSaveFileName(this, title, QStringLiteral("picture.png"),
                                                    filters.join(QStringLiteral(";;")), &chosen);
  warnOfProblem(this, title, path, [&](const QString& chosenPath) {
    return saveShown(chosenPath, chosen == handout || chosen == slides);
  });
}

QString MainWindow::saveShown(const QString& path, bool wholeLesson) const {
  const std::optional<PictureFormat> format = pictureFormatFor(path);
  if (!wholeLesson || !explorer_ || explorer_->asking() ||
      (format != PictureFormat::Pdf && format != PictureFormat::Tex)) {
    return Document::savePicture(path, shownPicture());
  }
  const geometry::SiteColumns& sites = *document_.current().sites;
  return writeWholeFile(path,
                        format == PictureFormat::Pdf
                            ? lessonHandout(picture(), explorer_->lesson(), sites, style_)
                            : lessonBeamerFrame(picture(), explorer_->lesson(), sites, style_));
}

}  // namespace app
