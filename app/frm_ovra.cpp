#include "frm_ovra.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include "picture_painter.h"
#include "window_size.h"

namespace app {

FrmOvra::FrmOvra() : form_(kClientWidth, kClientHeight) {
  setWindowTitle(QStringLiteral("frmOvra1"));
  setObjectName(QStringLiteral("frmOvra"));
  resize(kClientWidth, kClientHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);  // paintPicture fills the whole client area
  form_.onShow = [this] { QWidget::show(); };
  form_.onChange = [this] { update(); };
}

const Picture& FrmOvra::shownPicture() const {
  return explorer_ ? explorer_->picture() : form_.picture();
}

void FrmOvra::setRun(const geometry::SiteColumns& sites) {
  sites_ = std::make_unique<geometry::SiteColumns>(sites);
  explorer_.reset();
  update();
}

void FrmOvra::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  paintPicture(painter, shownPicture(), width(), height());
}

void FrmOvra::resizeEvent(QResizeEvent* event) {
  form_.setClientSize(event->size().width(), event->size().height());
  QWidget::resizeEvent(event);
}

void FrmOvra::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_E && sites_ && sites_->nSites >= 2) {
    explorer_ = explorer_ ? nullptr : std::make_unique<PairExplorer>(form_, *sites_, picture());
  } else if (explorer_ && key == Qt::Key_Escape) {
    explorer_.reset();
  } else if (explorer_ && (key == Qt::Key_Right || key == Qt::Key_Left)) {
    explorer_->step(key == Qt::Key_Right ? 1 : -1);
  } else {
    QWidget::keyPressEvent(event);
    return;
  }
  update();
}

void FrmOvra::mousePressEvent(QMouseEvent* event) {
  if (explorer_ && event->button() == Qt::LeftButton) {
    explorer_->click(event->position().x(), event->position().y());
    update();
    return;
  }
  QWidget::mousePressEvent(event);
}

}  // namespace app
