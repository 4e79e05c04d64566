#include "lesson_documents.h"

#include <QString>
#include <vector>

#include "explanation_picture.h"
#include "explanation_text.h"
#include "geometry/window_frame.h"
#include "picture/picture_pdf.h"
#include "picture/picture_tikz.h"

namespace app {

namespace {

using geometry::kWindowFrame;

QString pairName(const Lesson& lesson) {
  return QStringLiteral("pair %1-%2").arg(lesson.account.i).arg(lesson.account.j);
}

QString resultOf(const Lesson& lesson) {
  return QString::fromStdString(
      resultLine(lesson.account.i, lesson.account.j, lesson.account.outcome));
}

}  // namespace

QByteArray lessonHandout(const Picture& normal, const Lesson& lesson, LessonLevel level,
                         const geometry::SiteColumns& sites, PictureStyle style) {
  std::vector<PdfPage> pages{{styledPicture(normal, style), resultOf(lesson)}};
  for (std::size_t step = 0; step < lesson.count(level); ++step) {
    pages.push_back({levelStepPicture(normal, lesson, level, step, sites, style),
                     QString::fromStdString(stepLine(lesson, level, step))});
  }
  return pdfDocument(pages, kWindowFrame.clientWidth, kWindowFrame.clientHeight,
                     QStringLiteral("The steps of %1").arg(pairName(lesson)));
}

QByteArray lessonBeamerFrame(const Picture& normal, const Lesson& lesson, LessonLevel level,
                             const geometry::SiteColumns& sites, PictureStyle style) {
  const int width = kWindowFrame.clientWidth, height = kWindowFrame.clientHeight;
  QString tex =
      QStringLiteral(
          "% The steps of %1 as a Beamer frame, drawn by voronoi-delaunay: one overlay\n"
          "% a step. \\input it in a beamer document that loads tikz. The figure\n"
          "% follows the styles of a TikZ figure of voronoi-delaunay; \"vd slide scale\"\n"
          "% sets its size on the slide (x=0.72mm, y=-0.72mm).\n")
          .arg(pairName(lesson));
  tex += QStringLiteral("\\begin{frame}{%1}\n\\centering\n").arg(latexText(resultOf(lesson)));
  tex += QStringLiteral(
      "\\begin{tikzpicture}[x=0.72mm, y=-0.72mm, vd slide scale/.try, line cap=rect]\n");
  tex += tikzBoundingBox(width, height);
  // The steps' pictures share their start, the run's picture dimmed: it is drawn once, and
  // each overlay adds the rest of its step's picture.
  std::vector<Picture> steps;
  for (std::size_t step = 0; step < lesson.count(level); ++step) {
    steps.push_back(levelStepPicture(normal, lesson, level, step, sites, style));
  }
  std::size_t shared = steps.front().size();
  for (const Picture& picture : steps) {
    std::size_t alike = 0;
    while (alike < shared && alike < picture.size() && picture[alike] == steps.front()[alike]) {
      ++alike;
    }
    shared = alike;
  }
  const Picture common(steps.front().begin(),
                       steps.front().begin() + static_cast<std::ptrdiff_t>(shared));
  for (Picture& picture : steps) {
    picture.erase(picture.begin(), picture.begin() + static_cast<std::ptrdiff_t>(shared));
  }
  tex += tikzPictureScope(common, width, height, steps);
  tex += QStringLiteral("\\end{tikzpicture}\n\n\\parbox{\\linewidth}{\\tiny\n");
  for (std::size_t step = 0; step < lesson.count(level); ++step) {
    tex += QStringLiteral("\\only<%1>{%2}\n")
               .arg(step + 1)
               .arg(latexText(QString::fromStdString(stepLine(lesson, level, step))));
  }
  tex += QStringLiteral("}\n\\end{frame}\n");
  return tex.toUtf8();
}

}  // namespace app
