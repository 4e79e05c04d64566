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
