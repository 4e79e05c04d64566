#include "output_kind.h"

#include <QStringList>
#include <algorithm>

namespace app {

std::optional<OutputKind> outputKindFor(const QString& path) {
  for (const OutputKindInfo& info : kOutputKinds) {
    for (const char* ending : info.endings) {
      if (ending != nullptr && path.endsWith(QLatin1String(ending), Qt::CaseInsensitive)) {
        return info.kind;
      }
    }
  }
  return std::nullopt;
}

const OutputKindInfo& infoOf(OutputKind kind) {
  return *std::find_if(kOutputKinds.begin(), kOutputKinds.end(),
                       [&](const OutputKindInfo& info) { return info.kind == kind; });
}

bool holds(OutputKind kind, Holds what) {
  return (static_cast<unsigned>(infoOf(kind).holds) & static_cast<unsigned>(what)) != 0;
}

QString endingsHolding(Holds what) {
  QStringList endings;
  for (const OutputKindInfo& info : kOutputKinds) {
    if (holds(info.kind, what)) {
      endings << QLatin1String(info.endings[0]);
    }
  }
  if (endings.size() < 2) {
    return endings.join(QString());
  }
  const QString last = endings.takeLast();
  return endings.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

QString unknownOutputKind(const QString& path, Holds what) {
  return QStringLiteral("cannot save %1: the file name must end in %2")
      .arg(path, endingsHolding(what));
}

}  // namespace app
