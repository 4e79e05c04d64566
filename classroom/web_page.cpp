#include "web_page.h"

#include <QFile>
#include <QString>
#include <stdexcept>

namespace app {

QByteArray webEditionPage(const WebAddress& address) {
  QFile file(QStringLiteral(":/web_edition/voronoi-delaunay.html"));
  if (!file.open(QIODevice::ReadOnly)) {
    throw std::logic_error("the web edition is not built into the program");
  }
  QByteArray page = file.readAll();
  // The page's script opens this when no address follows the file's name.
  const QByteArray unset = "<main data-start=\"\">";
  const qsizetype at = page.indexOf(unset);
  if (at < 0) {
    throw std::logic_error("the web edition's page has no start address to fill in");
  }
  const QString start = QString::fromStdString(addressText(address)).toHtmlEscaped();
  return page.replace(at, unset.size(), "<main data-start=\"" + start.toUtf8() + "\">");
}

}  // namespace app
