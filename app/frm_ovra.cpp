#include "frm_ovra.h"

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

void FrmOvra::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  paintPicture(painter, form_.picture(), width(), height());
}

void FrmOvra::resizeEvent(QResizeEvent* event) {
  form_.setClientSize(event->size().width(), event->size().height());
  QWidget::resizeEvent(event);
}

}  // namespace app
