#pragma once

#include <vector>

#include "picture/picture.h"
#include "run_canvas.h"

namespace app {

// A pair whose edges the edge finder drew, with its two lines as they were drawn.
struct DrawnPair {
  int i, j;
  LineItem voronoi, delaunay;
};

// A RunCanvas that records every drawing operation into a Picture, each item in its layer
// and with the sites it marks or joins, and keeps the list of drawn pairs. It keeps the pen
// colour, the font size and the text position. Nothing is shown: whoever holds the picture
// shows or writes it.
class PictureRecorder final : public RunCanvas {
 public:
  [[nodiscard]] const Picture& picture() const { return picture_; }
  [[nodiscard]] Picture takePicture() { return std::move(picture_); }
  [[nodiscard]] std::vector<DrawnPair> takeDrawnPairs() { return std::move(drawn_); }

  void show() override {}
  void refresh() override;
  void setPenColour(Colour colour) override { penColour_ = colour; }
  [[nodiscard]] Colour penColour() const override { return penColour_; }
  void setFontSize(int points) override { fontSize_ = points; }
  void labelPoint(float x, float y) override;
  void print(std::string_view text) override;
  void siteCircle(int site, float x, float y, float radius, Colour colour) override;
  void voronoiEdge(int i, int j, float x1, float y1, float x2, float y2) override;
  void delaunayEdge(int i, int j, float x1, float y1, float x2, float y2) override;

 private:
  Colour penColour_ = 0xFFFFFF;
  int fontSize_ = 8;
  float lineSpacing_ = 0;  // of the font of lineSpacingSize_ points
  int lineSpacingSize_ = 0;
  float textX_ = 0;
  float textY_ = 0;
  Picture picture_;
  std::vector<DrawnPair> drawn_;
};

}  // namespace app
