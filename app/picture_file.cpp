#include "picture_file.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include "picture_painter.h"

namespace app {

namespace {

QString number(double value) { return QString::number(value, 'g', 9); }

QString colourName(geometry::Colour colour) { return toQColor(colour).name(QColor::HexRgb); }

struct SvgItemWriter {
  QXmlStreamWriter& xml;

  void operator()(const LineItem& line) const {
    xml.writeEmptyElement(QStringLiteral("line"));
    xml.writeAttribute(QStringLiteral("x1"), number(line.x1));
    xml.writeAttribute(QStringLiteral("y1"), number(line.y1));
    xml.writeAttribute(QStringLiteral("x2"), number(line.x2));
    xml.writeAttribute(QStringLiteral("y2"), number(line.y2));
    xml.writeAttribute(QStringLiteral("stroke"), colourName(line.colour));
  }

  void operator()(const CircleItem& circle) const {
    xml.writeEmptyElement(QStringLiteral("circle"));
    xml.writeAttribute(QStringLiteral("cx"), number(circle.x));
    xml.writeAttribute(QStringLiteral("cy"), number(circle.y));
    xml.writeAttribute(QStringLiteral("r"), number(circle.radius));
    xml.writeAttribute(QStringLiteral("stroke"), colourName(circle.colour));
  }

  void operator()(const TextItem& text) const {
    const QFont font = labelFont(text.fontSize);
    xml.writeStartElement(QStringLiteral("text"));
    xml.writeAttribute(QStringLiteral("x"), number(text.x));
    xml.writeAttribute(QStringLiteral("y"), number(text.y + QFontMetricsF(font).ascent()));
    xml.writeAttribute(QStringLiteral("font-family"), font.family());
    xml.writeAttribute(QStringLiteral("font-size"), QString::number(font.pixelSize()));
    xml.writeAttribute(QStringLiteral("fill"), colourName(text.colour));
    xml.writeAttribute(QStringLiteral("stroke"), QStringLiteral("none"));
    xml.writeCharacters(QString::fromStdString(text.text));
    xml.writeEndElement();
  }
};

}  // namespace

std::optional<PictureFormat> pictureFormatFor(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("png")) {
    return PictureFormat::Png;
  }
  if (suffix == QLatin1String("svg")) {
    return PictureFormat::Svg;
  }
  return std::nullopt;
}

QImage renderPicture(const Picture& picture, int clientWidth, int clientHeight, int scale) {
  QImage image(clientWidth * scale, clientHeight * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  QPainter painter(&image);
  paintPicture(painter, picture, clientWidth, clientHeight);
  return image;
}

QByteArray svgDocument(const Picture& picture, int clientWidth, int clientHeight) {
  QByteArray document;
  QXmlStreamWriter xml(&document);
  xml.setAutoFormatting(true);
  xml.writeStartDocument();
  xml.writeStartElement(QStringLiteral("svg"));
  xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
  xml.writeAttribute(QStringLiteral("width"), QString::number(clientWidth));
  xml.writeAttribute(QStringLiteral("height"), QString::number(clientHeight));
  xml.writeAttribute(QStringLiteral("viewBox"),
                     QStringLiteral("0 0 %1 %2").arg(clientWidth).arg(clientHeight));
  xml.writeEmptyElement(QStringLiteral("rect"));
  xml.writeAttribute(QStringLiteral("width"), QString::number(clientWidth));
  xml.writeAttribute(QStringLiteral("height"), QString::number(clientHeight));
  xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("#000000"));
  // One-pixel strokes without fill; square caps so that a line of length zero shows its
  // point, as on screen.
  xml.writeStartElement(QStringLiteral("g"));
  xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
  xml.writeAttribute(QStringLiteral("stroke-width"), QStringLiteral("1"));
  xml.writeAttribute(QStringLiteral("stroke-linecap"), QStringLiteral("square"));
  xml.writeAttribute(QStringLiteral("shape-rendering"), QStringLiteral("crispEdges"));
  const SvgItemWriter writeItem{xml};
  for (const PictureItem& item : picture) {
    std::visit(writeItem, item);
  }
  xml.writeEndElement();
  xml.writeEndElement();
  xml.writeEndDocument();
  return document;
}

QString savePicture(const Picture& picture, int clientWidth, int clientHeight, const QString& path,
                    PictureFormat format, int scale) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
  }
  bool written = false;
  if (format == PictureFormat::Png) {
    written = renderPicture(picture, clientWidth, clientHeight, scale).save(&file, "PNG");
  } else {
    const QByteArray document = svgDocument(picture, clientWidth, clientHeight);
    written = file.write(document) == document.size();
  }
  if (!written) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return QStringLiteral("cannot write %1: %2").arg(path, reason);
  }
  if (!file.commit()) {
    return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
  }
  return {};
}

}  // namespace app
