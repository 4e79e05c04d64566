#include "qt_messages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

bool openingDisplay = false;
bool qtDiagnosticsWanted = false;

void handleQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg && openingDisplay) {
    std::fputs(
        "voronoi-delaunay: cannot open the window: no display is available (set DISPLAY, or "
        "use --save FILE to write the picture without one)\n",
        stderr);
    std::_Exit(1);
  }
  if (qtDiagnosticsWanted) {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
  } else if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "voronoi-delaunay: %s\n", qPrintable(message));
  }
}

}  // namespace

void routeQtMessages() {
  qtDiagnosticsWanted = qEnvironmentVariableIsSet("QT_LOGGING_RULES") ||
                        qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS");
  qInstallMessageHandler(handleQtMessage);
}

DisplayGuard::DisplayGuard() {
  openingDisplay = true;
}

DisplayGuard::~DisplayGuard() {
  openingDisplay = false;
}

}  // namespace app
