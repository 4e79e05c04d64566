#include "headless_runs.h"

#include <QApplication>
#include <QBuffer>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <optional>
#include <string>

#include "explanation/exact_comparison.h"
#include "explanation/explanation_picture.h"
#include "explanation/explanation_text.h"
#include "explanation/lesson.h"
#include "explanation/lesson_documents.h"
#include "geometry/exact_steps.h"
#include "geometry/literal_steps.h"
#include "picture/file_output.h"
#include "picture/picture_file.h"
#include "qt_messages.h"
#include "run/failure_search.h"
#include "run/run.h"
#include "run/site_list.h"
#include "window/main_window.h"

namespace app {

namespace {

using geometry::kWindowFrame;

void reportError(const QString& message) {
  std::fprintf(stderr, "voronoi-delaunay: %s\n", qPrintable(message));
}

// With --verbose, one line for every run: the first and each one an edit makes.
void printSummary(const Options& options, const RunResult& run) {
  if (options.verbose && run.completed()) {
    std::fprintf(stderr, "seed %u: %zu sites, %d edges drawn\n", run.layout.seed,
                 run.layout.sites.size(), run.pairsDrawn);
  }
}

PictureStyle styleOf(const Options& options) {
  return options.style.value_or(PictureStyle::Normal);
}

// Writes the bytes to the options' file; returns the exit status.
int writeOutput(const QByteArray& bytes, const Options& options) {
  if (const QString problem = writeWholeFile(*options.saveFile, bytes); !problem.isEmpty()) {
    reportError(problem);
    return 2;
  }
  return 0;
}

// Writes a picture, made in the options' style, to the options' file.
int writeStyledPicture(const Picture& styled, const Options& options, PictureFormat format) {
  return writeOutput(pictureBytes(styled, kWindowFrame.clientWidth, kWindowFrame.clientHeight,
                                  format, options.scale),
                     options);
}

// Writes the run's picture in the options' style to the options' file.
int writePicture(const Picture& picture, const Options& options, PictureFormat format) {
  return writeStyledPicture(styledPicture(picture, styleOf(options)), options, format);
}

// Runs the demonstration without a display, then hands the finished run and the format of
// the output file (if any) to `use`, which returns the exit status. A file name that is not
// a picture's exits with 2 before the run, a failed run with 1.
template <class Use>
int runHeadless(const Options& options, const RunRequest& request, int& argc, char** argv,
                Use use) {
  std::optional<PictureFormat> format;
  if (options.saveFile) {
    format = pictureFormatFor(*options.saveFile);
    if (!format) {
      reportError(unknownPictureFormat(*options.saveFile));
      return 2;
    }
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const RunResult run = runDemonstration(request);
  if (!run.completed()) {
    reportError(QString::fromStdString(run.error));
    return 1;
  }
  printSummary(options, run);
  return use(run, format);
}

// Prints the explanation of the pairs of the run that the request names, and writes the
// picture when asked to: the run's own for all pairs, the pair's for one.
int explain(const RunResult& run, const ExplainRequest& request, const Options& options,
            std::optional<PictureFormat> format) {
  const geometry::SiteColumns& sites = *run.sites;
  if (request.allPairs) {
    std::string lines;
    for (const geometry::ScannedPair& pair : geometry::followEveryPair(kWindowFrame, sites)) {
      lines += resultLine(pair.i, pair.j, pair.outcome) + "\n";
    }
    std::fputs(lines.c_str(), stdout);
    return format ? writePicture(run.picture, options, *format) : 0;
  }
  if (request.i < 1 || request.i >= request.j || request.j > sites.nSites) {
    reportError(QStringLiteral("--explain %1-%2: not a pair of this run, which has %3 sites: "
                               "give I-J with 1 <= I < J <= %3")
                    .arg(request.i)
                    .arg(request.j)
                    .arg(sites.nSites));
    return 2;
  }
  const Lesson lesson =
      lessonOf(geometry::explainPair(kWindowFrame, sites, request.i, request.j), sites);
  const std::size_t steps = lesson.steps.size();
  std::size_t shown = steps - 1;  // the picture of the result, unless a step is asked for
  if (options.steps || options.exact) {
    std::vector<std::string> agreement;
    if (options.exact) {
      agreement = exactAgreement(
          lesson, geometry::accountExactly(kWindowFrame, sites, request.i, request.j));
    }
    std::string lines;
    for (std::size_t n = 0; n < steps; ++n) {
      lines += stepLine(lesson, n) + "\n";
      if (options.exact) {
        lines += "    exact: " + agreement[n] + "\n";
      }
    }
    std::fputs(lines.c_str(), stdout);
  } else if (options.step) {
    if (static_cast<std::size_t>(*options.step) > steps) {
      reportError(QStringLiteral("--step %1: the lesson of pair %2-%3 has steps 1 to %4")
                      .arg(*options.step)
                      .arg(request.i)
                      .arg(request.j)
                      .arg(steps));
      return 2;
    }
    shown = static_cast<std::size_t>(*options.step - 1);
    std::fputs((stepLine(lesson, shown) + "\n").c_str(), stdout);
  } else {
    std::fputs(accountText(lesson.account, sites).c_str(), stdout);
  }
  if (!format) {
    return 0;
  }
  // The whole lesson goes into a handout or a Beamer frame, unless one step is asked for.
  if (!options.step && format == PictureFormat::Pdf) {
    return writeOutput(lessonHandout(run.picture, lesson, sites, styleOf(options)), options);
  }
  if (!options.step && format == PictureFormat::Tex) {
    return writeOutput(lessonBeamerFrame(run.picture, lesson, sites, styleOf(options)), options);
  }
  return writeStyledPicture(lessonStepPicture(run.picture, lesson, shown, sites, styleOf(options)),
                            options, *format);
}

// "drawn, piece P", "blocked by K" or "shadowed".
std::string outcomeText(geometry::PairResult result, int blockedBy, int piece) {
  switch (result) {
    case geometry::PairResult::Drawn:
      return "drawn, piece " + std::to_string(piece);
    case geometry::PairResult::Blocked:
      return "blocked by " + std::to_string(blockedBy);
    case geometry::PairResult::Shadowed:
      break;
  }
  return "shadowed";
}

std::string exactText(const geometry::ExactOutcome& exact) {
  return exact.undefined ? "undefined (the bisector of site " + std::to_string(exact.parallelSite) +
                               " is exactly parallel: a division by zero)"
                         : outcomeText(exact.result, exact.blockedBy, exact.piece);
}

}  // namespace

int compareWithExact(const Options& options, const RunRequest& request, int& argc, char** argv) {
  return runHeadless(
      options, request, argc, argv, [](const RunResult& run, std::optional<PictureFormat>) {
        std::string lines;
        int differ = 0, pairs = 0;
        geometry::ExactScan scan(kWindowFrame, *run.sites);
        for (const geometry::ScannedPair& pair :
             geometry::followEveryPair(kWindowFrame, *run.sites)) {
          ++pairs;
          const geometry::ExactOutcome exact = scan.account(pair.i, pair.j).outcome;
          if (geometry::sameOutcome(pair.outcome, exact)) {
            continue;
          }
          ++differ;
          lines += "pair " + std::to_string(pair.i) + "-" + std::to_string(pair.j) + ": float " +
                   outcomeText(pair.outcome.result, pair.outcome.blockedBy, pair.outcome.piece) +
                   ", exact " + exactText(exact) + "\n";
        }
        lines += std::to_string(differ) + " pairs of " + std::to_string(pairs) + " differ\n";
        std::fputs(lines.c_str(), stdout);
        return 0;
      });
}

int findFailure(const Options& options, const RunRequest& request, int& argc, char** argv) {
  return runHeadless(
      options, request, argc, argv, [](const RunResult& run, std::optional<PictureFormat>) {
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
        std::fputs(siteListText(found->layout.seed, found->layout.sites).c_str(), stdout);
        return 0;
      });
}

int writeNudgeMap(const Options& options, const RunRequest& request, int& argc, char** argv) {
  return runHeadless(
      options, request, argc, argv, [&options](const RunResult& run, std::optional<PictureFormat>) {
        const auto [i, j, k] = *options.nudgeMap;
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
        const std::vector<bool> agree = nudgeMap(run.layout, i, j, k);
        QImage map(kNudgeMapSize, kNudgeMapSize, QImage::Format_RGB32);
        for (int y = 0; y < kNudgeMapSize; ++y) {
          for (int x = 0; x < kNudgeMapSize; ++x) {
            const bool same = agree[static_cast<std::size_t>(y * kNudgeMapSize + x)];
            map.setPixel(x, y, same ? qRgb(24, 32, 48) : qRgb(255, 200, 60));
          }
        }
        map.setPixel(kNudgeMapSize / 2, kNudgeMapSize / 2,
                     agree[static_cast<std::size_t>(kNudgeMapSize / 2 * (kNudgeMapSize + 1))]
                         ? qRgb(90, 255, 130)
                         : qRgb(255, 60, 60));  // where site K is
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        map.save(&buffer, "PNG");
        if (const QString problem = writeWholeFile(*options.saveFile, png); !problem.isEmpty()) {
          reportError(problem);
          return 2;
        }
        return 0;
      });
}

int showInWindow(const Options& options, const RunRequest& request, int& argc, char** argv) {
  std::optional<DisplayGuard> guard(std::in_place);
  QApplication application(argc, argv);
  guard.reset();
  QGuiApplication::setDesktopFileName(QStringLiteral(VD_APP_ID));
  QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(VD_APP_ID)));

  MainWindow window;
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

int saveToFile(const Options& options, const RunRequest& request, int& argc, char** argv) {
  return runHeadless(options, request, argc, argv,
                     [&options](const RunResult& run, std::optional<PictureFormat> format) {
                       return writePicture(run.picture, options, *format);
                     });
}

int explainPairs(const Options& options, const RunRequest& request, int& argc, char** argv) {
  return runHeadless(options, request, argc, argv,
                     [&options](const RunResult& run, std::optional<PictureFormat> format) {
                       return explain(run, *options.explain, options, format);
                     });
}

}  // namespace app
