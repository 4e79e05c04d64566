#pragma once

#include <cstdint>
#include <string_view>

namespace geometry {

// A colour in the 0x00BBGGRR encoding: red in the low byte.
using Colour = std::uint32_t;

inline constexpr Colour kRed = 255;

// The window measures its outer size in twips, 15 to the pixel.
inline constexpr int kTwipsPerPixel = 15;

// How Line picks its colour: 4 draws in the pen colour, 6 in the colour passed.
enum class LineFlags : int { PenColour = 4, GivenColour = 6 };

// The window that the demonstration draws on. Coordinates are pixels from the top-left
// corner of the client area, y downwards; sizes are the window's outer size in twips
// (kTwipsPerPixel to the pixel). The geometry reads Width and Height and draws lines through
// it; the run sequence uses the rest.
class Form {
 public:
  virtual ~Form() = default;

  virtual void show() = 0;
  // Starts the drawing on a cleared client area.
  virtual void refresh() = 0;

  virtual void setForeColor(Colour colour) = 0;
  [[nodiscard]] virtual Colour foreColor() const = 0;
  virtual void setFontSize(int points) = 0;

  // Outer size in twips, read afresh at every use.
  [[nodiscard]] virtual float width() const = 0;
  [[nodiscard]] virtual float height() const = 0;

  // A straight line; afterwards the text position is (x2, y2). With PenColour the
  // colour argument is ignored.
  virtual void line(LineFlags flags, float x1, float y1, float x2, float y2, Colour colour) = 0;
  // The outline of a circle, radius in pixels.
  virtual void circle(float x, float y, float radius, Colour colour) = 0;
  // Text at the text position in the pen colour and font size; the text position then
  // moves to the start of the next line.
  virtual void print(std::string_view text) = 0;
};

}  // namespace geometry
