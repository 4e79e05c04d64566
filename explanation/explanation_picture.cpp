#include "explanation_picture.h"

#include <QFontMetricsF>
#include <QString>
#include <cmath>
#include <type_traits>

#include "explanation_text.h"
#include "geometry/window_frame.h"
#include "picture/colour.h"
#include "picture/picture_painter.h"

namespace app {

namespace {

using geometry::kWindowFrame;

constexpr Colour kBisector = rgb(70, 120, 210);
constexpr Colour kShadowedPiece = rgb(150, 60, 60);
constexpr Colour kSurvivingPiece = rgb(255, 0, 0);
constexpr Colour kTick = rgb(240, 200, 60);
constexpr Colour kPairSite = rgb(90, 255, 130);
constexpr Colour kBlocking = rgb(255, 90, 255);
constexpr Colour kNumber = rgb(210, 210, 210);
constexpr Colour kBoxFill = rgb(16, 16, 28);
constexpr Colour kBoxBorder = rgb(120, 120, 140);
constexpr Colour kBoxText = rgb(255, 255, 255);
constexpr int kSmallText = 8;  // points
constexpr float kTickHalf = 5;

Colour dimmed(Colour c) {
  const auto dim = [](int channel) { return channel * 35 / 100; };
  return rgb(dim(redOf(c)), dim(greenOf(c)), dim(blueOf(c)));
}

// The item with its colours dimmed.
PictureItem dimmedItem(PictureItem item) {
  std::visit(
      [](auto& shape) {
        if constexpr (std::is_same_v<std::decay_t<decltype(shape)>, RectItem>) {
          shape.fill = dimmed(shape.fill);
          shape.border = dimmed(shape.border);
        } else {
          shape.colour = dimmed(shape.colour);
        }
      },
      item);
  return item;
}

class Builder {
 public:
  explicit Builder(Picture& picture) : picture_(picture) {}

  void line(double x1, double y1, double x2, double y2, Colour colour, float width = 1) {
    picture_.push_back(LineItem{kWindowFrame.windowX(x1), kWindowFrame.windowY(y1),
                                kWindowFrame.windowX(x2), kWindowFrame.windowY(y2), colour, width});
  }
  void ring(const geometry::SiteColumns& sites, int k, Colour colour) {
    picture_.push_back(CircleItem{kWindowFrame.windowX(sites.x(k)),
                                  kWindowFrame.windowY(sites.y(k)), 6, colour, 2});
  }
  void text(float x, float y, const std::string& text, Colour colour) {
    picture_.push_back(TextItem{x, y, text, colour, kSmallText});
  }

 private:
  Picture& picture_;
};

}  // namespace

Picture explanationPicture(const Picture& normal, const geometry::PairAccount& account,
                           const geometry::SiteColumns& sites) {
  Picture picture;
  for (const PictureItem& item : normal) {
    picture.push_back(dimmedItem(item));
  }
  Builder draw(picture);
  const geometry::PairRecord& r = account.pair;
  const int i = account.i, j = account.j;
  draw.line(r.startX, r.startY, r.endX, r.endY, kBisector);

  // The tested pieces: shadowed ones faint, the surviving one bright and wide.
  for (const geometry::PieceStep& piece : account.pieces) {
    const auto& from = account.sorted[static_cast<std::size_t>(piece.piece - 1)];
    const auto& to = account.sorted[static_cast<std::size_t>(piece.piece)];
    const bool open = piece.shadowedBy == 0;
    draw.line(from.x, from.y, to.x, to.y, open ? kSurvivingPiece : kShadowedPiece, open ? 3 : 2);
  }

  // A tick across the bisector at each cut point, labelled with the competitor.
  const double across = std::hypot(1.0, r.m1);
  const double tx = -r.m1 / across * kTickHalf, ty = 1 / across * kTickHalf;
  for (const geometry::CompetitorStep& step : account.competitors) {
    if (step.outcome == geometry::Screening::Cut) {
      draw.line(step.x - tx, step.y - ty, step.x + tx, step.y + ty, kTick, 2);
      draw.text(kWindowFrame.windowX(step.x + 2 * tx) + 2,
                kWindowFrame.windowY(step.y + 2 * ty) - 6, std::to_string(step.site), kTick);
    }
  }

  if (account.outcome.result == geometry::PairResult::Blocked) {
    const int k = account.outcome.blockedBy;
    draw.ring(sites, k, kBlocking);
    // The quadrant of site j around site i: two rays from site i, towards j's side.
    const double xi = sites.x(i), yi = sites.y(i);
    const double far = 2 * kWindowFrame.clientWidth;
    draw.line(xi, yi, xi + std::copysign(far, sites.x(j) - xi), yi, kBlocking);
    draw.line(xi, yi, xi, yi + std::copysign(far, sites.y(j) - yi), kBlocking);
  }
  draw.ring(sites, i, kPairSite);
  draw.ring(sites, j, kPairSite);
  for (int k = 1; k <= sites.nSites; ++k) {
    draw.text(kWindowFrame.windowX(sites.x(k)) + 5, kWindowFrame.windowY(sites.y(k)) - 16,
              std::to_string(k), kNumber);
  }

  // The result box.
  std::vector<std::string> lines{resultLine(i, j, account.outcome)};
  int cuts = 0;
  for (const auto& step : account.competitors) {
    cuts += step.outcome == geometry::Screening::Cut ? 1 : 0;
  }
  lines.push_back(std::to_string(account.competitors.size()) + " of " +
                  std::to_string(sites.nSites - 2) + " competitors screened, " +
                  std::to_string(cuts) + " cut the bisector");
  if (account.outcome.result != geometry::PairResult::Blocked) {
    lines.push_back(std::to_string(account.pieces.size()) + " of " +
                    std::to_string(account.sorted.size() - 1) + " pieces tested");
  }
  const QFontMetricsF metrics(labelFont(kSmallText));
  double widest = 0;
  for (const std::string& line : lines) {
    widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line)));
  }
  const auto lineHeight = static_cast<float>(metrics.lineSpacing());
  const float boxHeight = lineHeight * static_cast<float>(lines.size()) + 8;
  const float top = static_cast<float>(kWindowFrame.clientHeight) - boxHeight - 6;
  picture.push_back(RectItem{6, top, static_cast<float>(std::ceil(widest)) + 10, boxHeight,
                             kBoxFill, kBoxBorder});
  for (std::size_t n = 0; n < lines.size(); ++n) {
    draw.text(11, top + 4 + lineHeight * static_cast<float>(n), lines[n], kBoxText);
  }
  return picture;
}

}  // namespace app
