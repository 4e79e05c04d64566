#include "picture_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>
#include <optional>

#include "picture/colour.h"
#include "picture/text_metrics.h"
#include "pixel_plot.h"

namespace app {

namespace {

struct ItemPainter {
  QPainter& painter;

  void operator()(const LineItem& line) const {
    QPen pen(toQColor(line.colour), line.width);
    if (line.dashed) {
      pen.setDashPattern({kDashLength, kDashGap});  // in pen widths
    }
    painter.setPen(pen);
    const QPointF from(line.x1, line.y1);
    const QPointF to(line.x2, line.y2);
    if (from == to) {
      painter.drawPoint(from);  // a line of length zero still marks its point
    } else {
      painter.drawLine(from, to);
    }
  }

  void operator()(const CircleItem& circle) const {
    painter.setPen(QPen(toQColor(circle.colour), circle.width));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(circle.x, circle.y), circle.radius, circle.radius);
  }

  void operator()(const TextItem& text) const {
    const QFont font = labelFont(text.fontSize);
    painter.setFont(font);
    painter.setPen(toQColor(text.colour));
    const qreal baseline = static_cast<qreal>(text.y) + QFontMetricsF(font).ascent();
    painter.drawText(QPointF(text.x, baseline), QString::fromStdString(text.text));
  }

  void operator()(const RectItem& rect) const {
    painter.setPen(QPen(toQColor(rect.border), 1));
    painter.setBrush(toQColor(rect.fill));
    painter.drawRect(QRectF(rect.x, rect.y, rect.width, rect.height));
    painter.setBrush(Qt::NoBrush);
  }
};

}  // namespace

QFont labelFont(int points) {
  QFont font(QString::fromLatin1(kLabelFontFamily));
  font.setPixelSize(labelPixelSize(points));
  return font;
}

QColor toQColor(Colour colour) {
  return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

void renderInto(QImage& image, const Picture& picture) {
  image.fill(toQColor(groundOf(PictureStyle::Normal)));
  std::optional<QPainter> painter;  // open only while an item needs it
  for (const PictureItem& item : picture) {
    const auto* line = std::get_if<LineItem>(&item);
    const auto* circle = std::get_if<CircleItem>(&item);
    if (line != nullptr && isOnePixelWide(line->width) && !line->dashed) {
      painter.reset();
      plotLine(image, line->x1, line->y1, line->x2, line->y2, toQColor(line->colour).rgb());
    } else if (circle != nullptr && isOnePixelWide(circle->width)) {
      painter.reset();
      plotCircle(image, circle->x, circle->y, circle->radius, toQColor(circle->colour).rgb());
    } else {
      if (!painter) {
        painter.emplace(&image);
        painter->setRenderHint(QPainter::Antialiasing, false);
      }
      std::visit(ItemPainter{*painter}, item);
    }
  }
}

void paintPicture(QPainter& painter, const Picture& picture, int clientWidth, int clientHeight,
                  Colour ground) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(QRectF(0, 0, clientWidth, clientHeight), toQColor(ground));
  const ItemPainter paintItem{painter};
  for (const PictureItem& item : picture) {
    std::visit(paintItem, item);
  }
  painter.restore();
}

}  // namespace app
