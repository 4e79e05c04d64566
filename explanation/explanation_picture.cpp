#include "explanation_picture.h"

#include <QFontMetricsF>
#include <QString>
#include <cmath>
#include <type_traits>

#include "explanation_text.h"
#include "geometry/dist.h"
#include "geometry/window_frame.h"
#include "label_placer.h"
#include "picture/colour.h"
#include "picture/picture_painter.h"
#include "picture/picture_style.h"
#include "quiz.h"

namespace app {

namespace {

using geometry::kWindowFrame;

constexpr Colour kBisector = rgb(70, 120, 210);
constexpr Colour kCompetitorLine = rgb(230, 140, 50);
constexpr Colour kShadowedPiece = rgb(150, 60, 60);
constexpr Colour kSurvivingPiece = rgb(255, 0, 0);
constexpr Colour kTestedPiece = rgb(255, 230, 120);
constexpr Colour kTick = rgb(240, 200, 60);
constexpr Colour kPairSite = rgb(90, 255, 130);
constexpr Colour kBlocking = rgb(255, 90, 255);
constexpr Colour kEmptyCircle = rgb(90, 255, 130);
constexpr Colour kNumber = rgb(210, 210, 210);
constexpr Colour kBoxFill = rgb(16, 16, 28);
constexpr Colour kBoxBorder = rgb(120, 120, 140);
constexpr Colour kBoxText = rgb(255, 255, 255);
constexpr int kSmallText = 8;  // points
constexpr float kTickHalf = 5;
constexpr float kBoxMargin = 6, kBoxPadding = 5;

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

// Draws in the edge finder's domain coordinates, shifted into the window.
class Builder {
 public:
  Builder(Picture& picture, const geometry::SiteColumns& sites)
      : picture_(picture), sites_(sites) {}

  void line(double x1, double y1, double x2, double y2, Colour colour, float width = 1) {
    picture_.push_back(LineItem{kWindowFrame.windowX(x1), kWindowFrame.windowY(y1),
                                kWindowFrame.windowX(x2), kWindowFrame.windowY(y2), colour, width});
  }
  // A line from (x, y) to site k.
  void lineToSite(double x, double y, int k, Colour colour) {
    line(x, y, sites_.x(k), sites_.y(k), colour);
    std::get<LineItem>(picture_.back()).toSite = k;
  }
  void ring(int k, Colour colour, float radius = 6) {
    picture_.push_back(CircleItem{kWindowFrame.windowX(sites_.x(k)),
                                  kWindowFrame.windowY(sites_.y(k)), radius, colour, 2,
                                  Layer::Overlay, k});
  }
  // A tick across the bisector y = m1 x + c1 at (x, y).
  void tick(const geometry::PairRecord& r, double x, double y, Colour colour) {
    const double across = std::hypot(1.0, r.m1);
    const double tx = -r.m1 / across * kTickHalf, ty = 1 / across * kTickHalf;
    line(x - tx, y - ty, x + tx, y + ty, colour, 2);
  }
  void piece(const geometry::PairAccount& a, const geometry::PieceStep& p, Colour colour,
             float width) {
    const auto& from = a.sorted[static_cast<std::size_t>(p.piece - 1)];
    const auto& to = a.sorted[static_cast<std::size_t>(p.piece)];
    line(from.x, from.y, to.x, to.y, colour, width);
  }

 private:
  Picture& picture_;
  const geometry::SiteColumns& sites_;
};

// The lines of `text` broken at spaces to fit `width` pixels, in the small text shown
// textFactor times as large.
std::vector<std::string> wrapped(const std::string& text, double width, int textFactor) {
  const QFontMetricsF metrics(labelFont(kSmallText * textFactor));
  std::vector<std::string> lines{""};
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at + 1), text.size());
    const std::string word = text.substr(at, end - at);
    const std::string longer = lines.back() + word;
    if (!lines.back().empty() &&
        metrics.horizontalAdvance(QString::fromStdString(longer)) > width) {
      lines.push_back(word.substr(word.starts_with(' ') ? 1 : 0));
    } else {
      lines.back() = longer;
    }
    at = end;
  }
  return lines;
}

// The box at the bottom-left with the lines, its area kept free of labels. It is drawn into
// a picture of its own, to go on top of the rest.
Picture textBox(LabelPlacer& labels, const std::vector<std::string>& lines, int textFactor) {
  Picture picture;
  const QFontMetricsF metrics(labelFont(kSmallText * textFactor));
  double widest = 0;
  for (const std::string& line : lines) {
    widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line)));
  }
  const auto lineHeight = static_cast<float>(metrics.height());
  const float boxHeight = lineHeight * static_cast<float>(lines.size()) + 2 * kBoxPadding;
  const float top = static_cast<float>(kWindowFrame.clientHeight) - boxHeight - kBoxMargin;
  const float boxWidth = static_cast<float>(std::ceil(widest)) + 2 * kBoxPadding;
  picture.push_back(RectItem{kBoxMargin, top, boxWidth, boxHeight, kBoxFill, kBoxBorder});
  labels.reserve(QRectF(kBoxMargin, top, boxWidth + 1, boxHeight + 1));
  for (std::size_t n = 0; n < lines.size(); ++n) {
    picture.push_back(TextItem{kBoxMargin + kBoxPadding,
                               top + kBoxPadding + lineHeight * static_cast<float>(n), lines[n],
                               kBoxText, kSmallText});
  }
  return picture;
}

// The circle about the piece's midpoint through site i, and the site that shadows it.
void emptyCircle(Builder& draw, Picture& picture, const geometry::PairAccount& a,
                 const geometry::PieceStep& p, const geometry::SiteColumns& sites) {
  const float mx = kWindowFrame.windowX(p.midX), my = kWindowFrame.windowY(p.midY);
  const auto radius =
      static_cast<float>(geometry::dist(p.midX, p.midY, sites.x(a.i), sites.y(a.i)));
  picture.push_back(CircleItem{mx, my, radius, p.shadowedBy == 0 ? kEmptyCircle : kBlocking, 1});
  picture.push_back(CircleItem{mx, my, 2, kTestedPiece, 2});
  if (p.shadowedBy != 0) {
    draw.ring(p.shadowedBy, kBlocking, 8);
    draw.lineToSite(p.midX, p.midY, p.shadowedBy, kBlocking);
  }
}

}  // namespace

Picture lessonStepPicture(const Picture& normal, const Lesson& lesson, std::size_t step,
                          const geometry::SiteColumns& sites, PictureStyle style) {
  const int factor = textFactorOf(style);
  Picture picture;
  for (const PictureItem& item : normal) {
    picture.push_back(dimmedItem(item));
  }
  const geometry::PairAccount& a = lesson.account;
  const LessonStep& shown = lesson.steps[step];
  const geometry::PairRecord& r = a.pair;
  Builder draw(picture, sites);
  LabelPlacer labels(picture, kSmallText, factor);
  // The sorted list is too long for the box: its entries are the ticks' numbers, and the
  // step's line in full stands in the list beside the picture.
  const std::string caption =
      shown.kind == StepKind::SortedCuts
          ? "step " + std::to_string(step + 1) + ": the cut list sorted by x, " +
                std::to_string(a.sorted.size()) + " entries, each tick numbered by its place"
          : stepLine(lesson, step);
  const Picture box =
      textBox(labels,
              wrapped(caption + " (of " + std::to_string(lesson.steps.size()) + " steps)",
                      kWindowFrame.clientWidth - 2 * (kBoxMargin + kBoxPadding) - 2, factor),
              factor);
  draw.line(r.startX, r.startY, r.endX, r.endY, kBisector);

  // The cut points made up to this step, as ticks; labelled with the competitor while the
  // screening goes on, and with their sorted place from the sorted list on.
  const bool screening = shown.kind == StepKind::Pair || shown.kind == StepKind::Competitor;
  const std::size_t screened = shown.kind == StepKind::Pair         ? 0
                               : shown.kind == StepKind::Competitor ? shown.index + 1
                                                                    : a.competitors.size();
  std::vector<std::pair<QPointF, std::string>> tickLabels;
  if (screening) {
    for (std::size_t n = 0; n < screened; ++n) {
      const geometry::CompetitorStep& c = a.competitors[n];
      if (c.outcome == geometry::Screening::Cut) {
        draw.tick(r, c.x, c.y, kTick);
        tickLabels.emplace_back(QPointF(kWindowFrame.windowX(c.x), kWindowFrame.windowY(c.y)),
                                std::to_string(c.site));
      }
    }
  } else {
    for (std::size_t e = 0; e < a.sorted.size(); ++e) {
      draw.tick(r, a.sorted[e].x, a.sorted[e].y, kTick);
      if (shown.kind == StepKind::SortedCuts) {
        tickLabels.emplace_back(
            QPointF(kWindowFrame.windowX(a.sorted[e].x), kWindowFrame.windowY(a.sorted[e].y)),
            std::to_string(e));
      }
    }
  }

  switch (shown.kind) {
    case StepKind::Pair:
    case StepKind::SortedCuts:
      break;
    case StepKind::Competitor: {
      const geometry::CompetitorStep& c = a.competitors[shown.index];
      const geometry::PairRecord line = geometry::pairRecord(
          geometry::bisectorOf(sites.x(a.i), sites.y(a.i), sites.x(c.site), sites.y(c.site)),
          kWindowFrame);
      draw.line(line.startX, line.startY, line.endX, line.endY, kCompetitorLine);
      draw.ring(c.site, c.outcome == geometry::Screening::Blocked ? kBlocking : kCompetitorLine, 8);
      if (c.outcome == geometry::Screening::Blocked) {
        // The quadrant of site j around site i: two rays from site i, towards j's side.
        const double xi = sites.x(a.i), yi = sites.y(a.i);
        const double far = 2 * kWindowFrame.clientWidth;
        draw.line(xi, yi, xi + std::copysign(far, sites.x(a.j) - xi), yi, kBlocking);
        draw.line(xi, yi, xi, yi + std::copysign(far, sites.y(a.j) - yi), kBlocking);
      }
      break;
    }
    case StepKind::Piece: {
      for (std::size_t n = 0; n < shown.index; ++n) {
        draw.piece(a, a.pieces[n], kShadowedPiece, 2);
      }
      const geometry::PieceStep& p = a.pieces[shown.index];
      draw.piece(a, p, p.shadowedBy == 0 ? kSurvivingPiece : kTestedPiece, 3);
      emptyCircle(draw, picture, a, p, sites);
      break;
    }
    case StepKind::Result:
      for (const geometry::PieceStep& p : a.pieces) {
        const bool open = p.shadowedBy == 0;
        draw.piece(a, p, open ? kSurvivingPiece : kShadowedPiece, open ? 3 : 2);
      }
      if (a.outcome.result == geometry::PairResult::Blocked) {
        draw.ring(a.outcome.blockedBy, kBlocking, 8);
      }
      break;
  }
  draw.ring(a.i, kPairSite);
  draw.ring(a.j, kPairSite);

  // The labels: the pair's sites first, then the ticks, then the other sites.
  const auto siteLabel = [&](int k) {
    labels.place(kWindowFrame.windowX(sites.x(k)), kWindowFrame.windowY(sites.y(k)),
                 std::to_string(k), k == a.i || k == a.j ? kPairSite : kNumber);
  };
  siteLabel(a.i);
  siteLabel(a.j);
  for (const auto& [at, text] : tickLabels) {
    labels.place(static_cast<float>(at.x()), static_cast<float>(at.y()), text, kTick);
  }
  for (int k = 1; k <= sites.nSites; ++k) {
    if (k != a.i && k != a.j) {
      siteLabel(k);
    }
  }
  picture.insert(picture.end(), box.begin(), box.end());
  return styledPicture(std::move(picture), style);
}

Picture explanationPicture(const Picture& normal, const geometry::PairAccount& account,
                           const geometry::SiteColumns& sites, PictureStyle style) {
  const Lesson lesson = lessonOf(account, sites);
  return lessonStepPicture(normal, lesson, lesson.steps.size() - 1, sites, style);
}

Picture questionPicture(const Picture& normal, const geometry::PairRecord& pair, int i, int j,
                        const geometry::SiteColumns& sites, PictureStyle style) {
  const int factor = textFactorOf(style);
  ShownLayers circlesOnly;
  for (const Layer layer : {Layer::VoronoiEdges, Layer::DelaunayEdges, Layer::Label}) {
    circlesOnly.set(layer, false);
  }
  Picture picture = visibleItems(normal, circlesOnly);
  Builder draw(picture, sites);
  LabelPlacer labels(picture, kSmallText, factor);
  const Picture box = textBox(
      labels,
      {"pair " + std::to_string(i) + "-" + std::to_string(j) + ": " + answerChoices() + "?"},
      factor);
  draw.line(pair.startX, pair.startY, pair.endX, pair.endY, kBisector);
  draw.ring(i, kPairSite);
  draw.ring(j, kPairSite);
  for (const int k : {i, j}) {
    labels.place(kWindowFrame.windowX(sites.x(k)), kWindowFrame.windowY(sites.y(k)),
                 std::to_string(k), kPairSite);
  }
  picture.insert(picture.end(), box.begin(), box.end());
  return styledPicture(std::move(picture), style);
}

}  // namespace app
