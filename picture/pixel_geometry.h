#pragma once

namespace app {

// A point of the picture in window pixels, with the arithmetic the layout of labels, boxes
// and arrows does on it.
class PixelPoint {
 public:
  constexpr PixelPoint() = default;
  constexpr PixelPoint(double x, double y) : x_(x), y_(y) {}

  [[nodiscard]] constexpr double x() const { return x_; }
  [[nodiscard]] constexpr double y() const { return y_; }

  friend constexpr PixelPoint operator+(PixelPoint a, PixelPoint b) {
    return {a.x_ + b.x_, a.y_ + b.y_};
  }
  friend constexpr PixelPoint operator-(PixelPoint a, PixelPoint b) {
    return {a.x_ - b.x_, a.y_ - b.y_};
  }
  friend constexpr PixelPoint operator*(PixelPoint p, double factor) {
    return {p.x_ * factor, p.y_ * factor};
  }
  friend constexpr PixelPoint operator/(PixelPoint p, double divisor) {
    return {p.x_ / divisor, p.y_ / divisor};
  }

 private:
  double x_ = 0, y_ = 0;
};

// A rectangle of the picture in window pixels: its top-left corner and its size, which is
// never negative here. An empty one (of no width or no height) meets nothing and holds no
// point.
class PixelRect {
 public:
  constexpr PixelRect(double x, double y, double width, double height)
      : x_(x), y_(y), width_(width), height_(height) {}
  constexpr PixelRect(PixelPoint topLeft, double width, double height)
      : PixelRect(topLeft.x(), topLeft.y(), width, height) {}

  [[nodiscard]] constexpr double left() const { return x_; }
  [[nodiscard]] constexpr double top() const { return y_; }
  [[nodiscard]] constexpr double right() const { return x_ + width_; }
  [[nodiscard]] constexpr double bottom() const { return y_ + height_; }
  [[nodiscard]] constexpr double width() const { return width_; }
  [[nodiscard]] constexpr double height() const { return height_; }
  [[nodiscard]] constexpr bool empty() const { return !(width_ > 0 && height_ > 0); }

  // The rectangle with its left, top, right and bottom edges moved by these amounts.
  [[nodiscard]] constexpr PixelRect adjusted(double left, double top, double right,
                                             double bottom) const {
    return {x_ + left, y_ + top, width_ + right - left, height_ + bottom - top};
  }

  // Whether the two share some area; touching edges share none.
  [[nodiscard]] constexpr bool intersects(const PixelRect& other) const {
    return !empty() && !other.empty() && left() < other.right() && other.left() < right() &&
           top() < other.bottom() && other.top() < bottom();
  }

  // Whether the point lies inside or on the border.
  [[nodiscard]] constexpr bool contains(PixelPoint p) const {
    return !empty() && p.x() >= left() && p.x() <= right() && p.y() >= top() && p.y() <= bottom();
  }

 private:
  double x_, y_, width_, height_;
};

}  // namespace app
