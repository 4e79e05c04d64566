#pragma once

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QString>
#include <optional>

#include "picture/picture.h"

namespace app {

// What the printed documents share: the paper, and the painting of text and pictures on a
// page measured in points.

// The paper a handout or a sheet is printed on.
enum class Paper { A4, Letter };
std::optional<Paper> paperNamed(const QString& name);  // "a4" or "letter"

inline constexpr double kPrintMargin = 36;  // points round the page
inline constexpr double kPrintGap = 10;     // points between a picture and its line, and below
inline constexpr int kTitlePoints = 14, kTextPoints = 9;

// A PDF writer on the paper, titled, its painter scaled to draw in points.
class PrintedPages {
 public:
  PrintedPages(QIODevice& device, Paper paper, const QString& title);
  QPainter& painter() { return painter_; }
  QSizeF page() const { return page_; }
  void newPage() { writer_.newPage(); }
  void end() { painter_.end(); }

 private:
  QPdfWriter writer_;
  QSizeF page_;
  QPainter painter_;
};

// Draws `text` wrapped to the width from the top of `area`; returns the height it took.
double paragraph(QPainter& painter, const QRectF& area, const QString& text, int points,
                 bool bold = false);

// The height `text` takes wrapped to the width.
double paragraphHeight(QPainter& painter, double width, const QString& text, int points);

// Paints a picture of the client area, already in the print style, at `origin`, `width`
// points across, framed; returns its height.
double printedPicture(QPainter& painter, const Picture& shown, QPointF origin, double width);

}  // namespace app
