#include "runs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <optional>
#include <string>

#include "demonstration.h"
#include "explanation_picture.h"
#include "explanation_text.h"
#include "frm_ovra.h"
#include "geometry/pair_account.h"
#include "load_procedure.h"
#include "picture_file.h"
#include "qt_messages.h"
#include "window_size.h"

namespace app {

namespace {

void reportError(const QString& message) {
  std::fprintf(stderr, "voronoi-delaunay: %s\n", qPrintable(message));
}

void printSummary(const Options& options, const RunSummary& summary) {
  if (options.verbose) {
    std::fprintf(stderr, "seed %u: %d sites, %d edges drawn\n", summary.seed, summary.nSites,
                 summary.pairsDrawn);
  }
}

// Runs the demonstration with the options' seed and the given sites, printing the summary
// when asked to. Returns the run's error message, reported on standard error already, or an
// empty string when it completed.
QString runReported(Demonstration& demonstration, const Options& options,
                    const std::vector<SitePosition>* givenSites) {
  QString failure;
  demonstration.onRun = [&options](const RunSummary& summary) { printSummary(options, summary); };
  demonstration.onError = [&failure](const std::string& message) {
    failure = QString::fromStdString(message);
    reportError(failure);
  };
  demonstration.start(options.seed, givenSites);
  demonstration.onError = nullptr;
  return failure;
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

// Runs the demonstration without a display, then hands the finished run and the format of
// the output file (if any) to `use`, which returns the exit status. A file name that is not
// a picture's exits with 2 before the run, a failed run with 1.
template <class Use>
int runHeadless(const Options& options, const std::vector<SitePosition>* givenSites, int& argc,
                char** argv, Use use) {
  std::optional<PictureFormat> format;
  if (options.saveFile) {
    format = pictureFormatFor(*options.saveFile);
    if (!format) {
      reportError(QStringLiteral("cannot save %1: the file name must end in .png or .svg")
                      .arg(*options.saveFile));
      return 2;
    }
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  PictureForm form(kClientWidth, kClientHeight);
  Demonstration demonstration(form);
  if (!runReported(demonstration, options, givenSites).isEmpty()) {
    return 1;
  }
  return use(demonstration, format);
}

// Prints the explanation of the pairs of the run that the request names, and writes the
// picture when asked to: the run's own for all pairs, the pair's for one.
int explain(const Demonstration& run, const ExplainRequest& request, const Options& options,
            std::optional<PictureFormat> format) {
  const geometry::Form& form = run.form();
  const geometry::SiteColumns& sites = run.sites();
  if (request.allPairs) {
    std::string lines;
    for (const geometry::ScannedPair& pair : geometry::followEveryPair(form, sites)) {
      lines += resultLine(pair.i, pair.j, pair.outcome) + "\n";
    }
    std::fputs(lines.c_str(), stdout);
    return format ? writePicture(run.form().picture(), options, *format) : 0;
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
  return format ? writePicture(explanationPicture(run.form().picture(), account, sites), options,
                               *format)
                : 0;
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
  const QString error = runReported(frmOvra.demonstration(), options, givenSites);
  if (!error.isEmpty()) {
    // The run stopped; what it drew stays on screen under the report.
    QMessageBox::critical(&frmOvra, frmOvra.windowTitle(), error);
    return 1;
  }
  // Later runs come from editing the sites: a failure is shown, and the window stays.
  frmOvra.demonstration().onError = [&frmOvra](const std::string& message) {
    reportError(QString::fromStdString(message));
    QMessageBox::critical(&frmOvra, frmOvra.windowTitle(), QString::fromStdString(message));
  };
  return QApplication::exec();
}

int saveToFile(const Options& options, const std::vector<SitePosition>* givenSites, int& argc,
               char** argv) {
  return runHeadless(options, givenSites, argc, argv,
                     [&options](const Demonstration& run, std::optional<PictureFormat> format) {
                       return writePicture(run.form().picture(), options, *format);
                     });
}

int explainPairs(const Options& options, const std::vector<SitePosition>* givenSites, int& argc,
                 char** argv) {
  return runHeadless(options, givenSites, argc, argv,
                     [&options](const Demonstration& run, std::optional<PictureFormat> format) {
                       return explain(run, *options.explain, options, format);
                     });
}

}  // namespace app
