#include "print_handout.h"

#include <QBuffer>
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

constexpr int kListPoints = 7;
constexpr double kCaptionRoom = 40;  // points under each step's picture for its line
constexpr int kStepsPerPage = 2;
constexpr int kSiteColumns = 4;
const char* const kAnswerLine = "____________________";
constexpr double kMargin = kPrintMargin, kGap = kPrintGap;

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

namespace {

// A step as printed: its picture, in the print style, and its line.
struct PrintedStep {
  Picture picture;
  QString line;
};

// The first page of a part: its title, what it shows, the rule, the sites drawn without the
// diagram (which would answer the question before the steps do) and listed with numbers.
void firstPage(PrintedPages& pages, const QString& title, const QString& about,
               const Picture& normal, const geometry::SiteColumns& sites) {
  QPainter& painter = pages.painter();
  const double width = pages.page().width() - 2 * kMargin;
  double y = kMargin;
  y += paragraph(painter, QRectF(kMargin, y, width, 100), title, kTitlePoints, true) + kGap;
  y += paragraph(painter, QRectF(kMargin, y, width, 100), about, kTextPoints) + kGap;
  y += paragraph(painter, QRectF(kMargin, y, width, 400), QString::fromUtf8(kLessonRule),
                 kTextPoints) +
       kGap;
  y +=
      printedPicture(painter, styledPicture(visibleItems(normal, sitesOnly()), PictureStyle::Print),
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
}

// The steps, two to a page, each picture as wide as fits with its line once and whole
// beneath it. A line that needs more than a third of its slot (the detail's sorted cut
// list) takes a page of its own, its picture at the others' size and its words below.
void stepPages(PrintedPages& pages, const std::vector<PrintedStep>& steps) {
  QPainter& painter = pages.painter();
  const QSizeF page = pages.page();
  const double width = page.width() - 2 * kMargin;
  const double slot = (page.height() - 2 * kMargin) / kStepsPerPage;
  std::vector<double> rooms;
  double captionRoom = kCaptionRoom;
  for (const PrintedStep& step : steps) {
    rooms.push_back(paragraphHeight(painter, width, step.line, kTextPoints) + kGap);
    if (rooms.back() <= slot / 3) {
      captionRoom = std::max(captionRoom, rooms.back());
    }
  }
  const double pictureWidth = std::min(
      width, (slot - captionRoom - kGap) * kWindowFrame.clientWidth / kWindowFrame.clientHeight);
  int onPage = kStepsPerPage;  // steps on the page so far: a new page first
  for (std::size_t n = 0; n < steps.size(); ++n) {
    const bool alone = rooms[n] > slot / 3;
    if (alone || onPage == kStepsPerPage) {
      pages.newPage();
      onPage = 0;
    }
    const double top = kMargin + onPage * slot;
    const double left = kMargin + (width - pictureWidth) / 2;
    const double height =
        printedPicture(painter, steps[n].picture, QPointF(left, top), pictureWidth);
    const double textTop = top + height + kGap / 2;
    paragraph(
        painter,
        QRectF(kMargin, textTop, width, alone ? page.height() - kMargin - textTop : captionRoom),
        steps[n].line, kTextPoints);
    onPage = alone ? kStepsPerPage : onPage + 1;
  }
}

// One pair's part of the handout: its first page, then its steps.
void pairPages(PrintedPages& pages, const Picture& normal, const Lesson& lesson, LessonLevel level,
               const std::vector<std::size_t>& picked, const geometry::SiteColumns& sites,
               std::uint32_t seed, bool blank) {
  firstPage(
      pages, QString::fromStdString(lessonQuestion(lesson.account.i, lesson.account.j)),
      QStringLiteral("A lesson of voronoi-delaunay on the run of seed %1 with %2 sites: "
                     "how the edge finder decides whether the pair %3-%4 gets an edge%5.")
          .arg(seed)
          .arg(sites.nSites)
          .arg(lesson.account.i)
          .arg(lesson.account.j)
          .arg(level == LessonLevel::Detail ? QStringLiteral(", step by step of the algorithm")
                                            : QString()),
      normal, sites);
  // The blank version shows the sites and their label only: the edges would tell.
  const Picture ground = blank ? visibleItems(normal, sitesOnly()) : normal;
  std::vector<std::size_t> numbers = picked;
  if (numbers.empty()) {
    for (std::size_t n = 0; n < lesson.count(level); ++n) {
      numbers.push_back(n);
    }
  }
  std::vector<PrintedStep> steps;
  for (const std::size_t step : numbers) {
    const std::size_t shownStep = blank ? blankPictureOf(lesson, step) : step;
    steps.push_back({levelStepPicture(ground, lesson, level, shownStep, sites, PictureStyle::Print,
                                      StepText::Beside),
                     QString::fromStdString(blank ? blankQuestion(lesson, step)
                                                  : stepLine(lesson, level, step))});
  }
  stepPages(pages, steps);
}

}  // namespace

QByteArray printHandout(const Picture& normal, const std::vector<Lesson>& lessons,
                        LessonLevel level, const std::vector<std::size_t>& picked,
                        const geometry::SiteColumns& sites, std::uint32_t seed, Paper paper,
                        bool blank) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QStringList questions;
  for (const Lesson& lesson : lessons) {
    questions.push_back(QString::fromStdString(lessonQuestion(lesson.account.i, lesson.account.j)));
  }
  PrintedPages pages(buffer, paper,
                     questions.join(u' ') + (blank ? QStringLiteral(" (to fill in)") : QString()));
  for (const Lesson& lesson : lessons) {
    if (&lesson != &lessons.front()) {
      pages.newPage();
    }
    pairPages(pages, normal, lesson, level, picked, sites, seed, blank);
  }
  pages.end();
  return pdf;
}

QByteArray printTour(const Picture& normal, const Tour& tour, const geometry::SiteColumns& sites,
                     std::uint32_t seed, Paper paper) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  PrintedPages pages(buffer, paper, QString::fromUtf8(kTourTitle));
  firstPage(pages, QString::fromUtf8(kTourTitle),
            QStringLiteral("The tour of voronoi-delaunay's run of seed %1 with %2 sites: each "
                           "of its %3 edges with its empty circle, one a step, then how the "
                           "pairs ended.")
                .arg(seed)
                .arg(sites.nSites)
                .arg(tour.drawn.size()),
            normal, sites);
  std::vector<PrintedStep> steps;
  for (std::size_t n = 0; n < tour.count(); ++n) {
    steps.push_back({tourStepPicture(normal, tour, n, sites, PictureStyle::Print, StepText::Beside),
                     QString::fromStdString(tourStepLine(tour, sites, n))});
  }
  stepPages(pages, steps);
  pages.end();
  return pdf;
}

}  // namespace app
