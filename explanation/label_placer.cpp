#include "label_placer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/window_frame.h"
#include "picture/text_metrics.h"

namespace app {

namespace {

// How far from its anchor a label may go, and where it stops needing a leader line.
constexpr float kDistances[] = {3, 9, 16, 26, 40, 58};
constexpr float kLeaderFrom = 12;
constexpr int kDirections = 8;
// The least gap between two labels, so that "11" and "9" never read as "119".
constexpr double kGap = 3;

}  // namespace

PixelRect textArea(const TextItem& text, int textFactor) {
  const int pixels = labelPixelSize(text.fontSize * textFactor);
  return {text.x, text.y, textAdvance(text.text, pixels), fontHeights(pixels).height};
}

LabelPlacer::LabelPlacer(Picture& picture, int fontSize, int textFactor)
    : picture_(picture), fontSize_(fontSize), textFactor_(textFactor) {
  for (const PictureItem& item : picture) {
    if (const auto* text = std::get_if<TextItem>(&item)) {
      reserve(textArea(*text, textFactor));
    }
  }
}

PixelRect LabelPlacer::areaOf(float x, float y, const std::string& text) const {
  return textArea(TextItem{x, y, text, 0, fontSize_}, textFactor_);
}

bool LabelPlacer::free(const PixelRect& area) const {
  const geometry::WindowFrame& f = geometry::kWindowFrame;
  if (area.left() < 0 || area.top() < 0 || area.right() > f.clientWidth ||
      area.bottom() > f.clientHeight) {
    return false;
  }
  const PixelRect padded = area.adjusted(-kGap, 0, kGap, 0);
  return std::none_of(taken_.begin(), taken_.end(),
                      [&](const PixelRect& other) { return other.intersects(padded); });
}

bool LabelPlacer::place(float x, float y, const std::string& text, Colour colour, float clearance) {
  const PixelRect size = areaOf(0, 0, text);
  const auto w = static_cast<float>(size.width()), h = static_cast<float>(size.height());
  for (const float step : kDistances) {
    const float distance = clearance + step;
    for (int d = 0; d < kDirections; ++d) {
      // Around the anchor, starting to its upper right; the label's near corner or edge
      // lies `distance` away in that direction.
      const double angle = -std::numbers::pi / 4 + d * 2 * std::numbers::pi / kDirections;
      const auto dx = static_cast<float>(std::cos(angle)), dy = static_cast<float>(std::sin(angle));
      const float left = x + dx * distance - (dx < -0.1f ? w : dx > 0.1f ? 0 : w / 2);
      const float top = y + dy * distance - (dy < -0.1f ? h : dy > 0.1f ? 0 : h / 2);
      const PixelRect area(left, top, w, h);
      if (!free(area)) {
        continue;
      }
      taken_.push_back(area);
      if (step >= kLeaderFrom) {
        const PixelPoint near(std::clamp(static_cast<double>(x), area.left(), area.right()),
                              std::clamp(static_cast<double>(y), area.top(), area.bottom()));
        picture_.push_back(
            LineItem{x, y, static_cast<float>(near.x()), static_cast<float>(near.y()), colour, 1});
      }
      picture_.push_back(TextItem{left, top, text, colour, fontSize_});
      return true;
    }
  }
  return false;
}

}  // namespace app
