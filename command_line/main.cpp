#include <cstdio>
#include <exception>
#include <iostream>

#include "headless_runs.h"
#include "options.h"
#include "qt_messages.h"
#include "run/site_list.h"
#include "standard_output.h"

namespace {

// The exit status once standard output is flushed: a run that did its work but whose output
// did not arrive has failed.
int flushedStatus(int status) {
  if (const std::string problem = app::standardOutputProblem(); !problem.empty()) {
    std::fprintf(stderr, "voronoi-delaunay: %s\n", problem.c_str());
    return status == 0 ? 2 : status;
  }
  return status;
}

app::SiteList loadSites(const QString& path) {
  if (path == QLatin1String("-")) {
    return app::readSites(std::cin);
  }
  return app::readSiteFile(path.toLocal8Bit().toStdString());
}

}  // namespace

int main(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) {
    arguments << QString::fromLocal8Bit(argv[i]);
  }
  const app::CommandLine commandLine = app::parseCommandLine(arguments);
  switch (commandLine.action) {
    case app::CommandLine::Action::PrintAndSucceed:
      app::printOut(commandLine.text.toStdString());
      return flushedStatus(0);
    case app::CommandLine::Action::PrintUsageAndFail:
      std::fputs(qPrintable(commandLine.text), stderr);
      return 2;
    case app::CommandLine::Action::Run:
      break;
  }
  const app::RunOptions& options = commandLine.command.run;
  app::routeQtMessages();

  try {
    app::RunRequest request{options.seed, std::nullopt};
    if (options.sitesFile) {
      try {
        app::SiteList list = loadSites(*options.sitesFile);
        request.sites = std::move(list.sites);
        // A list saved from the window names its run's seed, so that it reopens as it was.
        if (!request.seed) {
          request.seed = list.seed;
        }
      } catch (const app::SiteFileError& error) {
        std::fprintf(stderr, "voronoi-delaunay: %s: %s\n", qPrintable(*options.sitesFile),
                     error.what());
        return 2;
      }
    }
    return flushedStatus(app::runCommand(commandLine.command, request, argv));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "voronoi-delaunay: %s\n", error.what());
    return 1;
  }
}
