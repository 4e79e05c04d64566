#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cstdlib>

#include "classroom/lesson_documents.h"
#include "explanation/explanation_picture.h"
#include "explanation/quiz.h"
#include "geometry/window_frame.h"
#include "picture/picture_style.h"
#include "picture_output/picture_painter.h"
#include "picture_output/picture_tikz.h"
#include "run/run.h"
#include "support/five_sites.h"
#include "support/pictures.h"
#include "support/programs.h"
#include "support/run_counts.h"

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
  // Runs the program, on the five sites unless told otherwise, with the arguments; returns
  // its standard output.
  QString run(QStringList arguments, bool onFiveSites = true) const {
    if (onFiveSites) {
      arguments.prepend(path("five.txt"));
      arguments.prepend("--sites");
    }
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
// window shows of that step, its line printed once, under the picture rather than in a box
// on it; with --detail, a page for each detail step, and with --pick only the steps picked.
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
  const app::RunResult fiveSites = app::runDemonstration({1, testing_support::kFiveSites});
  const app::Lesson pair = app::lessonOf(
      geometry::explainPair(geometry::kWindowFrame, *fiveSites.sites, 1, 2), *fiveSites.sites);
  for (int step = 1; step <= steps; ++step) {
    const QImage page = image(QStringLiteral("page-%1.png").arg(step + 1));
    EXPECT_GT(page.height(), 475) << "the step's line goes under its picture";
    const app::Picture shown = app::overviewStepPicture(
        fiveSites.picture, pair, static_cast<std::size_t>(step - 1), *fiveSites.sites,
        app::PictureStyle::Normal, app::StepText::Beside);
    EXPECT_LE(shareDiffering(testing_support::rendered(shown), page.copy(0, 0, 753, 475)), 0.01)
        << "step " << step;
    const QString text = tool("pdftotext", {"-f", QString::number(step + 1), "-l",
                                            QString::number(step + 1), "handout.pdf", "-"});
    EXPECT_EQ(text.count(QStringLiteral("step %1:").arg(step)), 1) << text.toStdString();
  }
  run(lesson + QStringList{"--pick", "1,4-5", "--save", path("picked.pdf")});
  EXPECT_EQ(pages("picked.pdf"), 3 + 1);
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

  // The lesson's frame asks its question in the title and answers on the last overlay; the
  // detail's eight steps fill one frame of eight; nothing overflows.
  run({"--seed", "1", "--explain", "1-2", "--save", path("frame.tex")});
  run({"--seed", "1", "--explain", "1-2", "--detail", "--save", path("detail.tex")});
  const QString slides =
      compile("slides",
              "\\documentclass{beamer}\n\\usepackage{tikz}\n"
              "\\begin{document}\n\\input{frame.tex}\n\\input{detail.tex}\n\\end{document}\n");
  EXPECT_EQ(pages("slides.pdf"), 6 + 8);
  EXPECT_FALSE(slides.contains(QStringLiteral("Overfull"))) << slides.toStdString();
  const QString frame = QString::fromUtf8(testing_support::contents(path("frame.tex")));
  EXPECT_TRUE(frame.contains(QStringLiteral("\\begin{frame}{Is 1-2 an edge?}")));
  EXPECT_TRUE(frame.contains(QStringLiteral("\\only<6>{Yes: 1-2 is an edge.}")));
  // The picture's own text (labels and legend, the words under 8 pt high) is scaled with the
  // picture and stays inside it: the frame centres the picture, 0.72 of 120.48 mm wide.
  const QString boxes = tool("pdftotext", {"-bbox", "-f", "1", "-l", "6", "slides.pdf", "-"});
  const double pageWidth = QRegularExpression(QStringLiteral("<page width=\"([0-9.]+)\""))
                               .match(boxes)
                               .captured(1)
                               .toDouble();
  const double pictureRight = (pageWidth + 0.72 * 120.48 * 72 / 25.4) / 2;
  int pictureWords = 0;
  for (auto words =
           QRegularExpression(QStringLiteral("<word xMin=\"[0-9.]+\" yMin=\"([0-9.]+)\" "
                                             "xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)"))
               .globalMatch(boxes);
       words.hasNext();) {
    const auto word = words.next();
    if (word.captured(3).toDouble() - word.captured(1).toDouble() < 8) {
      ++pictureWords;
      EXPECT_LE(word.captured(2).toDouble(), pictureRight) << word.captured(4).toStdString();
    }
  }
  EXPECT_GT(pictureWords, 6 * 10);

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

// The slides, overview and detail, of the pair with the most cut points of 40 seeded runs,
// and their tours: no frame's title holds an outcome word, and each sentence under a picture
// is whole and takes at most two lines at the frame's normal size. The pictures, each of the same
// fixed size, stand in as rules, so that pdflatex has only the text to typeset, and every sentence
// reports its lines.
TEST_F(Classroom, SlideSentencesFitOnFortySeededRuns) {
  QString frames;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    const app::RunResult run = app::runDemonstration({seed, std::nullopt});
    const geometry::SiteColumns& sites = *run.sites;
    int busiest = 2;
    int mostCuts = 0;
    for (const geometry::ScannedPair& pair :
         geometry::followEveryPair(geometry::kWindowFrame, sites)) {
      if (pair.i == 1 && pair.outcome.cutCount > mostCuts) {
        mostCuts = pair.outcome.cutCount;
        busiest = pair.j;
      }
    }
    const app::Lesson lesson =
        app::lessonOf(geometry::explainPair(geometry::kWindowFrame, sites, 1, busiest), sites);
    // The overview's sentences are set on their overlays, under their rules; those of the
    // detail and the tour, far more, are measured on each frame's first page alone.
    const auto measured = [](QString tex, bool onTheirOverlays) {
      tex.replace(QRegularExpression(
                      QStringLiteral("\\\\begin\\{tikzpicture\\}.*?\\\\end\\{tikzpicture\\}"),
                      QRegularExpression::DotMatchesEverythingOption),
                  QStringLiteral("\\rule{86.7mm}{54.7mm}"));
      tex.replace(QRegularExpression(QStringLiteral("^\\\\only<(\\d+)>\\{(.*)\\}%$"),
                                     QRegularExpression::MultilineOption),
                  QStringLiteral("\\only<%1>{\\setbox0\\vbox{\\hsize\\linewidth\\noindent \\2\\par"
                                 "\\xdef\\lines{\\the\\prevgraf}}\\typeout{LINES=\\lines}%2}%")
                      .arg(onTheirOverlays ? QStringLiteral("\\1") : QStringLiteral("1"),
                           onTheirOverlays ? QStringLiteral("\\box0") : QString()));
      return tex;
    };
    const QString tex = measured(
        QString::fromUtf8(app::lessonBeamerFrames(run.picture, lesson, app::LessonLevel::Overview,
                                                  {}, sites, app::PictureStyle::Normal)),
        true);
    const QString title = tex.section(QStringLiteral("\\begin{frame}{"), 1).section('}', 0, 0);
    EXPECT_FALSE(
        title.contains(QRegularExpression(QStringLiteral("drawn|blocked|shadowed|Yes|No"))))
        << title.toStdString();
    frames += tex;
    // The detail's and the tour's sentences, far more: ten seeds' worth, 2,000 sentences or
    // so, find one too long (three under the sanitizers, which are slow).
    constexpr std::uint32_t kSeedsOfEveryStep = testing_support::runCount(10, 3);
    if (seed > kSeedsOfEveryStep) {
      continue;
    }
    frames += measured(QString::fromUtf8(app::lessonBeamerFrames(run.picture, lesson,
                                                                 app::LessonLevel::Detail, {},
                                                                 sites, app::PictureStyle::Normal)),
                       false) +
              measured(QString::fromUtf8(app::tourBeamerFrames(run.picture, app::tourOf(sites),
                                                               sites, app::PictureStyle::Normal)),
                       false);
  }
  // Every sentence whole, none cut off with "...", and none with the edge finder's long
  // numbers, which a slide has no room for.
  EXPECT_FALSE(frames.contains(QStringLiteral("..."))) << "a sentence cut off";
  EXPECT_FALSE(frames.contains(QRegularExpression(QStringLiteral("\\d{5}|\\.\\d{3}"))))
      << "a number of the edge finder's";
  const QString log = compile(
      "sentences",
      ("\\documentclass{beamer}\n\\begin{document}\n" + frames + "\\end{document}\n").toUtf8());
  EXPECT_FALSE(log.contains(QStringLiteral("Overfull"))) << log.toStdString();
  const auto lines = QRegularExpression(QStringLiteral("LINES=(\\d+)")).globalMatch(log);
  int sentences = 0;
  for (auto found = lines; found.hasNext();) {
    const auto match = found.next();
    ++sentences;
    EXPECT_LE(match.captured(1).toInt(), 2) << "a sentence of three lines or more";
  }
  EXPECT_GE(sentences, 40 * 3 + 3 * 100);
}

// --quiz N writes N questions in Moodle's XML format, which read back as the window's round:
// each question asks about a pair, embeds its picture as a PNG (without the window's answer
// keys), gives 100 to the edge finder's answer and 0 to the other, explains why once, and
// tells each answer only whether it is right.
TEST_F(Classroom, TheMoodleQuizReadsBackAsTheRound) {
  run({"--seed", "42", "--quiz", "5", "--save", path("quiz.xml")}, false);
  const app::RunResult run42 = app::runDemonstration({42, std::nullopt});
  app::Quiz round(42, run42.sites->nSites, run42.edgePairs());
  QFile file(path("quiz.xml"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  int questions = 0;
  std::pair<int, int> pair;
  app::Lesson lesson;
  QString element;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      element = xml.name().toString();
      if (element == QLatin1String("question")) {
        ++questions;
        EXPECT_EQ(xml.attributes().value(QLatin1String("type")), QLatin1String("multichoice"));
        pair = round.nextPair();
        lesson = app::lessonOf(
            geometry::explainPair(geometry::kWindowFrame, *run42.sites, pair.first, pair.second),
            *run42.sites);
      } else if (element == QLatin1String("file")) {
        const QImage picture =
            QImage::fromData(QByteArray::fromBase64(xml.readElementText().toLatin1()));
        const app::QuizQuestion asked = app::quizQuestion(*run42.sites, pair.first, pair.second);
        EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32),
                  testing_support::rendered(app::askingPicture(run42.picture, asked, *run42.sites,
                                                               app::PictureStyle::Normal,
                                                               app::AnswerKeys::Left)));
      } else if (element == QLatin1String("answer")) {
        // Whether the run drew the pair's edges: the edge finder's own answer.
        const bool edge =
            std::any_of(run42.drawnPairs.begin(), run42.drawnPairs.end(),
                        [&](const auto& drawn) { return std::pair(drawn.i, drawn.j) == pair; });
        const QString fraction = xml.attributes().value(QLatin1String("fraction")).toString();
        xml.readNextStartElement();
        const bool yes = xml.readElementText() == QLatin1String("Yes");
        EXPECT_EQ(fraction, yes == edge ? QLatin1String("100") : QLatin1String("0"))
            << pair.first << "-" << pair.second;
        xml.readNextStartElement();  // its feedback
        xml.readNextStartElement();
        EXPECT_EQ(xml.readElementText(),
                  yes == edge ? QLatin1String("<p>Right.</p>") : QLatin1String("<p>Not so.</p>"));
      } else if (element == QLatin1String("generalfeedback")) {
        xml.readNextStartElement();
        const QString feedback = xml.readElementText();
        const bool edge = lesson.account.outcome.result == geometry::PairResult::Drawn;
        EXPECT_TRUE(feedback.startsWith(edge ? "<p>Yes" : "<p>No")) << feedback.toStdString();
      } else if (element == QLatin1String("name")) {
        xml.readNextStartElement();
        EXPECT_EQ(
            xml.readElementText(),
            QStringLiteral("Will %1-%2 get an edge? (seed 42)").arg(pair.first).arg(pair.second));
      }
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(questions, 5);
}

// --paper a4 (or letter) prints the overview for a class: a first page with the question,
// the seed, the sites, the rule and the picture, then two steps to a page, each line once;
// dark marks on white, every colour at least 4.5:1 against white. --blank asks each step's
// question and tells no answer, in words or in pictures.
TEST_F(Classroom, ThePrintedHandoutAndItsBlankVersion) {
  const QStringList lesson{"--seed", "1", "--explain", "1-2"};
  run(lesson + QStringList{"--paper", "a4", "--save", path("print.pdf")});
  EXPECT_TRUE(tool("pdfinfo", {"print.pdf"}).contains(QStringLiteral("595 x 842 pts")));
  EXPECT_EQ(pages("print.pdf"), 1 + 3);
  const QString first = tool("pdftotext", {"-l", "1", "print.pdf", "-"});
  for (const char* expected : {"Is 1-2 an edge?", "seed 1 with 5", "Sites I and J share",
                               "1: (100, 100)", "5: (400, 400)"}) {
    EXPECT_TRUE(first.contains(QString::fromLatin1(expected))) << expected;
  }
  const QString steps = tool("pdftotext", {"-f", "2", "print.pdf", "-"}).simplified();
  for (int step = 1; step <= 6; ++step) {
    EXPECT_EQ(steps.count(QStringLiteral("step %1:").arg(step)), 1) << steps.toStdString();
  }
  tool("pdftoppm", {"-r", "36", "-l", "2", "-png", "print.pdf", "print"});
  const QImage page = image("print-2.png");
  ASSERT_FALSE(page.isNull());
  EXPECT_EQ(page.pixel(page.width() / 2, page.height() / 4), qRgb(255, 255, 255))
      << "a white ground";

  const app::RunResult run42 = app::runDemonstration({42, std::nullopt});
  const app::Lesson pair = app::lessonOf(
      geometry::explainPair(geometry::kWindowFrame, *run42.sites, 1, 7), *run42.sites);
  for (std::size_t step = 0; step < pair.overview.size(); ++step) {
    for (const app::PictureItem& item :
         app::overviewStepPicture(run42.picture, pair, step, *run42.sites, app::PictureStyle::Print,
                                  app::StepText::Beside)) {
      std::visit(
          [&](const auto& shape) {
            using Shape = std::decay_t<decltype(shape)>;
            const app::Colour colour = [&] {
              if constexpr (std::is_same_v<Shape, app::RectItem>) {
                return shape.border;
              } else {
                return shape.colour;
              }
            }();
            EXPECT_GE(app::contrastRatio(colour, app::rgb(255, 255, 255)), 4.5)
                << "step " << step + 1 << ": colour " << std::hex << colour;
          },
          item);
    }
  }

  // The first page asks before it answers: its picture is the blank version's, sites alone.
  run(lesson + QStringList{"--paper", "a4", "--blank", "--save", path("blank-a4.pdf")});
  tool("pdftoppm", {"-r", "36", "-l", "1", "-png", "blank-a4.pdf", "blank"});
  EXPECT_EQ(image("print-1.png"), image("blank-1.png"));

  // Several pairs, each from a page of its own; the detail, every step once, whole.
  run({"--seed", "1", "--explain", "1-2,3-5", "--paper", "a4", "--save", path("two.pdf")});
  EXPECT_EQ(pages("two.pdf"), 2 * (1 + 3));
  EXPECT_TRUE(
      tool("pdftotext", {"-f", "5", "-l", "5", "two.pdf", "-"}).startsWith("Is 3-5 an edge?"));
  run({"--seed", "42", "--explain", "1-7", "--detail", "--paper", "a4", "--save",
       path("detail.pdf")},
      false);
  const QString detailSteps =
      run({"--seed", "42", "--explain", "1-7", "--detail", "--steps"}, false);
  const QString printed = tool("pdftotext", {"-f", "2", "detail.pdf", "-"}).simplified();
  for (const QString& line : detailSteps.split('\n', Qt::SkipEmptyParts)) {
    EXPECT_TRUE(printed.contains(line.simplified())) << line.toStdString();
  }
  // The tour on paper: its steps after the first page, two to a page, every line whole.
  run({"--seed", "1", "--tour", "--paper", "a4", "--save", path("tour.pdf")});
  const QStringList tourSteps =
      run({"--seed", "1", "--tour", "--steps"}).split('\n', Qt::SkipEmptyParts);
  EXPECT_EQ(pages("tour.pdf"), 1 + (tourSteps.size() + 1) / 2);
  const QString tourText = tool("pdftotext", {"tour.pdf", "-"}).simplified();
  for (const QString& line : tourSteps) {
    EXPECT_TRUE(tourText.contains(line.simplified())) << line.toStdString();
  }

  run(lesson + QStringList{"--paper", "letter", "--blank", "--save", path("blank.pdf")});
  EXPECT_TRUE(tool("pdfinfo", {"blank.pdf"}).contains(QStringLiteral("612 x 792 pts")));
  const QString questions = tool("pdftotext", {"-f", "2", "blank.pdf", "-"}).simplified();
  EXPECT_TRUE(questions.contains(QStringLiteral("Is 1-2 an edge of the Delaunay triangulation?")));
  EXPECT_FALSE(questions.contains(QRegularExpression(
      QStringLiteral("is an edge|not an edge|is free|blocks|shadowed|drawn|Yes|No:"))))
      << questions.toStdString();
}

// Sheets for a class: a page a seed, in order, each with its seed and room for a name; the key
// of the same seeds a page each; on letter paper when asked; and the web edition of one
// seed's exercise opens on that exercise.
TEST_F(Classroom, ExerciseSheetsAPageASeedWithTheirKeys) {
  run({"--exercise", "voronoi-piece", "--seed", "7-9", "--save", path("sheets.pdf")}, false);
  run({"--exercise", "voronoi-piece", "--seed", "7-9", "--answers", "--paper", "letter", "--save",
       path("key.pdf")},
      false);
  ASSERT_EQ(pages("sheets.pdf"), 3);
  ASSERT_EQ(pages("key.pdf"), 3);
  EXPECT_TRUE(tool("pdfinfo", {"key.pdf"}).contains(QStringLiteral("612 x 792 pts")));
  for (int page = 1; page <= 3; ++page) {
    const QStringList onPage{"-f", QString::number(page), "-l", QString::number(page)};
    const QString sheet = tool("pdftotext", onPage + QStringList{"sheets.pdf", "-"}).simplified();
    const QString key = tool("pdftotext", onPage + QStringList{"key.pdf", "-"}).simplified();
    EXPECT_TRUE(sheet.contains(QStringLiteral("seed %1").arg(6 + page))) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains(QStringLiteral("Name:")));
    EXPECT_EQ(sheet.count(QStringLiteral(" of 5: ")), 5) << sheet.toStdString();
    EXPECT_TRUE(key.contains(QStringLiteral("seed %1, the key").arg(6 + page)));
    EXPECT_EQ(key.count(QRegularExpression(QStringLiteral("\\? (None|Piece \\d+):"))), 5)
        << "every question answered, whole: " << key.toStdString();
  }

  run({"--exercise", "cut-point", "--seed", "4", "--save", path("cut.html")}, false);
  EXPECT_TRUE(
      testing_support::contents(path("cut.html")).contains("seed=4&amp;exercise=cut-point"));
}

// On paper in black and white the legend's marks stay apart: rendered in greyscale, each
// entry's mark (the darkest CIE lightness L* along its sample) lies at least 12 below the
// background picture's grey, and any two of one shape differ by at least 12, or, as lines,
// one is dashed and the other not (a gap shows white along the sample); a colour the legend
// names twice (the ticks, and those beyond the picture) is one mark. Antialiasing may shift
// a lightness by a little: 1.5 is allowed.
TEST_F(Classroom, PrintedLegendMarksStayApartInGreyscale) {
  constexpr double kStep = app::kPrintLightnessStep - 1.5;
  const double ground = app::lightnessOf(app::kPrintGround);
  int legends = 0;
  for (const std::uint32_t seed : {42u, 7u, 19u}) {
    const app::RunResult run = app::runDemonstration({seed, std::nullopt});
    const geometry::SiteColumns& sites = *run.sites;
    for (int j = 2; j <= 7; ++j) {
      const app::Lesson lesson =
          app::lessonOf(geometry::explainPair(geometry::kWindowFrame, sites, 1, j), sites);
      for (std::size_t step = 0; step < lesson.overview.size(); ++step) {
        const app::Picture picture = app::overviewStepPicture(
            run.picture, lesson, step, sites, app::PictureStyle::Print, app::StepText::Beside);
        QImage image(geometry::kWindowFrame.clientWidth, geometry::kWindowFrame.clientHeight,
                     QImage::Format_RGB32);
        {
          QPainter painter(&image);
          app::paintPicture(painter, picture, image.width(), image.height(), 0xFFFFFF);
        }
        const auto lightnessAt = [&](int x, int y) {
          const QRgb pixel = image.pixel(x, y);
          return app::lightnessOf(app::rgb(qRed(pixel), qGreen(pixel), qBlue(pixel)));
        };
        struct Mark {
          bool ring, dashed;
          double lightness;
          app::Colour colour;  // in the picture: one colour named twice is meant alike
        };
        std::vector<Mark> marks;
        const auto box = std::find_if(picture.begin(), picture.end(), [](const auto& item) {
          return std::holds_alternative<app::RectItem>(item);
        });
        if (box == picture.end()) {
          continue;
        }
        const auto& legend = std::get<app::RectItem>(*box);
        for (auto it = box + 1; it != picture.end(); ++it) {  // drawn over the legend's ground
          const app::PictureItem& item = *it;
          if (const auto* line = std::get_if<app::LineItem>(&item);
              line != nullptr && !(line->y1 < line->y2 || line->y1 > line->y2) &&
              line->x1 > legend.x && line->x2 < legend.x + legend.width && line->y1 > legend.y &&
              line->y1 < legend.y + legend.height) {
            Mark mark{false, false, 100, line->colour};
            for (int x = static_cast<int>(line->x1) + 1; x < static_cast<int>(line->x2); ++x) {
              const double l = lightnessAt(x, static_cast<int>(line->y1));
              mark.lightness = std::min(mark.lightness, l);
              mark.dashed = mark.dashed || l > 90;
            }
            marks.push_back(mark);
          } else if (const auto* ring = std::get_if<app::CircleItem>(&item);
                     ring != nullptr && ring->x > legend.x && ring->x < legend.x + legend.width &&
                     ring->y > legend.y && ring->y < legend.y + legend.height) {
            Mark mark{true, false, 100, ring->colour};
            const int r = static_cast<int>(ring->radius) + 2;
            for (int y = static_cast<int>(ring->y) - r; y <= static_cast<int>(ring->y) + r; ++y) {
              for (int x = static_cast<int>(ring->x) - r; x <= static_cast<int>(ring->x) + r; ++x) {
                mark.lightness = std::min(mark.lightness, lightnessAt(x, y));
              }
            }
            marks.push_back(mark);
          }
        }
        ++legends;
        const std::string where = "seed " + std::to_string(seed) + " pair 1-" + std::to_string(j) +
                                  " step " + std::to_string(step + 1);
        for (std::size_t m = 0; m < marks.size(); ++m) {
          EXPECT_LE(marks[m].lightness, ground - kStep) << where << ", entry " << m + 1;
          for (std::size_t n = 0; n < m; ++n) {
            if (marks[m].ring == marks[n].ring && marks[m].colour != marks[n].colour) {
              EXPECT_TRUE(std::abs(marks[m].lightness - marks[n].lightness) >= kStep ||
                          (!marks[m].ring && marks[m].dashed != marks[n].dashed))
                  << where << ": entries " << n + 1 << " and " << m + 1 << " look alike ("
                  << marks[n].lightness << ", " << marks[m].lightness << ")";
            }
          }
        }
      }
    }
  }
  EXPECT_GT(legends, 80);
}

}  // namespace
