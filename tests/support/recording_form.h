#pragma once

#include <string>
#include <vector>

#include "app/window_size.h"
#include "geometry/form.h"

namespace testing_support {

struct RecordedLine {
  geometry::LineFlags flags;
  float x1, y1, x2, y2;
  geometry::Colour colour;
  bool operator==(const RecordedLine&) const = default;
};

struct RecordedCircle {
  float x, y, radius;
  geometry::Colour colour;
};

// A Form of the standard window's outer size that records every
// call: the lines as values, and every operation as a line of text in call order.
class RecordingForm final : public geometry::Form {
 public:
  std::vector<RecordedLine> lines;
  std::vector<RecordedCircle> circles;
  std::vector<std::string> calls;

  void show() override { calls.push_back("show"); }
  void refresh() override { calls.push_back("refresh"); }
  void setForeColor(geometry::Colour colour) override {
    pen_ = colour;
    calls.push_back("foreColor " + std::to_string(colour));
  }
  [[nodiscard]] geometry::Colour foreColor() const override { return pen_; }
  void setFontSize(int points) override { calls.push_back("fontSize " + std::to_string(points)); }
  [[nodiscard]] float width() const override { return app::kOuterWidthTwips; }
  [[nodiscard]] float height() const override { return app::kOuterHeightTwips; }
  void line(geometry::LineFlags flags, float x1, float y1, float x2, float y2,
            geometry::Colour colour) override {
    lines.push_back({flags, x1, y1, x2, y2, colour});
    calls.push_back("line " + std::to_string(static_cast<int>(flags)));
  }
  void circle(float x, float y, float radius, geometry::Colour colour) override {
    circles.push_back({x, y, radius, colour});
    calls.push_back("circle");
  }
  void print(std::string_view text) override { calls.push_back("print " + std::string(text)); }

 private:
  geometry::Colour pen_ = 0;
};

}  // namespace testing_support
