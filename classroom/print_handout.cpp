#include "print_handout.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "explanation/explanation_picture.h"
#include "explanation/explanation_text.h"
#include "explanation/quiz.h"
#include "geometry/window_frame.h"
#include "picture/picture_style.h"
#include "picture_output/picture_painter.h"

namespace app {

namespace {

using geometry::kWindowFrame;

constexpr int kDotsPerInch = 1200;
constexpr double kUnitsPerPoint = kDotsPerInch / 72.0;
constexpr double kMargin = 36;  // points round the page
constexpr double kGap = 10;     // points between a picture and its line, and below
constexpr int kTitlePoints = 14, kTextPoints = 9, kListPoints = 7;
constexpr double kCaptionRoom = 40;  // points under each step's picture for its line
constexpr int kStepsPerPage = 2;
constexpr int kSiteColumns = 4;
const char* const kAnswerLine = "____________________";

// Draws `text` wrapped to the width from the top of `area`; returns the height it took.
double paragraph(QPainter& painter, const QRectF& area, const QString& text, int points,
                 bool bold = false) {
  QFont font = labelFont(points);
  font.setBold(bold);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QRectF used = painter.boundingRect(area, Qt::TextWordWrap, text);
  painter.drawText(area, Qt::TextWordWrap, text);
  return used.height();
}

// Paints a picture of the client area at `origin`, `width` points across, on white.
double picture(QPainter& painter, const Picture& shown, QPointF origin, double width) {
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

// In the blank handout, the picture of a step that would tell the answer gives way to one
// that does not: the order of the cut points, or for a blocked pair the question.
std::size_t blankPictureOf(const Lesson& lesson, std::size_t step) {
  const OverviewKind kind = lesson.overview[step].kind;
  const bool tells = kind == OverviewKind::Shadows || kind == OverviewKind::Decision ||
                     kind == OverviewKind::Result ||
                     (kind == OverviewKind::Screening &&
                      lesson.account.outcome.result == geometry::PairResult::Blocked);
  if (!tells) {
    return step;
  }
  for (std::size_t n = 0; n < lesson.overview.size(); ++n) {
    if (lesson.overview[n].kind == OverviewKind::Order) {
      return n;
    }
  }
  return 0;
}

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

std::string blankQuestion(const Lesson& lesson, std::size_t step) {
  const geometry::PairAccount& a = lesson.account;
  const std::string i = std::to_string(a.i), j = std::to_string(a.j);
  const std::string blank = kAnswerLine;
  std::string question;
  switch (lesson.overview[step].kind) {
    case OverviewKind::Question:
      return "step " + std::to_string(step + 1) + ": " + lesson.overview[step].text;
    case OverviewKind::Screening:
      question = a.outcome.result == geometry::PairResult::Blocked
                     ? "Does a site on " + j + "'s side of " + i +
                           " keep the line from being "
                           "cut? Which one? " +
                           blank
                     : "How many sites cut the line at a tick, and how many pass? " + blank;
      break;
    case OverviewKind::Order:
      question = "How many pieces do the sorted cut points make? " + blank;
      break;
    case OverviewKind::Shadows:
      question =
          "Which sites are nearer than site " + i + " to the midpoints of the pieces? " + blank;
      break;
    case OverviewKind::Decision:
      question = "Which piece, if any, has a circle about its midpoint through sites " + i +
                 " and " + j + " with no site inside? " + blank;
      break;
    case OverviewKind::Result:
      question = "Is " + i + "-" + j + " an edge of the Delaunay triangulation? " + blank;
      break;
  }
  return "step " + std::to_string(step + 1) + ": " + question;
}

QByteArray printHandout(const Picture& normal, const Lesson& lesson,
                        const std::vector<std::size_t>& picked, const geometry::SiteColumns& sites,
                        std::uint32_t seed, Paper paper, bool blank) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(kDotsPerInch);
  const QString question =
      QString::fromStdString(lessonQuestion(lesson.account.i, lesson.account.j));
  writer.setTitle(question + (blank ? QStringLiteral(" (to fill in)") : QString()));
  writer.setCreator(QStringLiteral("voronoi-delaunay"));
  writer.setPageSize(QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter));
  writer.setPageMargins(QMarginsF());
  const QSizeF page = writer.pageLayout().fullRect(QPageLayout::Point).size();
  const double width = page.width() - 2 * kMargin;
  QPainter painter(&writer);
  painter.scale(kUnitsPerPoint, kUnitsPerPoint);
  // The blank version shows the sites and their label only: the edges would tell.
  const Picture ground = blank ? visibleItems(normal, sitesOnly()) : normal;

  // The first page: the question, the seed and the sites, the rule, and the sites drawn
  // without the diagram, which would answer the question before the steps do.
  double y = kMargin;
  y += paragraph(painter, QRectF(kMargin, y, width, 100), question, kTitlePoints, true) + kGap;
  y += paragraph(painter, QRectF(kMargin, y, width, 100),
                 QStringLiteral("A lesson of voronoi-delaunay on the run of seed %1 with %2 "
                                "sites: how the edge finder decides whether the pair %3-%4 "
                                "gets an edge.")
                     .arg(seed)
                     .arg(sites.nSites)
                     .arg(lesson.account.i)
                     .arg(lesson.account.j),
                 kTextPoints) +
       kGap;
  y += paragraph(painter, QRectF(kMargin, y, width, 400), QString::fromUtf8(kLessonRule),
                 kTextPoints) +
       kGap;
  y += picture(painter, styledPicture(visibleItems(normal, sitesOnly()), PictureStyle::Print),
               QPointF(kMargin, y), width) +
       kGap;
  y += paragraph(painter, QRectF(kMargin, y, width, 40),
                 QStringLiteral("The sites, numbered, in window pixels:"), kTextPoints);
  const int rows = (sites.nSites + kSiteColumns - 1) / kSiteColumns;
  for (int k = 1; k <= sites.nSites; ++k) {
    const int column = (k - 1) / rows, row = (k - 1) % rows;
    painter.setFont(labelFont(kListPoints));
    painter.drawText(
        QPointF(kMargin + column * width / kSiteColumns, y + (row + 1) * kListPoints * 1.3),
        QStringLiteral("%1: %2").arg(k).arg(QString::fromStdString(windowPosition(sites, k))));
  }

  // The steps, two to a page, each picture as wide as fits with its line beneath.
  std::vector<std::size_t> steps = picked;
  if (steps.empty()) {
    for (std::size_t n = 0; n < lesson.overview.size(); ++n) {
      steps.push_back(n);
    }
  }
  const double slot = (page.height() - 2 * kMargin) / kStepsPerPage;
  const double pictureWidth = std::min(
      width, (slot - kCaptionRoom - kGap) * kWindowFrame.clientWidth / kWindowFrame.clientHeight);
  for (std::size_t n = 0; n < steps.size(); ++n) {
    if (n % kStepsPerPage == 0) {
      writer.newPage();
    }
    const std::size_t step = steps[n];
    const double top = kMargin + static_cast<double>(n % kStepsPerPage) * slot;
    const std::size_t shownStep = blank ? blankPictureOf(lesson, step) : step;
    const Picture shown = overviewStepPicture(ground, lesson, shownStep, sites, PictureStyle::Print,
                                              StepText::Beside);
    const double left = kMargin + (width - pictureWidth) / 2;
    const double height = picture(painter, shown, QPointF(left, top), pictureWidth);
    const std::string line =
        blank ? blankQuestion(lesson, step) : stepLine(lesson, LessonLevel::Overview, step);
    paragraph(painter, QRectF(left, top + height + kGap / 2, pictureWidth, kCaptionRoom),
              QString::fromStdString(line), kTextPoints);
  }
  painter.end();
  return pdf;
}

}  // namespace app
