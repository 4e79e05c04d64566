#include "print_page.h"

#include "geometry/window_frame.h"
#include "picture/picture_style.h"
#include "picture_output/picture_painter.h"

namespace app {

namespace {

constexpr int kDotsPerInch = 1200;
constexpr double kUnitsPerPoint = kDotsPerInch / 72.0;

}  // namespace

std::optional<Paper> paperNamed(const QString& name) {
  if (name == QLatin1String("a4")) {
    return Paper::A4;
  }
  if (name == QLatin1String("letter")) {
    return Paper::Letter;
  }
  return std::nullopt;
}

PrintedPages::PrintedPages(QIODevice& device, Paper paper, const QString& title)
    : writer_(&device) {
  writer_.setResolution(kDotsPerInch);
  writer_.setTitle(title);
  writer_.setCreator(QStringLiteral("voronoi-delaunay"));
  writer_.setPageSize(QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter));
  writer_.setPageMargins(QMarginsF());
  page_ = writer_.pageLayout().fullRect(QPageLayout::Point).size();
  painter_.begin(&writer_);
  painter_.scale(kUnitsPerPoint, kUnitsPerPoint);
}

double paragraph(QPainter& painter, const QRectF& area, const QString& text, int points,
                 bool bold) {
  QFont font = labelFont(points);
  font.setBold(bold);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QRectF used = painter.boundingRect(area, Qt::TextWordWrap, text);
  painter.drawText(area, Qt::TextWordWrap, text);
  return used.height();
}

double paragraphHeight(QPainter& painter, double width, const QString& text, int points) {
  painter.setFont(labelFont(points));
  return painter.boundingRect(QRectF(0, 0, width, 10000), Qt::TextWordWrap, text).height();
}

double printedPicture(QPainter& painter, const Picture& shown, QPointF origin, double width) {
  using geometry::kWindowFrame;
  const int clientWidth = kWindowFrame.clientWidth, clientHeight = kWindowFrame.clientHeight;
  const double scale = width / clientWidth;
  painter.save();
  painter.translate(origin);
  painter.scale(scale, scale);
  painter.setClipRect(QRectF(0, 0, clientWidth, clientHeight));
  paintPicture(painter, shown, clientWidth, clientHeight, groundOf(PictureStyle::Print));
  painter.restore();
  painter.setPen(QPen(QColor(0x76, 0x76, 0x76), 0.5));
  painter.drawRect(QRectF(origin, QSizeF(width, clientHeight * scale)));
  return clientHeight * scale;
}

}  // namespace app
