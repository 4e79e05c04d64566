#include "display_guard.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

QtMessageHandler previousHandler = nullptr;
QStringList heldMessages;

void startUpHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    std::fputs(
        "voronoi-delaunay: cannot open the window: no display is available (set DISPLAY, or "
        "use --save FILE to write the picture without one)\n",
        stderr);
    std::_Exit(1);
  }
  heldMessages << qFormatLogMessage(type, context, message);
}

}  // namespace

DisplayGuard::DisplayGuard() {
  previousHandler = qInstallMessageHandler(startUpHandler);
}

DisplayGuard::~DisplayGuard() {
  qInstallMessageHandler(previousHandler);
  for (const QString& message : std::as_const(heldMessages)) {
    std::fprintf(stderr, "%s\n", qPrintable(message));
  }
  heldMessages.clear();
}

}  // namespace app
