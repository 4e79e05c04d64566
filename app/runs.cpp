#include "runs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <optional>
#include <string>

#include "explanation_picture.h"
#include "explanation_text.h"
#include "frm_ovra.h"
#include "geometry/pair_account.h"
#include "geometry/run_error.h"
#include "load_procedure.h"
#include "picture_file.h"
#include "qt_messages.h"
#include "random_numbers.h"
#include "window_size.h"

namespace app {

namespace {

void reportError(const QString& message) {
  std::fprintf(stderr, "voronoi-delaunay: %s\n", qPrintable(message));
}

// Runs the demonstration on the form, with the options' seed, and prints the summary when
// asked to. Returns the run, or the error message when it failed; the error has been
// reported on standard error already.
struct RunResult {
  std::optional<RunSummary> summary;
  QString error;
};

void printSummary(const Options& options, const RunSummary& summary) {
  if (options.verbose) {
    std::fprintf(stderr, "seed %u: %d sites, %d edges drawn\n", summary.seed, summary.nSites,
                 summary.pairsDrawn);
  }
}

RunResult runOn(geometry::Form& form, const Options& options,
                const std::vector<SitePosition>* givenSites) {
  Random random(options.seed);
  try {
    RunSummary summary = runLoadProcedure(form, random, givenSites);
    printSummary(options, summary);
    return {std::move(summary), {}};
  } catch (const geometry::RunError& error) {
    const QString message = QString::fromUtf8(error.what());
    reportError(message);
    return {std::nullopt, message};
  }
}

// Writes a picture to the options' file; returns the exit status.
int writePicture(const Picture& picture, const Options& options, PictureFormat format) {
  const QString problem =
      savePicture(picture, kClientWidth, kClientHeight, *options.saveFile, format, options.scale);
  if (!problem.isEmpty()) {
    reportError(problem);
    return 2;
  }
  return 0;
}

// Runs the demonstration without a display, for a file or for the explanation. Returns the
// exit status when it cannot go on: the output name is not a picture's, or the run failed.
std::optional<int> runHeadless(PictureForm& form, RunResult& run,
                               std::optional<PictureFormat>& format, const Options& options,
                               const std::vector<SitePosition>* givenSites) {
  if (options.saveFile) {
    format = pictureFormatFor(*options.saveFile);
    if (!format) {
      reportError(QStringLiteral("cannot save %1: the file name must end in .png or .svg")
                      .arg(*options.saveFile));
      return 2;
    }
  }
  run = runOn(form, options, givenSites);
  if (!run.summary) {
    return 1;
  }
  return std::nullopt;
}

}  // namespace

int showInWindow(const Options& options, const std::vector<SitePosition>* givenSites, int& argc,
                 char** argv) {
  std::optional<DisplayGuard> guard(std::in_place);
  QApplication application(argc, argv);
  guard.reset();
  QGuiApplication::setDesktopFileName(QStringLiteral(VD_APP_ID));
  QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(VD_APP_ID)));

  FrmOvra frmOvra;
  Demonstration& demonstration = frmOvra.demonstration();
  demonstration.onRun = [&options](const RunSummary& summary) { printSummary(options, summary); };
  QString firstError;
  demonstration.onError = [&firstError](const std::string& message) {
    firstError = QString::fromStdString(message);
    reportError(firstError);
  };
  demonstration.start(options.seed, givenSites);
  if (!firstError.isEmpty()) {
    // The run stopped; what it drew stays on screen under the report.
    QMessageBox::critical(&frmOvra, frmOvra.windowTitle(), firstError);
    return 1;
  }
  // Later runs come from editing the sites: a failure is shown, and the window stays.
  demonstration.onError = [&frmOvra](const std::string& message) {
    reportError(QString::fromStdString(message));
    QMessageBox::critical(&frmOvra, frmOvra.windowTitle(), QString::fromStdString(message));
  };
  return QApplication::exec();
}

int saveToFile(const Options& options, const std::vector<SitePosition>* givenSites, int& argc,
               char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  PictureForm form(kClientWidth, kClientHeight);
  RunResult run;
  std::optional<PictureFormat> format;
  if (const auto status = runHeadless(form, run, format, options, givenSites)) {
    return *status;
  }
  return writePicture(form.picture(), options, *format);
}

int explainPairs(const Options& options, const std::vector<SitePosition>* givenSites, int& argc,
                 char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  PictureForm form(kClientWidth, kClientHeight);
  RunResult run;
  std::optional<PictureFormat> format;
  if (const auto status = runHeadless(form, run, format, options, givenSites)) {
    return *status;
  }
  const geometry::SiteColumns& sites = *run.summary->sites;
  const ExplainRequest& request = *options.explain;
  if (request.allPairs) {
    std::string lines;
    const auto cuts = std::make_unique<geometry::CutList>();
    for (int i = 1; i < sites.nSites; ++i) {
      for (int j = i + 1; j <= sites.nSites; ++j) {
        lines += resultLine(i, j, geometry::followPair(form, sites, i, j, *cuts)) + "\n";
      }
    }
    std::fputs(lines.c_str(), stdout);
    return options.saveFile ? writePicture(form.picture(), options, *format) : 0;
  }
  if (request.i < 1 || request.i >= request.j || request.j > sites.nSites) {
    reportError(QStringLiteral("--explain %1-%2: not a pair of this run, which has %3 sites: "
                               "give I-J with 1 <= I < J <= %3")
                    .arg(request.i)
                    .arg(request.j)
                    .arg(sites.nSites));
    return 2;
  }
  const geometry::PairAccount account = geometry::explainPair(form, sites, request.i, request.j);
  std::fputs(accountText(account, sites).c_str(), stdout);
  return options.saveFile
             ? writePicture(explanationPicture(form.picture(), account, sites), options, *format)
             : 0;
}

}  // namespace app
