#include "picture_file.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

#include "file_output.h"
#include "picture/svg_picture.h"
#include "picture_painter.h"
#include "picture_pdf.h"
#include "picture_tikz.h"

namespace app {

namespace {

// The image with a palette instead of a colour per pixel, when it has at most 256 colours,
// as a picture of lines, circles and one label does: the PNG then holds a byte per pixel
// and is both smaller and much quicker to compress, and decodes to the very same pixels.
// An image with more colours is returned unchanged.
QImage withPalette(const QImage& image) {
  constexpr int kSlots = 512;  // open addressing, at most half full
  std::array<QRgb, kSlots> colours{};
  std::array<int, kSlots> indexOf{};
  indexOf.fill(-1);
  QList<QRgb> table;
  const auto slotOf = [&](QRgb colour) {
    auto slot = static_cast<std::size_t>((colour * 2654435761u) >> 23) % kSlots;
    while (indexOf[slot] >= 0 && colours[slot] != colour) {
      slot = (slot + 1) % kSlots;
    }
    return slot;
  };
  QImage indexed(image.size(), QImage::Format_Indexed8);
  indexed.setDevicePixelRatio(image.devicePixelRatio());
  for (int y = 0; y < image.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    uchar* out = indexed.scanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      const std::size_t slot = slotOf(in[x]);
      if (indexOf[slot] < 0) {
        if (table.size() == 256) {
          return image;
        }
        colours[slot] = in[x];
        indexOf[slot] = static_cast<int>(table.size());
        table.push_back(in[x]);
      }
      out[x] = static_cast<uchar>(indexOf[slot]);
    }
  }
  indexed.setColorTable(table);
  return indexed;
}

}  // namespace

QImage renderPicture(const Picture& picture, int clientWidth, int clientHeight, int scale) {
  QImage image(clientWidth * scale, clientHeight * scale, QImage::Format_RGB32);
  if (scale == 1) {
    renderInto(image, picture);
    return image;
  }
  image.setDevicePixelRatio(scale);
  QPainter painter(&image);
  paintPicture(painter, picture, clientWidth, clientHeight);
  return image;
}

QByteArray pictureBytes(const Picture& picture, int clientWidth, int clientHeight,
                        PictureFormat format, int scale, const QString& description) {
  switch (format) {
    case PictureFormat::Svg:
      return QByteArray::fromStdString(
          svgDocument(picture, clientWidth, clientHeight, description.toStdString()));
    case PictureFormat::Pdf:
      return pdfDocument({{picture, {}}}, clientWidth, clientHeight,
                         QStringLiteral("Voronoi diagram and Delaunay triangulation"));
    case PictureFormat::Tex:
      return tikzFigure(picture, clientWidth, clientHeight);
    case PictureFormat::Png:
      break;
  }
  return pngBytes(withPalette(renderPicture(picture, clientWidth, clientHeight, scale)));
}

QByteArray pngBytes(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

QString savePicture(const Picture& picture, int clientWidth, int clientHeight, const QString& path,
                    PictureFormat format, int scale, const QString& description) {
  return writeWholeFile(
      path, pictureBytes(picture, clientWidth, clientHeight, format, scale, description));
}

}  // namespace app
