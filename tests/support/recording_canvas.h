#pragma once

#include <string>
#include <vector>

#include "run/run_canvas.h"

namespace testing_support {

struct RecordedCircle {
  float x, y, radius;
  app::Colour colour;
};

// A RunCanvas that records every call: the label point and the circles as values, and every
// operation as a line of text in call order.
class RecordingCanvas final : public app::RunCanvas {
 public:
  std::vector<std::pair<float, float>> labelPoints;
  std::vector<RecordedCircle> circles;
  std::vector<std::string> calls;

  void show() override { calls.push_back("show"); }
  void refresh() override { calls.push_back("refresh"); }
  void setPenColour(app::Colour colour) override {
    pen_ = colour;
    calls.push_back("penColour " + std::to_string(colour));
  }
  [[nodiscard]] app::Colour penColour() const override { return pen_; }
  void setFontSize(int points) override { calls.push_back("fontSize " + std::to_string(points)); }
  void labelPoint(float x, float y) override {
    labelPoints.emplace_back(x, y);
    calls.push_back("labelPoint");
  }
  void print(std::string_view text) override { calls.push_back("print " + std::string(text)); }
  void siteCircle(int, float x, float y, float radius, app::Colour colour) override {
    circles.push_back({x, y, radius, colour});
    calls.push_back("circle");
  }
  void voronoiEdge(int, int, float, float, float, float) override { calls.push_back("voronoi"); }
  void delaunayEdge(int, int, float, float, float, float) override { calls.push_back("delaunay"); }

 private:
  app::Colour pen_ = 0;
};

}  // namespace testing_support
