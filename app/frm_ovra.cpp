#include "frm_ovra.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QToolTip>

#include "picture_painter.h"
#include "site_edits.h"
#include "window_size.h"

namespace app {

FrmOvra::FrmOvra() : form_(kClientWidth, kClientHeight) {
  setWindowTitle(QStringLiteral("frmOvra1"));
  setObjectName(QStringLiteral("frmOvra"));
  resize(kClientWidth, kClientHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);  // paintPicture fills the whole client area
  setMouseTracking(true);                 // for the cursor over a site
  setFocusPolicy(Qt::StrongFocus);
  form_.onShow = [this] { QWidget::show(); };
  form_.onChange = [this] {
    if (explorer_) {  // a new picture: the explanation of the old one no longer holds
      explorer_.reset();
      actions_.explain->setChecked(false);
    }
    update();
  };
  createActions();
}

Picture FrmOvra::shownPicture() const {
  return explorer_ ? explorer_->picture() : form_.pictureOf(layers_);
}

void FrmOvra::toggleLayer(Layer layer) {
  layers_.toggle(layer);
  actions_.layer[static_cast<int>(layer)]->setChecked(layers_.shows(layer));
  update();
}

void FrmOvra::toggleExplanation() {
  if (explorer_ || demonstration_.layout().sites.size() < 2) {
    explorer_.reset();
  } else {
    explorer_ = std::make_unique<PairExplorer>(form_, demonstration_.sites(), picture());
  }
  actions_.explain->setChecked(explorer_ != nullptr);
  updateCursor();
  update();
}

// At one device pixel to the pixel the picture is rendered as a PNG of scale 1 is, and
// shown whole; on a denser screen the painter draws it at the screen's resolution.
void FrmOvra::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (devicePixelRatioF() == 1) {
    if (rendered_.size() != size()) {
      rendered_ = QImage(size(), QImage::Format_RGB32);
    }
    renderInto(rendered_, shownPicture());
    painter.drawImage(0, 0, rendered_);
  } else {
    paintPicture(painter, shownPicture(), width(), height());
  }
}

void FrmOvra::resizeEvent(QResizeEvent* event) {
  form_.setClientSize(event->size().width(), event->size().height());
  QWidget::resizeEvent(event);
}

void FrmOvra::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (explorer_ && key == Qt::Key_Escape) {
    toggleExplanation();
  } else if (explorer_ && (key == Qt::Key_Right || key == Qt::Key_Left)) {
    explorer_->step(key == Qt::Key_Right ? 1 : -1);
    update();
  } else {
    QWidget::keyPressEvent(event);
  }
}

void FrmOvra::mousePressEvent(QMouseEvent* event) {
  pointer_ = event->position();
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  if (explorer_) {
    explorer_->click(pointer_.x(), pointer_.y());
    update();
    return;
  }
  if (editor_.press(pointer_.x(), pointer_.y()) == SiteEditor::Press::AtSiteLimit) {
    QToolTip::showText(event->globalPosition().toPoint(),
                       QStringLiteral("The limit is %1 sites").arg(kSiteLimit), this);
  }
  updateCursor();
}

void FrmOvra::mouseMoveEvent(QMouseEvent* event) {
  pointer_ = event->position();
  if (editor_.dragging()) {
    editor_.drag(pointer_.x(), pointer_.y());
  }
  updateCursor();
}

void FrmOvra::mouseReleaseEvent(QMouseEvent* event) {
  pointer_ = event->position();
  if (event->button() == Qt::LeftButton) {
    editor_.release();
  }
  updateCursor();
}

void FrmOvra::removeSiteUnderPointer() {
  if (!explorer_) {
    editor_.removeAt(pointer_.x(), pointer_.y());
    updateCursor();
  }
}

// An open hand over a site that can be dragged, a closed one while it is dragged.
void FrmOvra::updateCursor() {
  if (editor_.dragging()) {
    setCursor(Qt::ClosedHandCursor);
  } else if (!explorer_ && siteUnder(demonstration_.layout().sites, pointer_.x(), pointer_.y())) {
    setCursor(Qt::OpenHandCursor);
  } else {
    unsetCursor();
  }
}

}  // namespace app
