#include "pixel_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace app {

namespace {

// The image's pixels, found once for a whole line or circle.
class Pixels {
 public:
  explicit Pixels(QImage& image)
      : first_(reinterpret_cast<QRgb*>(image.bits())),
        stride_(image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb))),
        width_(image.width()),
        height_(image.height()) {}

  void plot(int x, int y, QRgb colour) const {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) {
      first_[y * stride_ + x] = colour;
    }
  }

 private:
  QRgb* first_;
  qsizetype stride_;
  int width_, height_;
};

// Liang-Barsky: shortens the line to the part inside [low, high] on both axes. False when
// no part is inside.
bool clip(double& x1, double& y1, double& x2, double& y2, double lowX, double highX, double lowY,
          double highY) {
  const double dx = x2 - x1, dy = y2 - y1;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - lowX, highX - x1, y1 - lowY, highY - y1};
  for (int n = 0; n < 4; ++n) {
    if (!(p[n] < 0 || p[n] > 0)) {  // parallel to this side: inside or out throughout
      if (q[n] < 0) {
        return false;
      }
      continue;
    }
    const double t = q[n] / p[n];
    if (p[n] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
  }
  if (t0 > t1) {
    return false;
  }
  x2 = x1 + t1 * dx;
  y2 = y1 + t1 * dy;
  x1 = x1 + t0 * dx;
  y1 = y1 + t0 * dy;
  return true;
}

}  // namespace

void plotLine(QImage& image, double x1, double y1, double x2, double y2, QRgb colour) {
  // A margin of a pixel around the image, so that clipping never moves an end that lies
  // inside it.
  if (!clip(x1, y1, x2, y2, -1, image.width() + 1, -1, image.height() + 1)) {
    return;
  }
  const Pixels pixels(image);
  int x = static_cast<int>(std::floor(x1)), y = static_cast<int>(std::floor(y1));
  const int xEnd = static_cast<int>(std::floor(x2)), yEnd = static_cast<int>(std::floor(y2));
  const int dx = std::abs(xEnd - x), dy = -std::abs(yEnd - y);
  const int stepX = x < xEnd ? 1 : -1, stepY = y < yEnd ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    pixels.plot(x, y, colour);
    if (x == xEnd && y == yEnd) {
      return;
    }
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += stepX;
    }
    if (twice <= dx) {
      error += dx;
      y += stepY;
    }
  }
}

void plotCircle(QImage& image, double x, double y, double r, QRgb colour) {
  const Pixels pixels(image);
  // Within half a pixel of the circle: (r - 1/2)^2 < d^2 < (r + 1/2)^2.
  const double inner = (r - 0.5) * (r - 0.5), outer = (r + 0.5) * (r + 0.5);
  const auto tested = [&](int px, int py, double dy) {
    const double dx = px + 0.5 - x;
    const double d2 = dx * dx + dy * dy;
    if (d2 > inner && d2 < outer) {
      pixels.plot(px, py, colour);
    }
  };
  // Only the rows and, in each, the two runs of columns the ring can reach inside the image
  // are tested, so that a circle far larger than the image costs no more than the image.
  const int top = std::max(0, static_cast<int>(std::floor(y - r - 1)));
  const int bottom = std::min(image.height() - 1, static_cast<int>(std::ceil(y + r + 1)));
  for (int py = top; py <= bottom; ++py) {
    const double dy = py + 0.5 - y;
    if (dy * dy >= outer) {
      continue;
    }
    const double reachOut = std::sqrt(outer - dy * dy);
    const double reachIn = dy * dy < inner ? std::sqrt(inner - dy * dy) : 0;
    const auto column = [&](double at) {
      return static_cast<int>(std::clamp(at, -1.0, static_cast<double>(image.width())));
    };
    const int leftFrom = column(std::floor(x - reachOut - 1)),
              leftTo = column(std::ceil(x - reachIn + 1));
    const int rightFrom = std::max(leftTo + 1, column(std::floor(x + reachIn - 1))),
              rightTo = column(std::ceil(x + reachOut + 1));
    for (int px = std::max(0, leftFrom); px <= std::min(leftTo, image.width() - 1); ++px) {
      tested(px, py, dy);
    }
    for (int px = std::max(0, rightFrom); px <= std::min(rightTo, image.width() - 1); ++px) {
      tested(px, py, dy);
    }
  }
}

}  // namespace app
