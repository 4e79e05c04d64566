#include "file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <string>

namespace app {

namespace {

QString cannotWrite(const QString& path, const QString& reason) {
  return QStringLiteral("cannot write %1: %2").arg(path, reason);
}

// The reason the system gave for the last call that failed.
QString systemReason(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

// Writes every byte, however many calls the system takes for them; the errno of the call
// that failed, or 0. A call that writes part of the bytes is followed by one for the rest,
// which then says why it cannot go on (a full disk, a file size limit).
int writeAll(int descriptor, const QByteArray& bytes) {
  const char* next = bytes.constData();
  auto left = static_cast<std::size_t>(bytes.size());
  while (left > 0) {
    const ssize_t written = ::write(descriptor, next, left);
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    next += written;
    left -= static_cast<std::size_t>(written);
  }
  return 0;
}

// The permissions a new file gets: read and write for all, less the process's umask.
mode_t newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
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
    const int device = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (device < 0) {
      return cannotWrite(path, systemReason(errno));
    }
    const int error = writeAll(device, bytes);
    if (::close(device) != 0 && error == 0) {
      return cannotWrite(path, systemReason(errno));
    }
    return error == 0 ? QString() : cannotWrite(path, systemReason(error));
  }
  // A link is replaced by way of what it names, so that it stays a link.
  const QString target = !info.isSymLink() ? path
                         : info.exists()   ? info.canonicalFilePath()
                                           : info.symLinkTarget();
  const QFileInfo targetInfo(target);
  std::string temporary = QFile::encodeName(targetInfo.absolutePath() + QStringLiteral("/.") +
                                            targetInfo.fileName() + QStringLiteral(".XXXXXX"))
                              .toStdString();
  const int file = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (file < 0) {
    return cannotWrite(path, systemReason(errno));
  }
  // The file keeps the permissions it had; a new one gets those of any new file.
  struct stat old {};
  const mode_t mode = ::stat(QFile::encodeName(target).constData(), &old) == 0 ? old.st_mode & 07777
                                                                               : newFileMode();
  int error = ::fchmod(file, mode) == 0 ? 0 : errno;
  if (error == 0) {
    error = writeAll(file, bytes);
  }
  if (error == 0 && ::fsync(file) != 0) {
    error = errno;
  }
  if (::close(file) != 0 && error == 0) {
    error = errno;
  }
  if (error == 0 && ::rename(temporary.c_str(), QFile::encodeName(target).constData()) != 0) {
    error = errno;
  }
  if (error != 0) {
    ::unlink(temporary.c_str());
    return cannotWrite(path, systemReason(error));
  }
  return {};
}

}  // namespace app
