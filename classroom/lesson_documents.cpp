#include "lesson_documents.h"

#include <QString>
#include <algorithm>

#include "explanation/explanation_picture.h"
#include "explanation/explanation_text.h"
#include "explanation/quiz.h"
#include "geometry/window_frame.h"
#include "picture_output/picture_pdf.h"
#include "picture_output/picture_tikz.h"

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

std::vector<std::size_t> stepsOf(std::size_t count, const std::vector<std::size_t>& picked) {
  if (!picked.empty()) {
    return picked;
  }
  std::vector<std::size_t> all(count);
  for (std::size_t n = 0; n < count; ++n) {
    all[n] = n;
  }
  return all;
}

// Frames of overlays: each frame draws the start its steps' pictures share once (the run's
// picture dimmed) and each overlay adds the rest of its picture, with its sentence under it.
QString beamerFrames(const QString& title, std::vector<Picture> pictures,
                     const std::vector<std::string>& sentences) {
  const int width = kWindowFrame.clientWidth, height = kWindowFrame.clientHeight;
  QString tex;
  const std::size_t frames = (pictures.size() + kOverlaysPerFrame - 1) / kOverlaysPerFrame;
  for (std::size_t frame = 0; frame < frames; ++frame) {
    const std::size_t first = frame * kOverlaysPerFrame;
    const std::size_t last = std::min(first + kOverlaysPerFrame, pictures.size());
    std::vector<Picture> steps(pictures.begin() + static_cast<std::ptrdiff_t>(first),
                               pictures.begin() + static_cast<std::ptrdiff_t>(last));
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
    const QString part =
        frames == 1 ? QString() : QStringLiteral(" (%1 of %2)").arg(frame + 1).arg(frames);
    tex += QStringLiteral("\\begin{frame}{%1%2}\n\\centering\n").arg(latexText(title), part);
    tex += QStringLiteral(
        "\\begin{tikzpicture}[x=1mm, y=-1mm, scale=0.72, transform shape, vd slide scale/.try, "
        "line cap=rect]\n");
    tex += tikzBoundingBox(width, height);
    tex += tikzPictureScope(common, width, height, steps);
    tex += QStringLiteral("\\end{tikzpicture}\n\n\\parbox[t][2\\baselineskip]{\\linewidth}{%\n");
    for (std::size_t n = first; n < last; ++n) {
      tex += QStringLiteral("\\only<%1>{%2}%\n")
                 .arg(n - first + 1)
                 .arg(latexText(QString::fromStdString(sentences[n])));
    }
    tex += QStringLiteral("}\n\\end{frame}\n");
  }
  return tex;
}

QString slidesHeader(const QString& what) {
  return QStringLiteral(
             "% %1 as Beamer frames, drawn by voronoi-delaunay: one overlay a step.\n"
             "% \\input them in a beamer document that loads tikz. The figure follows the\n"
             "% styles of a TikZ figure of voronoi-delaunay; \"vd slide scale\" sets its size\n"
             "% on the slide (scale=0.72; its text is scaled alike).\n")
      .arg(what);
}

}  // namespace

QByteArray lessonHandout(const Picture& normal, const Lesson& lesson, LessonLevel level,
                         const std::vector<std::size_t>& picked, const geometry::SiteColumns& sites,
                         PictureStyle style) {
  std::vector<PdfPage> pages{{styledPicture(normal, style), resultOf(lesson)}};
  for (const std::size_t step : stepsOf(lesson.count(level), picked)) {
    pages.push_back({levelStepPicture(normal, lesson, level, step, sites, style, StepText::Beside),
                     QString::fromStdString(stepLine(lesson, level, step))});
  }
  return pdfDocument(pages, kWindowFrame.clientWidth, kWindowFrame.clientHeight,
                     QStringLiteral("The steps of %1").arg(pairName(lesson)));
}

QByteArray lessonBeamerFrames(const Picture& normal, const Lesson& lesson, LessonLevel level,
                              const std::vector<std::size_t>& picked,
                              const geometry::SiteColumns& sites, PictureStyle style) {
  std::vector<Picture> pictures;
  std::vector<std::string> sentences;
  for (const std::size_t step : stepsOf(lesson.count(level), picked)) {
    pictures.push_back(
        levelStepPicture(normal, lesson, level, step, sites, style, StepText::Beside));
    sentences.push_back(level == LessonLevel::Overview ? lesson.overview[step].headline
                                                       : lesson.steps[step].headline);
  }
  const QString question =
      QString::fromStdString(lessonQuestion(lesson.account.i, lesson.account.j));
  return (slidesHeader(QStringLiteral("The lesson of %1").arg(pairName(lesson))) +
          beamerFrames(question, std::move(pictures), sentences))
      .toUtf8();
}

QByteArray tourBeamerFrames(const Picture& normal, const Tour& tour,
                            const geometry::SiteColumns& sites, PictureStyle style) {
  std::vector<Picture> pictures;
  std::vector<std::string> sentences;
  for (std::size_t step = 0; step < tour.count(); ++step) {
    pictures.push_back(tourStepPicture(normal, tour, step, sites, style, StepText::Beside));
    sentences.push_back(tourStepHeadline(tour, step));
  }
  const QString title = QString::fromUtf8(kTourTitle);
  return (slidesHeader(title) + beamerFrames(title, std::move(pictures), sentences)).toUtf8();
}

}  // namespace app
