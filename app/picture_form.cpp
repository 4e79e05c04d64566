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
  layers_.clear();
  sitesMarked_ = false;
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
  const Layer layer = flags == geometry::LineFlags::GivenColour ? Layer::VoronoiEdges
                      : sitesMarked_                            ? Layer::DelaunayEdges
                                                                : Layer::Label;
  add(LineItem{x1, y1, x2, y2, used}, layer);
  textX_ = x2;
  textY_ = y2;
}

void PictureForm::circle(float x, float y, float radius, geometry::Colour colour) {
  add(CircleItem{x, y, radius, colour}, Layer::SiteCircles);
  sitesMarked_ = true;
}

void PictureForm::print(std::string_view text) {
  add(TextItem{textX_, textY_, std::string(text), foreColor_, fontSize_}, Layer::Label);
  textX_ = 0;
  if (lineSpacingSize_ != fontSize_) {  // the font is looked up once for each size
    lineSpacing_ = static_cast<float>(QFontMetricsF(labelFont(fontSize_)).lineSpacing());
    lineSpacingSize_ = fontSize_;
  }
  textY_ += lineSpacing_;
}

Picture PictureForm::pictureOf(const ShownLayers& shown) const {
  Picture visible;
  for (std::size_t n = 0; n < picture_.size(); ++n) {
    if (shown.shows(layers_[n])) {
      visible.push_back(picture_[n]);
    }
  }
  return visible;
}

void PictureForm::add(PictureItem item, Layer layer) {
  picture_.push_back(std::move(item));
  layers_.push_back(layer);
  if (onChange) {
    onChange();
  }
}

}  // namespace app
