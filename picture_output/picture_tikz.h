#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "picture/picture.h"

namespace app {

// TikZ for LaTeX documents that load only the tikz package.
//
// The figure is drawn in millimetres, 0.16 mm to the client area's pixel (753 pixels make
// 120.48 mm, the width of a text column), y downwards. The sites are named coordinates,
// s1 to sN in the order of their circles, and each layer is drawn in a scope of its own
// style, named after the layer ("vd voronoi edges", "vd delaunay edges", "vd site circles",
// "vd label"; an explanation's marks "vd marks"; the black ground "vd background"). The
// picture's own colours and widths come first and the style, if the document defines it,
// after them, so a document restyles a figure with \tikzset{vd voronoi edges/.style=
// {draw=blue}} before it. "vd scale" follows the unit x=1mm, y=-1mm: \tikzset{vd scale/
// .style={x=0.8mm, y=-0.8mm}} makes the figure 80 % as large.

// Millimetres to the client area's pixel.
inline constexpr double kTikzMillimetresPerPixel = 0.16;

// What a tikzpicture holds to draw the picture: the picture's frame as a clip and black
// ground, the sites' coordinates, and the items in a scope per layer. For a Beamer frame,
// the items of overlay n (from 1) follow, shown only on slide n: each slide shows the
// picture followed by its overlay's items.
QString tikzPictureScope(const Picture& picture, int clientWidth, int clientHeight,
                         const std::vector<Picture>& overlays = {});

// The bounding box of the picture: nothing drawn outside the frame enlarges the figure.
QString tikzBoundingBox(int clientWidth, int clientHeight);

// A whole figure file: a comment on its use and the tikzpicture.
QByteArray tikzFigure(const Picture& picture, int clientWidth, int clientHeight);

// Text as LaTeX typesets it literally: its special characters escaped.
QString latexText(const QString& text);

}  // namespace app
