#pragma once

#include <QColor>
#include <QFont>

#include "picture/colour.h"
#include "picture/picture.h"
#include "picture/picture_style.h"

class QImage;
class QPainter;

namespace app {

// The font of printed text at a size in points, turned into pixels by labelPixelSize.
QFont labelFont(int points);

QColor toQColor(Colour colour);

// Paints the client area: the ground (the normal style's unless asked otherwise), then every
// item in drawing order, with aliased lines and outlines, so that every pixel of a line is either
// its colour or not. The painter's device may have any pixel ratio; coordinates are client-area
// pixels.
void paintPicture(QPainter& painter, const Picture& picture, int clientWidth, int clientHeight,
                  Colour ground = groundOf(PictureStyle::Normal));

// Paints the picture into an RGB32 image of one pixel to the client area's pixel, the way
// the window and a PNG of scale 1 show it: lines and circle outlines one pixel wide are
// plotted straight into the pixels (see pixel_plot.h); the text and any wider stroke are
// painted as paintPicture does.
void renderInto(QImage& image, const Picture& picture);

}  // namespace app
