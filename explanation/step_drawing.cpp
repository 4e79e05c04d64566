#include "step_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <type_traits>

#include "geometry/dist.h"
#include "geometry/window_frame.h"
#include "picture/text_metrics.h"

namespace app {

namespace {

using geometry::kWindowFrame;

constexpr Colour kBoxFill = rgb(16, 16, 28);
constexpr Colour kBoxBorder = rgb(120, 120, 140);
constexpr Colour kBoxText = rgb(255, 255, 255);
constexpr Colour kArrow = rgb(255, 255, 255);
constexpr float kTickHalf = 5;
constexpr float kBoxMargin = 6, kBoxPadding = 5;
constexpr float kSample = 24;       // a legend sample's length: two dashes of a dashed one
constexpr float kArrowLength = 14;  // an arrow at the border, pointing outwards

Colour dimmed(Colour c) {
  const auto dim = [](int channel) { return channel * 35 / 100; };
  return rgb(dim(redOf(c)), dim(greenOf(c)), dim(blueOf(c)));
}

// The lines of `text` broken at spaces to fit `width` pixels, in the small text shown
// textFactor times as large.
std::vector<std::string> wrapped(const std::string& text, double width, int textFactor) {
  const int pixels = labelPixelSize(kSmallText * textFactor);
  std::vector<std::string> lines{""};
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at + 1), text.size());
    const std::string word = text.substr(at, end - at);
    const std::string longer = lines.back() + word;
    if (!lines.back().empty() && textAdvance(longer, pixels) > width) {
      lines.push_back(word.substr(word.starts_with(' ') ? 1 : 0));
    } else {
      lines.back() = longer;
    }
    at = end;
  }
  return lines;
}

bool inside(PixelPoint p) {
  return p.x() >= 0 && p.y() >= 0 && p.x() <= kWindowFrame.clientWidth &&
         p.y() <= kWindowFrame.clientHeight;
}

// Where a point shows: itself inside the picture, else the tip of its arrow, where the line
// from the picture's centre to it leaves the picture.
PixelPoint shownAt(PixelPoint p) {
  if (inside(p)) {
    return p;
  }
  const PixelPoint centre(kWindowFrame.clientWidth / 2.0, kWindowFrame.clientHeight / 2.0);
  const PixelPoint towards = p - centre;
  const double scale = std::min(
      !geometry::exactlyEqual(towards.x(), 0) ? (centre.x() - 2) / std::abs(towards.x()) : 1e9,
      !geometry::exactlyEqual(towards.y(), 0) ? (centre.y() - 2) / std::abs(towards.y()) : 1e9);
  return centre + towards * scale;
}

// An arrow from `tail` to `tip`, with two barbs.
void addArrow(Picture& picture, PixelPoint tail, PixelPoint tip) {
  const PixelPoint along = (tip - tail) / std::hypot(tip.x() - tail.x(), tip.y() - tail.y());
  const PixelPoint side(-along.y(), along.x());
  const auto f = [](double v) { return static_cast<float>(v); };
  const PixelPoint barb1 = tip - along * 5 + side * 4, barb2 = tip - along * 5 - side * 4;
  const LineItem lines[] = {{f(tail.x()), f(tail.y()), f(tip.x()), f(tip.y()), kArrow, 2},
                            {f(tip.x()), f(tip.y()), f(barb1.x()), f(barb1.y()), kArrow, 2},
                            {f(tip.x()), f(tip.y()), f(barb2.x()), f(barb2.y()), kArrow, 2}};
  picture.insert(picture.end(), std::begin(lines), std::end(lines));
}

}  // namespace

// Which part of the segment from a to b shows in the picture, as the fractions of the way
// from a where it enters and leaves (Liang and Barsky's clipping); none when it misses it.
std::optional<std::pair<double, double>> visibleSpan(PixelPoint a, PixelPoint b) {
  double from = 0, to = 1;
  const PixelPoint d = b - a;
  const std::array<std::pair<double, double>, 4> sides{
      std::pair{-d.x(), a.x()}, std::pair{d.x(), kWindowFrame.clientWidth - a.x()},
      std::pair{-d.y(), a.y()}, std::pair{d.y(), kWindowFrame.clientHeight - a.y()}};
  for (const auto& [p, q] : sides) {
    if (p < 0) {
      from = std::max(from, q / p);
    } else if (p > 0) {
      to = std::min(to, q / p);
    } else if (q < 0) {  // along a side, outside it
      return std::nullopt;
    }
  }
  return from > to ? std::nullopt : std::optional(std::pair{from, to});
}

std::optional<VisiblePiece> visiblePiece(const geometry::PairAccount& a, int piece) {
  const geometry::CutEntry& from = a.sorted[static_cast<std::size_t>(piece - 1)];
  const geometry::CutEntry& to = a.sorted[static_cast<std::size_t>(piece)];
  const PixelPoint start(kWindowFrame.windowX(from.x), kWindowFrame.windowY(from.y));
  const PixelPoint end(kWindowFrame.windowX(to.x), kWindowFrame.windowY(to.y));
  const auto span = visibleSpan(start, end);
  if (!span) {
    return std::nullopt;
  }
  const PixelPoint along = end - start;
  return VisiblePiece{start + along * ((span->first + span->second) / 2),
                      (span->second - span->first) * std::hypot(along.x(), along.y())};
}

std::string sortedPlace(std::size_t place) {
  std::string label = "#";
  label += std::to_string(place);  // appended: GCC 12 mistakes an insertion for an overlap
  return label;
}

Colour shadowColour(std::size_t n) {
  return n < kShadowColours.size() ? kShadowColours[n] : kShadowedPiece;
}

std::vector<LegendEntry> pairLegend(const geometry::PairAccount& a) {
  const std::string i = std::to_string(a.i), j = std::to_string(a.j);
  return {{kBisector, "bisector of " + i + " and " + j},
          {kPairSite, "sites " + i + " and " + j, true}};
}

Picture dimmedPicture(const Picture& normal) {
  Picture picture;
  for (PictureItem item : normal) {
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
    picture.push_back(std::move(item));
  }
  return picture;
}

Picture lessonGround(const Picture& normal, bool wholeDiagram) {
  return dimmedPicture(wholeDiagram ? normal : visibleItems(normal, sitesOnly()));
}

StepDrawing::StepDrawing(Picture& picture, const geometry::SiteColumns& sites, int textFactor)
    : picture_(picture),
      sites_(sites),
      textFactor_(textFactor),
      labels_(picture, kSmallText, textFactor) {}

void StepDrawing::line(double x1, double y1, double x2, double y2, Colour colour, float width) {
  picture_.push_back(LineItem{kWindowFrame.windowX(x1), kWindowFrame.windowY(y1),
                              kWindowFrame.windowX(x2), kWindowFrame.windowY(y2), colour, width});
}

void StepDrawing::lineToSite(double x, double y, int k, Colour colour) {
  line(x, y, sites_.x(k), sites_.y(k), colour);
  std::get<LineItem>(picture_.back()).toSite = k;
}

void StepDrawing::ring(int k, Colour colour, float radius) {
  picture_.push_back(CircleItem{kWindowFrame.windowX(sites_.x(k)),
                                kWindowFrame.windowY(sites_.y(k)), radius, colour, 2,
                                Layer::Overlay, k});
  rings_.emplace_back(k, radius);
}

void StepDrawing::tick(const geometry::PairRecord& r, double x, double y, Colour colour) {
  const double across = std::hypot(1.0, r.m1);
  const double tx = -r.m1 / across * static_cast<double>(kTickHalf),
               ty = 1 / across * static_cast<double>(kTickHalf);
  line(x - tx, y - ty, x + tx, y + ty, colour, 2);
}

void StepDrawing::piece(const geometry::PairAccount& a, const geometry::PieceStep& p, Colour colour,
                        float width) {
  const auto& from = a.sorted[static_cast<std::size_t>(p.piece - 1)];
  const auto& to = a.sorted[static_cast<std::size_t>(p.piece)];
  line(from.x, from.y, to.x, to.y, colour, width);
}

void StepDrawing::dot(PixelPoint at, Colour colour) {
  // A line a pixel long and five wide, its square caps making it a square: a line, so that
  // in print it takes its colour's dashes with the rest (a circle would take none).
  const auto x = static_cast<float>(at.x()), y = static_cast<float>(at.y());
  picture_.push_back(LineItem{x - 0.5F, y, x + 0.5F, y, colour, 5});
}

void StepDrawing::circleThrough(double x, double y, int k, Colour colour) {
  const double radius = std::hypot(sites_.x(k) - x, static_cast<double>(sites_.y(k)) - y);
  picture_.push_back(CircleItem{kWindowFrame.windowX(x), kWindowFrame.windowY(y),
                                static_cast<float>(radius), colour});
}

void StepDrawing::circleAbout(const geometry::PairAccount& a, const geometry::PieceStep& p,
                              Colour colour) {
  const float mx = kWindowFrame.windowX(p.midX), my = kWindowFrame.windowY(p.midY);
  const auto radius =
      static_cast<float>(geometry::dist(p.midX, p.midY, sites_.x(a.i), sites_.y(a.i)));
  picture_.push_back(CircleItem{mx, my, radius, colour, 1});
  picture_.push_back(CircleItem{mx, my, 2, kTestedPiece, 2});
  name(p.midX, p.midY, "M");
}

void StepDrawing::testedPiece(const geometry::PairAccount& a, std::size_t index, int shadower) {
  for (std::size_t n = 0; n < index; ++n) {
    piece(a, a.pieces[n], kShadowedPiece, 2);
  }
  const geometry::PieceStep& p = a.pieces[index];
  const bool open = p.shadowedBy == 0;
  piece(a, p, open ? kSurvivingPiece : kTestedPiece, 3);
  circleAbout(a, p, open ? kEmptyCircle : kBlocking);
  if (!open) {
    ring(shadower, kBlocking, 8);
    lineToSite(p.midX, p.midY, shadower, kBlocking);
    nameSite(shadower);
  }
}

void StepDrawing::competitorLine(const geometry::PairAccount& a, int k) {
  const geometry::PairRecord bisector = geometry::pairRecord(
      geometry::bisectorOf(sites_.x(a.i), sites_.y(a.i), sites_.x(k), sites_.y(k)), kWindowFrame);
  line(bisector.startX, bisector.startY, bisector.endX, bisector.endY, kCompetitorLine);
}

void StepDrawing::quadrant(const geometry::PairAccount& a) {
  const double xi = sites_.x(a.i), yi = sites_.y(a.i);
  const double far = 2 * kWindowFrame.clientWidth;
  line(xi, yi, xi + std::copysign(far, sites_.x(a.j) - xi), yi, kBlocking);
  line(xi, yi, xi, yi + std::copysign(far, static_cast<double>(sites_.y(a.j)) - yi), kBlocking);
}

void StepDrawing::name(double x, double y, const std::string& label) {
  named_.push_back({PixelPoint(kWindowFrame.windowX(x), kWindowFrame.windowY(y)), label});
}

void StepDrawing::nameSite(int k) {
  name(sites_.x(k), sites_.y(k), std::to_string(k));
}

// A point inside the picture is covered when the area comes near it; one outside, when the
// area comes near its arrow, or takes the room its label needs beside it.
bool StepDrawing::coversNamed(const PixelRect& area) const {
  // Clear of a named site's ring too (8 pixels across its centre at most, and its stroke).
  constexpr double kRingRoom = 10;
  const PixelRect near = area.adjusted(-kRingRoom, -kRingRoom, kRingRoom, kRingRoom);
  constexpr double kLabelRoom = 3 * kArrowLength;
  const PixelRect nearArrow = area.adjusted(-kLabelRoom, -kLabelRoom, kLabelRoom, kLabelRoom);
  return std::any_of(named_.begin(), named_.end(), [&](const Named& n) {
    return inside(n.at) ? near.contains(n.at) : nearArrow.contains(shownAt(n.at));
  });
}

Picture StepDrawing::styled(Picture picture, PictureStyle style) const {
  picture = styledPicture(std::move(picture), style);
  return isPrintStyle(style) ? withPrintMarks(std::move(picture), legendMarks_) : picture;
}

Picture StepDrawing::topLayer(const std::string& text, const std::vector<LegendEntry>& legend) {
  for (const LegendEntry& entry : legend) {
    legendMarks_.push_back({entry.colour, entry.ring});
  }
  Picture top;
  const int pixels = labelPixelSize(kSmallText * textFactor_);
  const auto lineHeight = static_cast<float>(fontHeights(pixels).height);
  const auto width = static_cast<float>(kWindowFrame.clientWidth);
  const auto height = static_cast<float>(kWindowFrame.clientHeight);

  // The text box: bottom-left, or top-left, wherever it hides nothing the step names.
  const std::vector<std::string> lines =
      wrapped(text, width - 2 * (kBoxMargin + kBoxPadding) - 2, textFactor_);
  double widest = 0;
  for (const std::string& line : lines) {
    widest = std::max(widest, textAdvance(line, pixels));
  }
  const float boxHeight = lineHeight * static_cast<float>(lines.size()) + 2 * kBoxPadding;
  const float boxWidth = static_cast<float>(std::ceil(widest)) + 2 * kBoxPadding;
  std::optional<PixelRect> box;
  for (const float boxTop : {height - boxHeight - kBoxMargin, kBoxMargin}) {
    if (text.empty()) {
      break;
    }
    const PixelRect area(kBoxMargin, boxTop, boxWidth + 1, boxHeight + 1);
    if (!coversNamed(area) && labels_.free(area)) {
      box = area;
      break;
    }
  }
  if (box) {
    const auto left = static_cast<float>(box->left()), boxTop = static_cast<float>(box->top());
    labels_.reserve(*box);
    top.push_back(RectItem{left, boxTop, boxWidth, boxHeight, kBoxFill, kBoxBorder});
    for (std::size_t n = 0; n < lines.size(); ++n) {
      top.push_back(TextItem{left + kBoxPadding,
                             boxTop + kBoxPadding + lineHeight * static_cast<float>(n), lines[n],
                             kBoxText, kSmallText});
    }
  }

  addLegend(top, legend);

  // An arrow at the border towards each named point outside the picture, with its label.
  for (const Named& n : named_) {
    if (inside(n.at)) {
      continue;
    }
    const PixelPoint tip = shownAt(n.at);
    const PixelPoint towards = n.at - tip;
    const PixelPoint unit = towards / std::hypot(towards.x(), towards.y());
    const PixelPoint tail = tip - unit * kArrowLength;
    addArrow(top, tail, tip);
    labels_.place(static_cast<float>(tail.x()), static_cast<float>(tail.y()), n.label, kArrow);
  }
  return top;
}

void StepDrawing::addLegend(Picture& top, const std::vector<LegendEntry>& legend) {
  const int pixels = labelPixelSize(kSmallText * textFactor_);
  const auto lineHeight = static_cast<float>(fontHeights(pixels).height);
  const auto width = static_cast<float>(kWindowFrame.clientWidth);
  const auto height = static_cast<float>(kWindowFrame.clientHeight);
  // The legend: at the picture's edge, a corner where it can, hiding neither a named point
  // nor a text; nowhere where every place would hide one.
  if (legend.empty()) {
    return;
  }
  {
    double widestMeaning = 0;
    for (const LegendEntry& entry : legend) {
      widestMeaning = std::max(widestMeaning, textAdvance(entry.meaning, pixels));
    }
    const float sample = kSample * static_cast<float>(textFactor_);
    const float legendWidth =
        static_cast<float>(std::ceil(widestMeaning)) + sample + 3 * kBoxPadding;
    const float legendHeight = lineHeight * static_cast<float>(legend.size()) + 2 * kBoxPadding;
    const float right = width - kBoxMargin - legendWidth - 1;
    const float bottom = height - kBoxMargin - legendHeight - 1;
    // The corners first, then along the top and the bottom edge, then down the sides.
    std::vector<PixelPoint> places{PixelPoint(right, kBoxMargin), PixelPoint(right, bottom),
                                   PixelPoint(kBoxMargin, kBoxMargin),
                                   PixelPoint(kBoxMargin, bottom)};
    constexpr float kStep = 20;
    for (float x = right - kStep; x > kBoxMargin; x -= kStep) {
      places.emplace_back(x, kBoxMargin);
      places.emplace_back(x, bottom);
    }
    for (float y = kBoxMargin + kStep; y < bottom; y += kStep) {
      places.emplace_back(right, y);
      places.emplace_back(kBoxMargin, y);
    }
    std::optional<PixelRect> found;
    for (const PixelPoint place : places) {
      const PixelRect candidate(place, legendWidth + 1, legendHeight + 1);
      if (labels_.free(candidate) && !coversNamed(candidate)) {
        found = candidate;
        break;
      }
    }
    if (!found) {
      return;
    }
    const PixelRect area = *found;
    labels_.reserve(area);
    const auto left = static_cast<float>(area.left()), legendTop = static_cast<float>(area.top());
    top.push_back(RectItem{left, legendTop, legendWidth, legendHeight, kBoxFill, kBoxBorder});
    for (std::size_t n = 0; n < legend.size(); ++n) {
      const LegendEntry& entry = legend[n];
      const float rowTop = legendTop + kBoxPadding + lineHeight * static_cast<float>(n);
      const float middle = rowTop + lineHeight / 2;
      if (entry.ring) {
        top.push_back(
            CircleItem{left + kBoxPadding + sample / 2, middle, lineHeight / 3, entry.colour, 2});
      } else {
        top.push_back(LineItem{left + kBoxPadding, middle, left + kBoxPadding + sample, middle,
                               entry.colour, 2});
      }
      top.push_back(TextItem{left + 2 * kBoxPadding + sample, rowTop, entry.meaning, entry.colour,
                             kSmallText});
    }
  }
}

void StepDrawing::labelSites(int i, int j, const std::vector<MarkLabel>& extra) {
  // Each ring keeps the square about it free, its ring's width and a pixel more; its own
  // site's number starts where a label's corner clears that square.
  constexpr float kRingMargin = 2;
  for (const auto& [k, radius] : rings_) {
    const float reach = radius + kRingMargin;
    labels_.reserve(PixelRect(kWindowFrame.windowX(sites_.x(k)) - reach,
                              kWindowFrame.windowY(sites_.y(k)) - reach, 2 * reach, 2 * reach));
  }
  const auto siteLabel = [&](int k) {
    float clearance = 0;
    for (const auto& [ringed, radius] : rings_) {
      if (ringed == k) {
        clearance = std::max(clearance, (radius + kRingMargin) * std::numbers::sqrt2_v<float>);
      }
    }
    labels_.place(kWindowFrame.windowX(sites_.x(k)), kWindowFrame.windowY(sites_.y(k)),
                  std::to_string(k), k == i || k == j ? kPairSite : kNumber, clearance);
  };
  for (const int k : {i, j}) {
    if (k != 0) {
      siteLabel(k);
    }
  }
  for (const MarkLabel& label : extra) {
    labels_.place(static_cast<float>(label.at.x()), static_cast<float>(label.at.y()), label.text,
                  label.colour);
  }
  for (int k = 1; k <= sites_.nSites; ++k) {
    if (k != i && k != j) {
      siteLabel(k);
    }
  }
}

}  // namespace app
