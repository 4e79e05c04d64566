#pragma once

#include <QWidget>
#include <memory>

#include "pair_explorer.h"
#include "picture_form.h"

namespace app {

// The demonstration window: caption "frmOvra1", a black client area of 753 x 475 pixels.
// Its Form records the drawing; the widget paints the recorded picture whenever asked, so
// the picture survives being covered, minimised or resized, and is sharp on any screen.
//
// E switches to the explanation mode and back: there the window shows why the edge
// finder draws a pair or not (see PairExplorer); a click on two sites or on an edge picks
// the pair, Right and Left step through the pairs, Escape leaves.
class FrmOvra final : public QWidget {
 public:
  FrmOvra();

  geometry::Form& form() { return form_; }
  [[nodiscard]] const Picture& picture() const { return form_.picture(); }
  // The picture on screen: the run's, or in explanation mode the pair's.
  [[nodiscard]] const Picture& shownPicture() const;

  // The sites of the run just drawn, for the explanation mode.
  void setRun(const geometry::SiteColumns& sites);
  [[nodiscard]] const PairExplorer* explorer() const { return explorer_.get(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  PictureForm form_;
  std::unique_ptr<geometry::SiteColumns> sites_;
  std::unique_ptr<PairExplorer> explorer_;  // set while in explanation mode
};

}  // namespace app
