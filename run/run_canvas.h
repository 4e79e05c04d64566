#pragma once

#include <string_view>

#include "geometry/edge_canvas.h"
#include "picture/colour.h"

namespace app {

// The window as a run draws on it: the edge finder's edges, and the operations of the run
// sequence (the pen colour, the label, the site marks). Coordinates are window pixels from
// the top-left corner of the client area, y downwards.
class RunCanvas : public geometry::EdgeCanvas {
 public:
  virtual void show() = 0;
  // Starts the drawing on a cleared client area.
  virtual void refresh() = 0;

  virtual void setPenColour(Colour colour) = 0;
  [[nodiscard]] virtual Colour penColour() const = 0;
  virtual void setFontSize(int points) = 0;

  // A line of length zero in the pen colour at the label's spot: it marks the spot and
  // moves the text position there.
  virtual void labelPoint(float x, float y) = 0;
  // Text at the text position in the pen colour and font size; the text position then
  // moves to the start of the next line.
  virtual void print(std::string_view text) = 0;
  // The outline of the circle that marks a site (numbered from 1), radius in pixels.
  virtual void siteCircle(int site, float x, float y, float radius, Colour colour) = 0;
};

}  // namespace app
