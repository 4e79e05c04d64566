#pragma once

#include <QWidget>

#include "picture_form.h"

namespace app {

// The demonstration window: caption "frmOvra1", a black client area of 753 x 475 pixels.
// Its Form records the drawing; the widget paints the recorded picture whenever asked, so
// the picture survives being covered, minimised or resized, and is sharp on any screen.
class FrmOvra final : public QWidget {
 public:
  FrmOvra();

  geometry::Form& form() { return form_; }
  [[nodiscard]] const Picture& picture() const { return form_.picture(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  PictureForm form_;
};

}  // namespace app
