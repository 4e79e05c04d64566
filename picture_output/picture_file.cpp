#include "picture_file.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QXmlStreamWriter>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

#include "file_output.h"
#include "picture/text_metrics.h"
#include "picture_painter.h"
#include "picture_pdf.h"
#include "picture_tikz.h"

namespace app {

namespace {

QString number(double value) {
  return QString::number(value, 'g', 9);
}

QString colourName(Colour colour) {
  return toQColor(colour).name(QColor::HexRgb);
}

struct SvgItemWriter {
  QXmlStreamWriter& xml;

  // An empty element with its coordinates, written with 9 significant digits.
  void element(const char* name,
               std::initializer_list<std::pair<const char*, double>> numbers) const {
    xml.writeEmptyElement(QLatin1String(name));
    for (const auto& [attribute, value] : numbers) {
      xml.writeAttribute(QLatin1String(attribute), number(value));
    }
  }

  // The group's stroke width is one pixel; only other widths are written.
  void stroke(Colour colour, float width) const {
    xml.writeAttribute(QStringLiteral("stroke"), colourName(colour));
    if (width != 1) {
      xml.writeAttribute(QStringLiteral("stroke-width"), number(width));
    }
  }

  void operator()(const LineItem& line) const {
    element("line", {{"x1", line.x1}, {"y1", line.y1}, {"x2", line.x2}, {"y2", line.y2}});
    stroke(line.colour, line.width);
    if (line.dashed) {
      xml.writeAttribute(
          QStringLiteral("stroke-dasharray"),
          QStringLiteral("%1 %2").arg(number(4 * line.width), number(2 * line.width)));
    }
  }

  void operator()(const CircleItem& circle) const {
    element("circle", {{"cx", circle.x}, {"cy", circle.y}, {"r", circle.radius}});
    stroke(circle.colour, circle.width);
  }

  void operator()(const RectItem& rect) const {
    element("rect", {{"x", rect.x}, {"y", rect.y}, {"width", rect.width}, {"height", rect.height}});
    xml.writeAttribute(QStringLiteral("fill"), colourName(rect.fill));
    stroke(rect.border, 1);
  }

  void operator()(const TextItem& text) const {
    const int pixels = labelPixelSize(text.fontSize);
    xml.writeStartElement(QStringLiteral("text"));
    xml.writeAttribute(QStringLiteral("x"), number(text.x));
    xml.writeAttribute(QStringLiteral("y"), number(text.y + fontHeights(pixels).ascent));
    xml.writeAttribute(QStringLiteral("font-family"), QString::fromLatin1(kLabelFontFamily));
    xml.writeAttribute(QStringLiteral("font-size"), QString::number(pixels));
    xml.writeAttribute(QStringLiteral("fill"), colourName(text.colour));
    xml.writeAttribute(QStringLiteral("stroke"), QStringLiteral("none"));
    // The width the window gives the text, so that another renderer's glyph spacing never
    // lets it run out of the box laid out for it.
    xml.writeAttribute(QStringLiteral("textLength"), number(textAdvance(text.text, pixels)));
    xml.writeAttribute(QStringLiteral("lengthAdjust"), QStringLiteral("spacing"));
    xml.writeCharacters(QString::fromStdString(text.text));
    xml.writeEndElement();
  }
};

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

QString pictureDescription(const Picture& picture) {
  const auto sites = std::count_if(picture.begin(), picture.end(), [](const PictureItem& item) {
    const auto* circle = std::get_if<CircleItem>(&item);
    return circle != nullptr && circle->layer == Layer::SiteCircles && circle->site != 0;
  });
  const QString shows = QStringLiteral("Voronoi diagram and Delaunay triangulation");
  return sites == 0 ? shows : shows + QStringLiteral(" of %1 sites").arg(sites);
}

namespace {

// Writes the <svg> element: its title and description for screen readers, a black ground,
// then the groups.
void writeSvg(QXmlStreamWriter& xml, const std::vector<SvgGroup>& groups, int clientWidth,
              int clientHeight, const QString& description, const QString& id) {
  xml.writeStartElement(QStringLiteral("svg"));
  xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
  if (!id.isEmpty()) {
    xml.writeAttribute(QStringLiteral("id"), id);
  }
  xml.writeAttribute(QStringLiteral("width"), QString::number(clientWidth));
  xml.writeAttribute(QStringLiteral("height"), QString::number(clientHeight));
  xml.writeAttribute(QStringLiteral("viewBox"),
                     QStringLiteral("0 0 %1 %2").arg(clientWidth).arg(clientHeight));
  xml.writeTextElement(QStringLiteral("title"),
                       QStringLiteral("Voronoi diagram and Delaunay triangulation"));
  xml.writeTextElement(QStringLiteral("desc"), description);
  xml.writeEmptyElement(QStringLiteral("rect"));
  xml.writeAttribute(QStringLiteral("width"), QString::number(clientWidth));
  xml.writeAttribute(QStringLiteral("height"), QString::number(clientHeight));
  xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("#000000"));
  const SvgItemWriter writeItem{xml};
  for (const SvgGroup& group : groups) {
    // One-pixel strokes without fill; square caps so that a line of length zero shows its
    // point, as on screen.
    xml.writeStartElement(QStringLiteral("g"));
    if (!group.id.isEmpty()) {
      xml.writeAttribute(QStringLiteral("id"), group.id);
    }
    if (group.hidden) {
      xml.writeAttribute(QStringLiteral("display"), QStringLiteral("none"));
    }
    xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    xml.writeAttribute(QStringLiteral("stroke-width"), QStringLiteral("1"));
    xml.writeAttribute(QStringLiteral("stroke-linecap"), QStringLiteral("square"));
    xml.writeAttribute(QStringLiteral("shape-rendering"), QStringLiteral("crispEdges"));
    for (const PictureItem& item : group.items) {
      std::visit(writeItem, item);
    }
    xml.writeEndElement();
  }
  xml.writeEndElement();
}

}  // namespace

QByteArray svgDocument(const Picture& picture, int clientWidth, int clientHeight,
                       const QString& description) {
  QByteArray document;
  QXmlStreamWriter xml(&document);
  xml.setAutoFormatting(true);
  xml.writeStartDocument();
  writeSvg(xml, {{picture}}, clientWidth, clientHeight,
           description.isEmpty() ? pictureDescription(picture) : description, {});
  xml.writeEndDocument();
  return document;
}

QByteArray svgElement(const std::vector<SvgGroup>& groups, int clientWidth, int clientHeight,
                      const QString& description, const QString& id) {
  QByteArray element;
  QXmlStreamWriter xml(&element);
  xml.setAutoFormatting(true);
  writeSvg(xml, groups, clientWidth, clientHeight, description, id);
  return element;
}

QByteArray pictureBytes(const Picture& picture, int clientWidth, int clientHeight,
                        PictureFormat format, int scale, const QString& description) {
  switch (format) {
    case PictureFormat::Svg:
      return svgDocument(picture, clientWidth, clientHeight, description);
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
