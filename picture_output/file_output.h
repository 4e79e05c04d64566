#pragma once

#include <QByteArray>
#include <QString>

namespace app {

// Writes the bytes to path, whole or not at all, and returns what went wrong ("cannot write
// PATH: reason") or an empty string.
//
// A new name or a regular file is written into a temporary file beside it, which replaces it
// only once complete: a failure leaves the file that was there unchanged and no temporary
// file behind. A path that names a device, a pipe or a socket is written directly, and is
// never replaced by a regular file. A symbolic link is followed. A folder is refused.
QString writeWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace app
