#include "runs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>
#include <optional>

#include "frm_ovra.h"
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
// asked to. Returns the run's error message, or an empty string when it completed; the
// error has been reported on standard error already.
QString runOn(geometry::Form& form, const Options& options,
              const std::vector<SitePosition>* givenSites) {
  Random random(options.seed);
  try {
    const RunSummary summary = runLoadProcedure(form, random, givenSites);
    if (options.verbose) {
      std::fprintf(stderr, "seed %u: %d sites, %d edges drawn\n", summary.seed, summary.nSites,
                   summary.pairsDrawn);
    }
    return {};
  } catch (const geometry::RunError& error) {
    const QString message = QString::fromUtf8(error.what());
    reportError(message);
    return message;
  }
}

}  // namespace

int showInWindow(const Options& options, const std::vector<SitePosition>* givenSites, int& argc,
                 char** argv) {
  std::optional<DisplayGuard> guard(std::in_place);
  QApplication application(argc, argv);
  guard.reset();

  FrmOvra frmOvra;
  const QString error = runOn(frmOvra.form(), options, givenSites);
  if (!error.isEmpty()) {
    // The run stopped; what it drew stays on screen under the report.
    QMessageBox::critical(&frmOvra, frmOvra.windowTitle(), error);
    return 1;
  }
  return QApplication::exec();
}

int saveToFile(const Options& options, const std::vector<SitePosition>* givenSites, int& argc,
               char** argv) {
  const QString& path = *options.saveFile;
  const std::optional<PictureFormat> format = pictureFormatFor(path);
  if (!format) {
    reportError(QStringLiteral("cannot save %1: the file name must end in .png or .svg").arg(path));
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);

  PictureForm form(kClientWidth, kClientHeight);
  if (!runOn(form, options, givenSites).isEmpty()) {
    return 1;
  }
  const QString problem =
      savePicture(form.picture(), kClientWidth, kClientHeight, path, *format, options.scale);
  if (!problem.isEmpty()) {
    reportError(problem);
    return 2;
  }
  return 0;
}

}  // namespace app
