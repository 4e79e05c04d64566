#include "file_output.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace app {

namespace {

QString cannotWrite(const QString& path, const QString& reason) {
  return QStringLiteral("cannot write %1: %2").arg(path, reason);
}

}  // namespace

QString writeWholeFile(const QString& path, const QByteArray& bytes) {
  const QFileInfo info(path);  // follows a symbolic link to what it names
  if (info.isDir()) {
    return cannotWrite(path, QStringLiteral("it is a folder"));
  }
  if (info.exists() && !info.isFile()) {
    // A device, a pipe or a socket takes the bytes as they come; there is nothing to
    // replace atomically.
    QFile target(path);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        target.write(bytes) != bytes.size()) {
      return cannotWrite(path, target.errorString());
    }
    return {};
  }
  QSaveFile file(path);
  // Unbuffered, so that a write the file system refuses (full, or over the size limit) fails
  // here: a buffered write that fails only when the file is closed would go unnoticed by
  // commit(), which then renames the short file over the old one.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    return cannotWrite(path, file.errorString());
  }
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return cannotWrite(path, reason);
  }
  if (!file.commit()) {
    return cannotWrite(path, file.errorString());
  }
  return {};
}

}  // namespace app
