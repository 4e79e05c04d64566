#include "picture_pdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

#include "picture_painter.h"

namespace app {

namespace {

// The writer's resolution: device units per inch. Qt writes coordinates in these units,
// so a fine one keeps every single-precision coordinate to a hundredth of a pixel.
constexpr int kDotsPerInch = 1200;
constexpr double kUnitsPerPixel = kDotsPerInch / 72.0;  // a pixel is a point
constexpr int kCaptionPoints = 9;
constexpr double kCaptionMargin = 8;  // pixels round the caption

QFont captionFont() {
  return labelFont(kCaptionPoints);
}

// Where the caption goes, in pixels below the picture: its wrapped text's bounding box
// with a margin all round; empty without a caption.
QRectF captionArea(const QString& caption, int clientWidth, int clientHeight) {
  if (caption.isEmpty()) {
    return {};
  }
  const QRectF width(kCaptionMargin, clientHeight + kCaptionMargin,
                     clientWidth - 2 * kCaptionMargin, 1e6);
  const QRectF text = QFontMetricsF(captionFont()).boundingRect(width, Qt::TextWordWrap, caption);
  return {width.x(), width.y(), width.width(), std::ceil(text.height())};
}

QPageSize pageSizeOf(const PdfPage& page, int clientWidth, int clientHeight) {
  const QRectF caption = captionArea(page.caption, clientWidth, clientHeight);
  const double height = caption.isEmpty() ? clientHeight : caption.bottom() + kCaptionMargin;
  return QPageSize(QSizeF(clientWidth, height), QPageSize::Point, QString(), QPageSize::ExactMatch);
}

}  // namespace

QByteArray pdfDocument(const std::vector<PdfPage>& pages, int clientWidth, int clientHeight,
                       const QString& title) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(kDotsPerInch);
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("voronoi-delaunay"));
  writer.setPageMargins(QMarginsF());
  if (!pages.empty()) {
    writer.setPageSize(pageSizeOf(pages.front(), clientWidth, clientHeight));
  }
  QPainter painter(&writer);
  for (std::size_t n = 0; n < pages.size(); ++n) {
    const PdfPage& page = pages[n];
    if (n > 0) {
      writer.setPageSize(pageSizeOf(page, clientWidth, clientHeight));
      writer.newPage();
    }
    painter.resetTransform();
    painter.scale(kUnitsPerPixel, kUnitsPerPixel);
    const QRectF caption = captionArea(page.caption, clientWidth, clientHeight);
    if (!caption.isEmpty()) {
      // The caption is dark on the page's white, below the black picture.
      painter.setFont(captionFont());
      painter.setPen(Qt::black);
      painter.drawText(caption, Qt::TextWordWrap, page.caption);
    }
    // Lines run on past the picture's edges; the page shows the picture only.
    painter.save();
    painter.setClipRect(QRectF(0, 0, clientWidth, clientHeight));
    paintPicture(painter, page.picture, clientWidth, clientHeight);
    painter.restore();
  }
  painter.end();
  return pdf;
}

}  // namespace app
