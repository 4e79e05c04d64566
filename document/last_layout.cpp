#include "last_layout.h"

#include <QDir>

namespace app {

QString lastLayoutFile() {
  QString state = qEnvironmentVariable("XDG_STATE_HOME");
  if (state.isEmpty()) {
    state = QDir::homePath() + QStringLiteral("/.local/state");
  }
  return state + QStringLiteral("/voronoi-delaunay/last-layout.txt");
}

}  // namespace app
