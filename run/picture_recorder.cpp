#include "picture_recorder.h"

#include "picture/text_metrics.h"

namespace app {

// The picture is drawn once and kept, so a refresh only has to clear it.
void PictureRecorder::refresh() {
  picture_.clear();
  textX_ = 0;
  textY_ = 0;
}

void PictureRecorder::labelPoint(float x, float y) {
  picture_.push_back(LineItem{x, y, x, y, penColour_, 1, Layer::Label});
  textX_ = x;
  textY_ = y;
}

void PictureRecorder::print(std::string_view text) {
  picture_.push_back(
      TextItem{textX_, textY_, std::string(text), penColour_, fontSize_, Layer::Label});
  textX_ = 0;
  if (lineSpacingSize_ != fontSize_) {  // measured once for each size
    lineSpacing_ = static_cast<float>(fontHeights(labelPixelSize(fontSize_)).height);
    lineSpacingSize_ = fontSize_;
  }
  textY_ += lineSpacing_;
}

void PictureRecorder::siteCircle(int site, float x, float y, float radius, Colour colour) {
  picture_.push_back(CircleItem{x, y, radius, colour, 1, Layer::SiteCircles, site});
}

void PictureRecorder::voronoiEdge(int i, int j, float x1, float y1, float x2, float y2) {
  const LineItem line{x1, y1, x2, y2, kVoronoiRed, 1, Layer::VoronoiEdges};
  picture_.push_back(line);
  drawn_.push_back({i, j, line, {}});
  textX_ = x2;
  textY_ = y2;
}

// Always the pair of the Voronoi edge reported just before.
void PictureRecorder::delaunayEdge(int i, int j, float x1, float y1, float x2, float y2) {
  const LineItem line{x1, y1, x2, y2, penColour_, 1, Layer::DelaunayEdges, false, i, j};
  picture_.push_back(line);
  drawn_.back().delaunay = line;
  textX_ = x2;
  textY_ = y2;
}

}  // namespace app
