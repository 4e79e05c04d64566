#include "headless_runs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <variant>

#include "classroom/exercise_sheets.h"
#include "classroom/lesson_documents.h"
#include "classroom/moodle_quiz.h"
#include "classroom/print_handout.h"
#include "classroom/web_page.h"
#include "exercises/class_report.h"
#include "explanation/exact_comparison.h"
#include "explanation/explanation_picture.h"
#include "explanation/explanation_text.h"
#include "explanation/lesson.h"
#include "explanation/tour.h"
#include "picture_output/file_output.h"
#include "picture_output/picture_file.h"
#include "picture_output/picture_painter.h"
#include "qt_messages.h"
#include "run/failure_search.h"
#include "run/run.h"
#include "run/site_list.h"
#include "standard_output.h"
#include "steps/exact_steps.h"
#include "steps/literal_steps.h"
#include "web/session_address.h"
#include "window/main_window.h"

namespace app {

namespace {

using geometry::kWindowFrame;

void reportError(const QString& message) {
  std::fprintf(stderr, "voronoi-delaunay: %s\n", qPrintable(message));
}

// With --verbose, one line for every run: the first and each one an edit makes.
void printSummary(const RunOptions& options, const RunResult& run) {
  if (options.verbose && run.completed()) {
    std::fprintf(stderr, "seed %u: %zu sites, %zu edges drawn\n", run.layout.seed,
                 run.layout.sites.size(), run.drawnPairs.size());
  }
}

// Writes the bytes to the output's file; returns the exit status.
int writeOutput(const QByteArray& bytes, const Output& output) {
  if (const QString problem = writeWholeFile(output.file, bytes); !problem.isEmpty()) {
    reportError(problem);
    return 2;
  }
  return 0;
}

// Writes a picture, made in its style already, to the output as a picture of its format,
// described by the step it shows, if it shows one.
int writeStyledPicture(const Picture& styled, const Output& output,
                       const std::string& description = {}) {
  return writeOutput(pictureBytes(styled, kWindowFrame.clientWidth, kWindowFrame.clientHeight,
                                  *infoOf(output.kind).pictureFormat, output.scale,
                                  QString::fromStdString(description)),
                     output);
}

// A run without a display, done: what each mode does with it. Each returns the exit status.
struct HeadlessMode {
  const RunResult& run;
  PictureStyle style;

  // The run's picture in the style, or its web page.
  int writePicture(const Output& output) const {
    if (output.kind == OutputKind::WebPage) {
      return writeOutput(webEditionPage(layoutAddress(run.layout, style)), output);
    }
    return writeStyledPicture(styledPicture(run.picture, style), output);
  }

  int operator()(const WindowMode&) const { return 0; }  // never headless
  int operator()(const GradeMode&) const { return 0; }   // needs no run
  int operator()(const ExerciseSheetMode&) const { return 0; }

  int operator()(const SaveMode& mode) const { return writePicture(mode.output); }

  int operator()(const ExplainAllMode& mode) const {
    std::string lines;
    for (const geometry::ScannedPair& pair : geometry::followEveryPair(kWindowFrame, *run.sites)) {
      lines += resultLine(pair.i, pair.j, pair.outcome) + "\n";
    }
    printOut(lines);
    return mode.output ? writePicture(*mode.output) : 0;
  }

  int operator()(const ExplainPairMode& mode) const {
    const geometry::SiteColumns& sites = *run.sites;
    if (mode.i < 1 || mode.i >= mode.j || mode.j > sites.nSites) {
      reportError(QStringLiteral("--explain %1-%2: not a pair of this run, which has %3 sites: "
                                 "give I-J with 1 <= I < J <= %3")
                      .arg(mode.i)
                      .arg(mode.j)
                      .arg(sites.nSites));
      return 2;
    }
    const Lesson lesson =
        lessonOf(geometry::explainPair(kWindowFrame, sites, mode.i, mode.j), sites);
    const LessonLevel level = mode.level;
    const std::size_t steps = lesson.count(level);
    std::size_t shown = steps - 1;  // the picture of the result, unless a step is asked for
    switch (mode.print) {
      case ExplainPairMode::Print::Steps: {
        std::vector<StepAgreement> agreement;
        if (mode.exact) {
          agreement =
              exactAgreement(lesson, geometry::accountExactly(kWindowFrame, sites, mode.i, mode.j));
        }
        std::string lines;
        for (std::size_t n = 0; n < steps; ++n) {
          lines += stepLine(lesson, level, n) + "\n";
          if (mode.exact) {
            lines += "    exact: " + agreement[n].line() + "\n";
          }
        }
        printOut(lines);
        break;
      }
      case ExplainPairMode::Print::OneStep:
        if (static_cast<std::size_t>(mode.step) > steps) {
          reportError(QStringLiteral("--step %1: the lesson of pair %2-%3 has steps 1 to %4")
                          .arg(mode.step)
                          .arg(mode.i)
                          .arg(mode.j)
                          .arg(steps));
          return 2;
        }
        shown = static_cast<std::size_t>(mode.step - 1);
        printOut(stepLine(lesson, level, shown) + "\n");
        break;
      case ExplainPairMode::Print::Account:
        printOut(accountText(lesson.account, sites));
        break;
      case ExplainPairMode::Print::Nothing:
        break;
    }
    if (!mode.output) {
      return 0;
    }
    // The whole lesson, or the steps picked, goes into a handout or Beamer frames, unless
    // one step is asked for.
    std::vector<std::size_t> picked;
    for (const int n : mode.picked) {
      if (static_cast<std::size_t>(n) > steps) {
        reportError(QStringLiteral("--pick %1: the lesson of pair %2-%3 has steps 1 to %4")
                        .arg(n)
                        .arg(mode.i)
                        .arg(mode.j)
                        .arg(steps));
        return 2;
      }
      picked.push_back(static_cast<std::size_t>(n - 1));
    }
    if (mode.output->kind == OutputKind::WebPage) {  // opened at the step asked for, or the first
      WebAddress address = layoutAddress(run.layout, style);
      address.view = WebAddress::View::Pair;
      address.i = mode.i;
      address.j = mode.j;
      address.detail = level == LessonLevel::Detail;
      address.step = static_cast<std::size_t>(std::max(mode.step, 1));
      return writeOutput(webEditionPage(address), *mode.output);
    }
    const OutputKind kind = mode.output->kind;
    if (mode.paper) {
      std::vector<Lesson> lessons{lesson};
      for (const auto& [i, j] : mode.morePairs) {
        if (i < 1 || i >= j || j > sites.nSites) {
          reportError(QStringLiteral("--explain: %1-%2 is not a pair of this run, which has %3 "
                                     "sites")
                          .arg(i)
                          .arg(j)
                          .arg(sites.nSites));
          return 2;
        }
        lessons.push_back(lessonOf(geometry::explainPair(kWindowFrame, sites, i, j), sites));
        if (!picked.empty() && picked.back() >= lessons.back().count(level)) {
          reportError(QStringLiteral("--pick %1: the lesson of pair %2-%3 has steps 1 to %4")
                          .arg(picked.back() + 1)
                          .arg(i)
                          .arg(j)
                          .arg(lessons.back().count(level)));
          return 2;
        }
      }
      return writeOutput(printHandout(run.picture, lessons, level, picked, sites, run.layout.seed,
                                      *mode.paper, mode.blank),
                         *mode.output);
    }
    if (mode.step == 0 && kind == OutputKind::Pdf) {
      return writeOutput(lessonHandout(run.picture, lesson, level, picked, sites, style),
                         *mode.output);
    }
    if (mode.step == 0 && kind == OutputKind::Tex) {
      return writeOutput(lessonBeamerFrames(run.picture, lesson, level, picked, sites, style),
                         *mode.output);
    }
    return writeStyledPicture(levelStepPicture(run.picture, lesson, level, shown, sites, style),
                              *mode.output, stepLine(lesson, level, shown));
  }

  int operator()(const TourMode& mode) const {
    const Tour tour = tourOf(*run.sites);
    if (mode.output && mode.output->kind == OutputKind::WebPage) {
      WebAddress address = layoutAddress(run.layout, style);
      address.view = WebAddress::View::Tour;
      address.step = static_cast<std::size_t>(std::max(mode.step, 1));
      return writeOutput(webEditionPage(address), *mode.output);
    }
    if (mode.paper) {
      return writeOutput(printTour(run.picture, tour, *run.sites, run.layout.seed, *mode.paper),
                         *mode.output);
    }
    if (mode.step == 0 && mode.output) {  // a .tex file: the tour as Beamer frames
      return writeOutput(tourBeamerFrames(run.picture, tour, *run.sites, style), *mode.output);
    }
    if (mode.step == 0) {
      std::string lines;
      for (std::size_t n = 0; n < tour.count(); ++n) {
        lines += tourStepLine(tour, *run.sites, n) + "\n";
      }
      printOut(lines);
      return 0;
    }
    if (static_cast<std::size_t>(mode.step) > tour.count()) {
      reportError(
          QStringLiteral("--step %1: the tour has steps 1 to %2").arg(mode.step).arg(tour.count()));
      return 2;
    }
    const auto shown = static_cast<std::size_t>(mode.step - 1);
    printOut(tourStepLine(tour, *run.sites, shown) + "\n");
    return mode.output
               ? writeStyledPicture(tourStepPicture(run.picture, tour, shown, *run.sites, style),
                                    *mode.output, tourStepLine(tour, *run.sites, shown))
               : 0;
  }

  int operator()(const QuizMode& mode) const {
    const int pairs = run.sites->nSites * (run.sites->nSites - 1) / 2;
    if (mode.questions > pairs) {
      reportError(QStringLiteral("--quiz %1: this run has %2 pairs to ask about")
                      .arg(mode.questions)
                      .arg(pairs));
      return 2;
    }
    return writeOutput(moodleQuiz(run, mode.questions, style),
                       Output{mode.file, OutputKind::MoodleQuiz});
  }

  int operator()(const ExactMode&) const {
    const geometry::SiteColumns& sites = *run.sites;
    std::string lines;
    const auto differing = geometry::pairsDifferingFromExact(kWindowFrame, sites);
    geometry::CutList cuts;
    for (const auto& [i, j] : differing) {
      lines += "pair " + std::to_string(i) + "-" + std::to_string(j) + ": float " +
               geometry::outcomeWords(geometry::followPair(kWindowFrame, sites, i, j, cuts)) +
               ", exact " + exactWords(geometry::followPairExactly(kWindowFrame, sites, i, j)) +
               "\n";
    }
    lines += std::to_string(differing.size()) + " pairs of " +
             std::to_string(sites.nSites * (sites.nSites - 1) / 2) + " differ\n";
    printOut(lines);
    return 0;
  }

  int operator()(const FindFailureMode&) const {
    const auto found = findRoundingFailure(run.layout);
    if (!found) {
      reportError(
          QStringLiteral("found no layout near this one where rounding changes an edge "
                         "within 5 seconds; try another seed"));
      return 1;
    }
    std::fputs("pairs that differ:", stderr);
    for (const auto& [i, j] : found->pairs) {
      std::fprintf(stderr, " %d-%d", i, j);
    }
    std::fputc('\n', stderr);
    printOut(siteListText(found->layout.seed, found->layout.sites));
    return 0;
  }

  int operator()(const NudgeMapMode& mode) const {
    const auto [i, j, k] = std::tuple(mode.i, mode.j, mode.k);
    const int n = run.sites->nSites;
    if (i < 1 || i >= j || j > n || k < 1 || k > n || k == i || k == j) {
      reportError(QStringLiteral("--nudge-map %1-%2-%3: give a pair I-J of this run's %4 "
                                 "sites, I < J, and another site K")
                      .arg(i)
                      .arg(j)
                      .arg(k)
                      .arg(n));
      return 2;
    }
    const auto agree = nudgeMap(run.layout, i, j, k);
    if (!agree) {
      reportError(QStringLiteral("--nudge-map %1-%2-%3: stopped after %4 seconds; exact "
                                 "arithmetic decides this pair slowly here (sites on a lattice "
                                 "tie exactly): try another pair or layout")
                      .arg(i)
                      .arg(j)
                      .arg(k)
                      .arg(kNudgeMapBudget.count()));
      return 1;
    }
    const std::vector<Colour> colours = nudgeMapColours(*agree);
    QImage map(kNudgeMapSize, kNudgeMapSize, QImage::Format_RGB32);
    for (int y = 0; y < kNudgeMapSize; ++y) {
      for (int x = 0; x < kNudgeMapSize; ++x) {
        map.setPixel(x, y,
                     toQColor(colours[static_cast<std::size_t>(y * kNudgeMapSize + x)]).rgb());
      }
    }
    return writeOutput(pngBytes(map), mode.output);
  }

  // "undefined (...)" for an exactly parallel competitor, else the outcome's words.
  static std::string exactWords(const geometry::ExactOutcome& exact) {
    return exact.undefined
               ? "undefined (the bisector of site " + std::to_string(exact.parallelSite) +
                     " is exactly parallel: a division by zero)"
               : geometry::outcomeWords(exact.result, exact.blockedBy, exact.piece);
  }
};

// Runs the demonstration without a display and does what the mode asks with it (the file's
// kind was checked with the options); a failed run exits with 1.
int runHeadless(const Command& command, const RunRequest& request, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;  // the program's name alone: the options are ours (see showInWindow)
  QGuiApplication application(qtArgc, argv);
  const RunResult run = runDemonstration(request);
  if (!run.completed()) {
    reportError(QString::fromStdString(run.error));
    return 1;
  }
  printSummary(command.run, run);
  return std::visit(HeadlessMode{run, command.run.style.value_or(PictureStyle::Normal)},
                    command.mode);
}

// Shows the window, draws the picture in it and waits until it is closed. A style asked for
// is shown and remembered, as Shift+P does.
int showInWindow(const RunOptions& options, const RunRequest& request, char** argv) {
  std::optional<DisplayGuard> guard(std::in_place);
  // Qt takes only the program's name: it would read our --style as a widget style of its own
  // and warn that "projector" is none.
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  guard.reset();
  QGuiApplication::setDesktopFileName(QStringLiteral(VD_APP_ID));
  QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(VD_APP_ID)));

  MainWindow window;
  if (options.style) {
    window.setPictureStyle(*options.style);
  }
  Document& document = window.document();
  QObject::connect(&document, &Document::changed, &window,
                   [&] { printSummary(options, document.current()); });
  // Later runs come from editing the sites: a failure is reported, and the window stays.
  QObject::connect(&document, &Document::runFailed, &window, &reportError);
  QObject::connect(&document, &Document::keepingFailed, &window, &reportError);
  document.start(request);
  window.show();
  if (!document.current().completed()) {
    // The run stopped; what it drew stays on screen under the report.
    const QString error = QString::fromStdString(document.current().error);
    reportError(error);
    QMessageBox::critical(&window, window.windowTitle(), error);
    return 1;
  }
  return QApplication::exec();
}

}  // namespace

// Grades the files: the report on standard output, the files skipped and why on standard
// error; exits with 2 when any was skipped.
int gradeFiles(const GradeMode& mode) {
  std::vector<std::string> files;
  for (const QString& file : mode.files) {
    files.push_back(file.toLocal8Bit().toStdString());
  }
  const ClassReport report = app::gradeFiles(files, mode.form);
  printOut(report.lines);
  for (const QString& problem :
       QString::fromStdString(report.problems).split(u'\n', Qt::SkipEmptyParts)) {
    reportError(problem);
  }
  return report.skipped > 0 ? 2 : 0;
}

namespace {

// Writes the sheets or their key, or the web edition opened on the exercise: from the seeds
// alone, without a run.
int writeExerciseSheets(const ExerciseSheetMode& mode, char** argv) {
  if (mode.output.kind == OutputKind::WebPage) {
    WebAddress address;
    address.seed = mode.first;
    address.view = WebAddress::View::Exercise;
    address.exercise = mode.kind;
    address.style = mode.style;
    return writeOutput(webEditionPage(address), mode.output);
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  try {
    return writeOutput(exerciseSheets(mode.kind, mode.first, mode.last, mode.paper, mode.answers),
                       mode.output);
  } catch (const std::runtime_error& error) {  // a seed that gives no exercise layout
    reportError(QString::fromUtf8(error.what()));
    return 1;
  }
}

}  // namespace

int runCommand(const Command& command, const RunRequest& request, char** argv) {
  if (const auto* grade = std::get_if<GradeMode>(&command.mode)) {
    return gradeFiles(*grade);
  }
  if (const auto* sheets = std::get_if<ExerciseSheetMode>(&command.mode)) {
    return writeExerciseSheets(*sheets, argv);
  }
  if (std::holds_alternative<WindowMode>(command.mode)) {
    return showInWindow(command.run, request, argv);
  }
  return runHeadless(command, request, argv);
}

}  // namespace app
