#pragma once

#include <QImage>

namespace app {

// One-pixel lines and circle outlines written straight into the pixels of an RGB32 image,
// one image pixel to the picture's pixel. A picture holds hundreds of short lines, and
// plotting them here takes a fraction of the time a painter needs for each, which keeps a
// drag of a site in the window smooth.

// The line from (x1, y1) to (x2, y2): the pixels that contain the two ends and those that
// Bresenham's walk between them passes, clipped to the image. A line of length zero is the
// one pixel of its point. Ends far outside the image are first brought onto its border
// along the line.
void plotLine(QImage& image, double x1, double y1, double x2, double y2, QRgb colour);

// The outline of the circle of radius r about (x, y): every pixel whose centre lies within
// half a pixel of the circle.
void plotCircle(QImage& image, double x, double y, double r, QRgb colour);

}  // namespace app
