#include "exercise_sheets.h"

#include <QBuffer>
#include <algorithm>

#include "exercises/exercise_sheet.h"
#include "geometry/window_frame.h"

namespace app {

namespace {

using geometry::kWindowFrame;

constexpr int kQuestionPoints = 8;
constexpr int kColumns = 2;        // questions side by side
constexpr double kLeastRoom = 30;  // points under a picture for its words, at least
constexpr double kPictureAspect =
    static_cast<double>(kWindowFrame.clientWidth) / kWindowFrame.clientHeight;

// One seed's page.
void sheetPage(QPainter& painter, const ExerciseSheet& sheet, QSizeF page, bool key) {
  const double width = page.width() - 2 * kPrintMargin;
  double y = kPrintMargin;
  y += paragraph(painter, QRectF(kPrintMargin, y, width, 60), QString::fromStdString(sheet.title),
                 kTitlePoints, true) +
       kPrintGap / 2;
  if (!key) {
    y += paragraph(painter, QRectF(kPrintMargin, y, width, 30),
                   QStringLiteral("Name: ______________________________    Score: ________"),
                   kTextPoints) +
         kPrintGap / 2;
  }
  y += paragraph(painter, QRectF(kPrintMargin, y, width, 80), QString::fromStdString(sheet.task),
                 kTextPoints) +
       kPrintGap;

  const bool drawing = sheet.questions.size() == 1;
  const int columns = drawing ? 1 : kColumns;
  const int points = drawing ? kTextPoints : kQuestionPoints;
  const auto rows = static_cast<double>((sheet.questions.size() + columns - 1) / columns);
  const double cellWidth = (width - (columns - 1) * kPrintGap) / columns;
  const double cellHeight = (page.height() - kPrintMargin - y) / rows;
  // Room beneath each picture for the longest words, measured at the width they may take.
  double room = kLeastRoom;
  for (const SheetQuestion& question : sheet.questions) {
    room = std::max(
        room, paragraphHeight(painter, cellWidth, QString::fromStdString(question.text), points) +
                  kPrintGap);
  }
  const double pictureWidth = std::min(cellWidth, (cellHeight - room) * kPictureAspect);
  for (std::size_t n = 0; n < sheet.questions.size(); ++n) {
    const SheetQuestion& question = sheet.questions[n];
    const auto column = static_cast<double>(n % columns);
    const double cellLeft = kPrintMargin + column * (cellWidth + kPrintGap);
    const double left = cellLeft + (cellWidth - pictureWidth) / 2;
    const double top = y + static_cast<double>(n / columns) * cellHeight;
    const double height =
        printedPicture(painter, question.picture, QPointF(left, top), pictureWidth);
    paragraph(painter, QRectF(cellLeft, top + height + kPrintGap / 2, cellWidth, room),
              QString::fromStdString(question.text), points);
  }
}

}  // namespace

QByteArray exerciseSheets(ExerciseKind kind, std::uint32_t first, std::uint32_t last, Paper paper,
                          bool key) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  PrintedPages pages(buffer, paper,
                     QStringLiteral("%1: seeds %2 to %3%4")
                         .arg(QString::fromUtf8(infoOf(kind).title))
                         .arg(first)
                         .arg(last)
                         .arg(key ? QStringLiteral(", the key") : QString()));
  for (std::uint32_t seed = first;; ++seed) {
    sheetPage(pages.painter(), exerciseSheet(kind, seed, key), pages.page(), key);
    if (seed == last) {
      break;
    }
    pages.newPage();
  }
  pages.end();
  return pdf;
}

}  // namespace app
