#pragma once

#include <functional>

#include "geometry/form.h"
#include "picture.h"

namespace app {

// A Form that records every drawing operation into a Picture. It keeps the pen colour,
// the font size and the text position, and reports the outer size from its client size.
// The window wraps one and repaints from its picture; saving to a file uses one alone.
class PictureForm final : public geometry::Form {
 public:
  PictureForm(int clientWidth, int clientHeight);

  // Called by show(), and after every change of the picture.
  std::function<void()> onShow;
  std::function<void()> onChange;

  void setClientSize(int clientWidth, int clientHeight);
  [[nodiscard]] const Picture& picture() const { return picture_; }
  // The layer of each item of the picture. A run prints its label first (a line of length
  // zero to the label's spot, then the text), then marks the sites, then draws each pair's
  // red piece and its Delaunay edge in the pen colour.
  [[nodiscard]] const std::vector<Layer>& layers() const { return layers_; }
  // The picture without the items of the hidden layers.
  [[nodiscard]] Picture pictureOf(const ShownLayers& shown) const;

  void show() override;
  void refresh() override;
  void setForeColor(geometry::Colour colour) override { foreColor_ = colour; }
  [[nodiscard]] geometry::Colour foreColor() const override { return foreColor_; }
  void setFontSize(int points) override { fontSize_ = points; }
  [[nodiscard]] float width() const override;
  [[nodiscard]] float height() const override;
  void line(geometry::LineFlags flags, float x1, float y1, float x2, float y2,
            geometry::Colour colour) override;
  void circle(float x, float y, float radius, geometry::Colour colour) override;
  void print(std::string_view text) override;

 private:
  void add(PictureItem item, Layer layer);

  int clientWidth_;
  int clientHeight_;
  geometry::Colour foreColor_ = 0xFFFFFF;
  int fontSize_ = 8;
  float lineSpacing_ = 0;  // of the font of lineSpacingSize_ points
  int lineSpacingSize_ = 0;
  float textX_ = 0;
  float textY_ = 0;
  Picture picture_;
  std::vector<Layer> layers_;
  bool sitesMarked_ = false;
};

}  // namespace app
