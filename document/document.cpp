#include "document.h"

#include <QDir>
#include <QFileInfo>

#include "geometry/window_frame.h"
#include "last_layout.h"
#include "picture_output/file_output.h"
#include "picture_output/output_kind.h"
#include "picture_output/picture_file.h"
#include "run/site_list.h"
#include "run/site_placement.h"

namespace app {

namespace {

// How often a drag writes the layout it has reached.
constexpr int kKeepIntervalMs = 1000;

}  // namespace

Document::Document() {
  keepTimer_.setSingleShot(true);
  connect(&keepTimer_, &QTimer::timeout, this, [this] { writeKeptLayout(); });
  history_.setListener(LayoutHistory::Listener{
      [this] {
        if (shownOnce_) {  // the first picture is not kept: the layout has not changed yet
          keepLayout();
        }
        shownOnce_ = true;
        emit changed();
      },
      [this] {
        if (keepTimer_.isActive()) {  // a drag has ended: its last step is kept now
          keepTimer_.stop();
          writeKeptLayout();
        }
        emit stepsChanged();
      },
      [this](const std::string& message) { emit runFailed(QString::fromStdString(message)); }});
}

void Document::start(const RunRequest& request) {
  history_.start(request);
}

bool Document::press(double x, double y) {
  return history_.press(x, y) != LayoutHistory::Press::Refused;
}

void Document::newRun() {
  history_.newRun(newRunSeeds_ ? std::optional(newRunSeeds_()) : std::nullopt);
}

void Document::replace(Layout layout, const QString& what) {
  history_.replace(std::move(layout), what.toStdString());
}

QString Document::siteListText() const {
  return QString::fromStdString(app::siteListText(layout().seed, layout().sites));
}

// Reads a site list with `read` and puts it on screen as the step `what`; a list without a
// seed keeps the current one. Returns the problem, named after `source`, or nothing.
template <class Read>
QString Document::useSiteList(Read read, const QString& source, const QString& what) {
  try {
    const SiteList list = read();
    replace(Layout{list.seed.value_or(layout().seed), list.sites}, what);
    return {};
  } catch (const SiteFileError& error) {
    return source + QStringLiteral(": ") + QString::fromUtf8(error.what());
  }
}

QString Document::pasteSiteList(const QByteArray& text, const QString& source) {
  return useSiteList(
      [&text] { return parseSites(std::string_view(text.constData(), text.size())); }, source,
      QStringLiteral("Paste sites"));
}

QString Document::saveSiteList(const QString& path) {
  QString problem = writeWholeFile(path, siteListText().toUtf8());
  if (problem.isEmpty()) {
    history_.markSaved();
  }
  return problem;
}

QString Document::openSiteList(const QString& path) {
  QString problem = useSiteList([&path] { return readSiteFile(path.toLocal8Bit().toStdString()); },
                                path, QStringLiteral("Open site list"));
  if (problem.isEmpty()) {
    history_.markSaved();
  }
  return problem;
}

QString Document::openLastLayout() {
  const QString path = lastLayoutFile();
  if (!QFileInfo::exists(path)) {
    return QStringLiteral(
               "No layout has been kept yet: the last layout is kept in %1 once the "
               "sites are changed.")
        .arg(path);
  }
  return useSiteList([&path] { return readSiteFile(path.toLocal8Bit().toStdString()); }, path,
                     QStringLiteral("Open last layout"));
}

void Document::keepLayout() {
  if (dragging() && sinceKept_.isValid() && sinceKept_.elapsed() < kKeepIntervalMs) {
    if (!keepTimer_.isActive()) {
      keepTimer_.start(static_cast<int>(kKeepIntervalMs - sinceKept_.elapsed()));
    }
    return;
  }
  writeKeptLayout();
}

void Document::writeKeptLayout() {
  sinceKept_.start();
  const QString path = lastLayoutFile();
  QDir().mkpath(QFileInfo(path).path());
  const QString problem = writeWholeFile(path, siteListText().toUtf8());
  if (!problem.isEmpty() && !keepingFailed_) {
    keepingFailed_ = true;
    emit keepingFailed(problem);
  }
}

QString Document::savePicture(const QString& path, const Picture& shown,
                              const QString& description) {
  const std::optional<OutputKind> kind = outputKindFor(path);
  const std::optional<PictureFormat> format = kind ? infoOf(*kind).pictureFormat : std::nullopt;
  if (!format) {
    return unknownOutputKind(path, Holds::RunPicture);
  }
  return app::savePicture(shown, geometry::kWindowFrame.clientWidth,
                          geometry::kWindowFrame.clientHeight, path, *format, 1, description);
}

}  // namespace app
