#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>
#include <vector>

#include "picture/picture.h"

namespace app {

enum class PictureFormat { Png, Svg, Pdf, Tex };

// The format of a file name is its output kind's (output_kind.h).

// The client area as an image of scale times its pixels, painted by the same routine as
// the window: at scale 1 as the window shows it at one device pixel to the pixel.
QImage renderPicture(const Picture& picture, int clientWidth, int clientHeight, int scale);

// What a picture shows, for its text alternative: "Voronoi diagram and Delaunay
// triangulation of N sites", N counted from its site circles.
QString pictureDescription(const Picture& picture);

// The picture as an SVG document: a view box of the client area, its title and its
// description (pictureDescription when none is given) for screen readers, a black
// background, then a line, circle or text element per item in drawing order. Coordinates
// are written with 9 significant digits, enough for every single-precision value to read
// back exactly.
QByteArray svgDocument(const Picture& picture, int clientWidth, int clientHeight,
                       const QString& description = {});

// A group of items in an SVG picture, drawn in order with the others: shown, or hidden until
// a page's script shows it by its id.
struct SvgGroup {
  const Picture& items;
  QString id = {};
  bool hidden = false;
};

// An <svg> element of the client area, as svgDocument writes it but without the XML
// declaration, for a page that holds it: its id (if any), title and description, its black
// ground and then each group in its own <g>.
QByteArray svgElement(const std::vector<SvgGroup>& groups, int clientWidth, int clientHeight,
                      const QString& description, const QString& id = {});

// The largest scale of a saved PNG: 16 times the pixels across, 12,048 x 7,600 in all.
inline constexpr int kLargestPngScale = 16;

// The picture as the bytes of a PNG (of scale times the pixels), SVG, one-page PDF or TikZ
// file.
QByteArray pictureBytes(const Picture& picture, int clientWidth, int clientHeight,
                        PictureFormat format, int scale, const QString& description = {});

// The image as the bytes of a PNG file.
QByteArray pngBytes(const QImage& image);

// Writes the picture to path, whole or not at all (see writeWholeFile). Returns an empty
// string on success, otherwise what went wrong.
QString savePicture(const Picture& picture, int clientWidth, int clientHeight, const QString& path,
                    PictureFormat format, int scale, const QString& description = {});

}  // namespace app
