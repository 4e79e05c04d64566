#include "pixel_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace app {

namespace {

void plot(QImage& image, int x, int y, QRgb colour) {
  if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) {
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
  }
}

// Liang-Barsky: shortens the line to the part inside [low, high] on both axes. False when
// no part is inside.
bool clip(double& x1, double& y1, double& x2, double& y2, double lowX, double highX, double lowY,
          double highY) {
  const double dx = x2 - x1, dy = y2 - y1;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - lowX, highX - x1, y1 - lowY, highY - y1};
  for (int n = 0; n < 4; ++n) {
    if (p[n] == 0) {
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
  int x = static_cast<int>(std::floor(x1)), y = static_cast<int>(std::floor(y1));
  const int xEnd = static_cast<int>(std::floor(x2)), yEnd = static_cast<int>(std::floor(y2));
  const int dx = std::abs(xEnd - x), dy = -std::abs(yEnd - y);
  const int stepX = x < xEnd ? 1 : -1, stepY = y < yEnd ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    plot(image, x, y, colour);
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
  const int left = static_cast<int>(std::floor(x - r - 1)),
            right = static_cast<int>(std::ceil(x + r + 1));
  const int top = static_cast<int>(std::floor(y - r - 1)),
            bottom = static_cast<int>(std::ceil(y + r + 1));
  for (int py = top; py <= bottom; ++py) {
    for (int px = left; px <= right; ++px) {
      if (std::abs(std::hypot(px + 0.5 - x, py + 0.5 - y) - r) < 0.5) {
        plot(image, px, py, colour);
      }
    }
  }
}

}  // namespace app
