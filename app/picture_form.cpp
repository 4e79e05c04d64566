#include "picture_form.h"

#include <QFontMetricsF>

#include "picture_painter.h"
#include "window_size.h"

namespace app {

PictureForm::PictureForm(int clientWidth, int clientHeight)
    : clientWidth_(clientWidth), clientHeight_(clientHeight) {}

void PictureForm::setClientSize(int clientWidth, int clientHeight) {
  clientWidth_ = clientWidth;
  clientHeight_ = clientHeight;
}

void PictureForm::show() {
  if (onShow) {
    onShow();
  }
}

// The picture is drawn once and kept, so a refresh only has to clear it.
void PictureForm::refresh() {
  picture_.clear();
  textX_ = 0;
  textY_ = 0;
  if (onChange) {
    onChange();
  }
}

float PictureForm::width() const {
  return outerWidthTwips(clientWidth_);
}
float PictureForm::height() const {
  return outerHeightTwips(clientHeight_);
}

void PictureForm::line(geometry::LineFlags flags, float x1, float y1, float x2, float y2,
                       geometry::Colour colour) {
  const geometry::Colour used = flags == geometry::LineFlags::GivenColour ? colour : foreColor_;
  add(LineItem{x1, y1, x2, y2, used});
  textX_ = x2;
  textY_ = y2;
}

void PictureForm::circle(float x, float y, float radius, geometry::Colour colour) {
  add(CircleItem{x, y, radius, colour});
}

void PictureForm::print(std::string_view text) {
  add(TextItem{textX_, textY_, std::string(text), foreColor_, fontSize_});
  textX_ = 0;
  textY_ += static_cast<float>(QFontMetricsF(labelFont(fontSize_)).lineSpacing());
}

void PictureForm::add(PictureItem item) {
  picture_.push_back(std::move(item));
  if (onChange) {
    onChange();
  }
}

}  // namespace app
