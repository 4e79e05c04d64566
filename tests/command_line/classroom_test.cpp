#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdlib>

#include "picture/picture_tikz.h"
#include "support/five_sites.h"
#include "support/pictures.h"
#include "support/programs.h"

namespace {

using testing_support::runProgram;

// The share of the pixels of `window` that the rendered page does not show: a pixel counts
// as shown when the page has a pixel of its colour, within 16 levels a channel, at its
// place or one pixel beside it, and the other way round. Two rasterisers draw the same
// sloping line as staircases a pixel apart, and the same glyph with other grey edges.
double shareDiffering(const QImage& window, const QImage& page) {
  const auto near = [](QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 16 && std::abs(qGreen(a) - qGreen(b)) <= 16 &&
           std::abs(qBlue(a) - qBlue(b)) <= 16;
  };
  const auto shownIn = [&](const QImage& from, const QImage& in, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (in.rect().contains(x + dx, y + dy) &&
            near(from.pixel(x, y), in.pixel(x + dx, y + dy))) {
          return true;
        }
      }
    }
    return false;
  };
  long differing = 0;
  for (int y = 0; y < window.height(); ++y) {
    for (int x = 0; x < window.width(); ++x) {
      differing += !shownIn(window, page, x, y) || !shownIn(page, window, x, y);
    }
  }
  return static_cast<double>(differing) / (window.width() * window.height());
}

class Classroom : public ::testing::Test {
 protected:
  Classroom() {
    QFile sites(path("five.txt"));
    EXPECT_TRUE(sites.open(QIODevice::WriteOnly));
    sites.write(testing_support::kFiveSitesList.c_str());
  }
  QString path(const QString& name) const { return dir.filePath(name); }
  // Runs the program on the five sites with the arguments; returns its standard output.
  QString run(QStringList arguments) const {
    arguments.prepend(path("five.txt"));
    arguments.prepend("--sites");
    const auto outcome = runProgram(arguments);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errors.toStdString();
    return outcome.output;
  }
  // Runs a tool of TeX Live or poppler in the test's folder; returns its standard output.
  QString tool(const QString& name, const QStringList& arguments) const {
    const auto outcome =
        runProgram(arguments, QProcessEnvironment::systemEnvironment(), name, dir.path());
    EXPECT_EQ(outcome.exitCode, 0) << name.toStdString() << ": " << outcome.output.toStdString()
                                   << outcome.errors.toStdString();
    return outcome.output;
  }
  QImage image(const QString& name) const {
    return QImage(path(name)).convertToFormat(QImage::Format_RGB32);
  }
  int pages(const QString& pdf) const {
    const auto found = QRegularExpression("Pages:\\s+(\\d+)").match(tool("pdfinfo", {pdf}));
    return found.hasMatch() ? found.captured(1).toInt() : -1;
  }
  // Compiles a LaTeX document; returns its log.
  QString compile(const QString& name, const QByteArray& document) const {
    QFile file(path(name + ".tex"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(document);
    file.close();
    tool("pdflatex", {"-interaction=nonstopmode", "-halt-on-error", name + ".tex"});
    return QString::fromUtf8(testing_support::contents(path(name + ".log")));
  }

  QTemporaryDir dir;
};

// The handout: the whole picture and the pair's result on the first page, then a page for
// each step of the overview (six for this pair), each showing at its natural size what the
// window shows of that step; with --detail, a page for each detail step.
TEST_F(Classroom, TheHandoutHasAPageForEachStepShowingTheWindowsPicture) {
  const QStringList lesson{"--seed", "1", "--explain", "1-2"};
  const int steps = static_cast<int>(run(lesson + QStringList{"--steps"}).count('\n'));
  ASSERT_EQ(steps, 6);
  run(lesson + QStringList{"--detail", "--save", path("detail.pdf")});
  EXPECT_EQ(pages("detail.pdf"), 8 + 1);
  const QString result = run(lesson).section('\n', 0, 0);
  run(lesson + QStringList{"--save", path("handout.pdf")});
  ASSERT_EQ(pages("handout.pdf"), steps + 1);
  EXPECT_TRUE(tool("pdftotext", {"-f", "1", "-l", "1", "handout.pdf", "-"}).contains(result))
      << result.toStdString();

  tool("pdftoppm", {"-r", "72", "-aa", "yes", "-aaVector", "no", "-png", "handout.pdf", "page"});
  run({"--seed", "1", "--save", path("whole.png")});
  const QImage first = image("page-1.png");
  EXPECT_LE(shareDiffering(image("whole.png"), first.copy(0, 0, 753, 475)), 0.01);
  for (int step = 1; step <= steps; ++step) {
    const QString png = QStringLiteral("step-%1.png").arg(step);
    run(lesson + QStringList{"--step", QString::number(step), "--save", path(png)});
    const QImage page = image(QStringLiteral("page-%1.png").arg(step + 1));
    EXPECT_GT(page.height(), 475) << "the step's line goes under its picture";
    EXPECT_LE(shareDiffering(image(png), page.copy(0, 0, 753, 475)), 0.01) << "step " << step;
  }
}

// The TikZ figure compiles with only the tikz package, draws a path for every item of the
// picture (and four more: the bounding box, the clip, the black ground and the sites'
// coordinates), and takes a style the document sets; the Beamer frame compiles with a
// slide for each step; text reaches the page with LaTeX's special characters intact.
TEST_F(Classroom, TheTikzFigureAndTheBeamerFrameCompile) {
  run({"--seed", "42", "--save", path("figure.tex")});
  run({"--seed", "42", "--save", path("figure.svg")});
  const QString log = compile(
      "article",
      "\\documentclass{article}\n\\usepackage{tikz}\n\\newcount\\paths\n"
      "\\tikzset{every path/.append code={\\global\\advance\\paths by 1}}\n"
      "\\tikzset{vd voronoi edges/.style={draw=blue}}\n"
      "\\begin{document}\n\\input{figure.tex}\n\\typeout{PATHS=\\the\\paths}\n\\end{document}\n");
  // The SVG file has an element for each item, and one for its black ground.
  const auto items = static_cast<unsigned long long>(
      QString::fromUtf8(testing_support::contents(path("figure.svg")))
          .count(QRegularExpression("<(line|circle|text|rect) ")) -
      1);
  const auto paths = QRegularExpression("PATHS=(\\d+)").match(log);
  EXPECT_EQ(paths.captured(1).toULongLong(), items + 4);

  run({"--seed", "1", "--explain", "1-2", "--save", path("frame.tex")});
  compile("slides",
          "\\documentclass{beamer}\n\\usepackage{tikz}\n"
          "\\begin{document}\n\\input{frame.tex}\n\\end{document}\n");
  EXPECT_EQ(pages("slides.pdf"), 6);

  const QString special = QStringLiteral("50% of #1 & {x} costs $2");
  QFile figure(path("special.tex"));
  ASSERT_TRUE(figure.open(QIODevice::WriteOnly));
  figure.write(
      app::tikzFigure({app::TextItem{10, 10, special.toStdString(), 0xFFFFFF, 10}}, 753, 475));
  figure.close();
  compile("text",
          "\\documentclass{article}\n\\usepackage{tikz}\n"
          "\\begin{document}\n\\input{special.tex}\n\\end{document}\n");
  const QString text = tool("pdftotext", {"text.pdf", "-"});
  EXPECT_TRUE(text.contains(special)) << text.toStdString();
}

}  // namespace
