#include "exact_layer.h"

#include <string>

#include "geometry/window_frame.h"
#include "picture/colour.h"
#include "steps/exact_steps.h"
#include "steps/literal_steps.h"

namespace app {

namespace {

using geometry::kWindowFrame;

// How the marks of one side look, and its legend.
struct Mark {
  Colour colour;
  bool dashed;
  const char* legend;
};
constexpr Mark kFloatOnly{rgb(255, 150, 40), false, "drawn by the floats"};
constexpr Mark kExactOnly{rgb(90, 255, 90), true, "drawn by exact arithmetic"};
constexpr Colour kNote = rgb(255, 255, 255);
constexpr float kMarkWidth = 3;
constexpr int kNoteSize = 9;  // points
constexpr float kNoteLeft = 480, kNoteTop = 6, kNoteLine = 15;

// The drawn piece of the pair and its Delaunay edge.
void mark(Picture& picture, const geometry::Piece& piece, const geometry::SiteColumns& sites, int i,
          int j, const Mark& look) {
  const auto at = [](double x, double y) {
    return std::pair(kWindowFrame.windowX(x), kWindowFrame.windowY(y));
  };
  const auto [x0, y0] = at(piece.x0, piece.y0);
  const auto [x1, y1] = at(piece.x1, piece.y1);
  picture.push_back(LineItem{x0, y0, x1, y1, look.colour, kMarkWidth, Layer::Overlay, look.dashed});
  const auto [xi, yi] = at(sites.x(i), sites.y(i));
  const auto [xj, yj] = at(sites.x(j), sites.y(j));
  picture.push_back(LineItem{xi, yi, xj, yj, look.colour, kMarkWidth, Layer::Overlay, look.dashed});
}

}  // namespace

Picture exactLayerPicture(const geometry::SiteColumns& sites,
                          const std::vector<std::pair<int, int>>& differing) {
  Picture picture;
  geometry::CutList cuts;
  for (const auto& [i, j] : differing) {
    const geometry::PairOutcome rounded = geometry::followPair(kWindowFrame, sites, i, j, cuts);
    const geometry::ExactOutcome exact = geometry::followPairExactly(kWindowFrame, sites, i, j);
    if (rounded.result == geometry::PairResult::Drawn) {
      mark(picture, rounded.drawn, sites, i, j, kFloatOnly);
    }
    if (!exact.undefined && exact.result == geometry::PairResult::Drawn) {
      mark(picture, exact.drawn, sites, i, j, kExactOnly);
    }
  }
  const std::size_t n = differing.size();
  picture.push_back(TextItem{
      kNoteLeft, kNoteTop,
      std::to_string(n) + (n == 1 ? " pair differs" : " pairs differ") + " from exact arithmetic",
      kNote, kNoteSize});
  float y = kNoteTop + kNoteLine + 4;
  for (const Mark& look : {kFloatOnly, kExactOnly}) {
    picture.push_back(LineItem{kNoteLeft, y + 7, kNoteLeft + 18, y + 7, look.colour, kMarkWidth,
                               Layer::Overlay, look.dashed});
    picture.push_back(TextItem{kNoteLeft + 24, y, look.legend, kNote, kNoteSize});
    y += kNoteLine;
  }
  return picture;
}

}  // namespace app
