#include "document.h"

#include <QDir>
#include <QFileInfo>

#include "geometry/window_frame.h"
#include "last_layout.h"
#include "layout_command.h"
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
}

void Document::start(const RunRequest& request) {
  current_ = runDemonstration(request);
  emit changed();
}

void Document::runLayout(const Layout& layout) {
  RunResult result = runDemonstration(RunRequest::of(layout));
  if (!result.completed()) {
    emit runFailed(QString::fromStdString(result.error));
    return;
  }
  current_ = std::move(result);
  emit changed();
  keepLayout();
}

// A step whose layout is on screen already (a new run, a drag) is not run again.
void Document::show(const Layout& layout) {
  if (!(current_.layout == layout)) {
    runLayout(layout);
  }
}

bool Document::press(double x, double y) {
  const Layout& now = layout();
  if (const auto site = siteUnder(now.sites, x, y)) {
    grabbed_ = site;
    offsetX_ = now.sites[*site].x - x;
    offsetY_ = now.sites[*site].y - y;
    beforeDrag_ = now;
    return true;
  }
  if (now.sites.size() >= kSiteLimit) {
    return false;
  }
  Layout after = now;
  after.sites.push_back(placeable(now.sites, std::nullopt, SitePosition{x, static_cast<float>(y)}));
  replace(std::move(after), QStringLiteral("Add site"));
  return true;
}

void Document::drag(double x, double y) {
  if (!grabbed_) {
    return;
  }
  Layout moved = layout();
  moved.sites[*grabbed_] = placeable(moved.sites, grabbed_,
                                     SitePosition{x + offsetX_, static_cast<float>(y + offsetY_)});
  show(moved);
}

void Document::release() {
  if (!grabbed_) {
    return;
  }
  grabbed_.reset();
  if (keepTimer_.isActive()) {
    keepTimer_.stop();
    writeKeptLayout();
  }
  if (!(layout() == beforeDrag_)) {
    history_.push(new LayoutCommand([this](const Layout& l) { show(l); }, beforeDrag_, layout(),
                                    QStringLiteral("Move site")));
  }
}

void Document::removeAt(double x, double y) {
  const auto site = siteUnder(layout().sites, x, y);
  if (!site || dragging()) {
    return;
  }
  Layout after = layout();
  after.sites.erase(after.sites.begin() + static_cast<std::ptrdiff_t>(*site));
  replace(std::move(after), QStringLiteral("Remove site"));
}

void Document::newRun() {
  const Layout before = layout();
  start(newRunSeeds_ ? RunRequest{newRunSeeds_(), std::nullopt} : RunRequest{});
  keepLayout();
  history_.push(new LayoutCommand([this](const Layout& l) { show(l); }, before, layout(),
                                  QStringLiteral("New sites")));
}

void Document::replace(Layout layout, const QString& what) {
  history_.push(new LayoutCommand([this](const Layout& l) { show(l); }, this->layout(),
                                  std::move(layout), what));
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
    history_.setClean();
  }
  return problem;
}

QString Document::openSiteList(const QString& path) {
  QString problem = useSiteList([&path] { return readSiteFile(path.toLocal8Bit().toStdString()); },
                                path, QStringLiteral("Open site list"));
  if (problem.isEmpty()) {
    history_.setClean();
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
