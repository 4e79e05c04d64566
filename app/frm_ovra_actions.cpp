// The window's actions: their shortcuts, the context menu, the help, and the site lists and
// pictures kept in the clipboard and in files.
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>

#include "frm_ovra.h"
#include "picture_file.h"
#include "site_edits.h"
#include "site_file.h"
#include "window_size.h"

namespace app {

namespace {

constexpr const char* kLayerNames[kLayerCount] = {"Label", "Site circles", "Voronoi edges",
                                                  "Delaunay edges"};
constexpr Qt::Key kLayerKeys[kLayerCount] = {Qt::Key_L, Qt::Key_C, Qt::Key_V, Qt::Key_D};

const QString kSiteListFilter = QStringLiteral("Site lists (*.txt);;All files (*)");

}  // namespace

void FrmOvra::createActions() {
  const auto action = [this](const QString& text, QList<QKeySequence> keys, auto slot) {
    auto* a = new QAction(text, this);
    a->setShortcuts(keys);
    a->setShortcutVisibleInContextMenu(true);
    connect(a, &QAction::triggered, this, slot);
    addAction(a);
    return a;
  };
  actions_.newRun = action(QStringLiteral("New sites"), {Qt::Key_Space, Qt::Key_F5},
                           [this] { editor_.newRun(); });
  actions_.undo = action(QStringLiteral("Undo"), {QKeySequence::Undo}, [this] { history_.undo(); });
  actions_.redo =
      action(QStringLiteral("Redo"),
             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
             [this] { history_.redo(); });
  actions_.removeSite = action(QStringLiteral("Remove site"), {Qt::Key_Delete, Qt::Key_Backspace},
                               [this] { removeSiteUnderPointer(); });
  actions_.copy =
      action(QStringLiteral("Copy sites"), {QKeySequence::Copy}, [this] { copySites(); });
  actions_.paste =
      action(QStringLiteral("Paste sites"), {QKeySequence::Paste}, [this] { pasteSites(); });
  actions_.open =
      action(QStringLiteral("Open site list..."), {QKeySequence::Open}, [this] { openSites(); });
  actions_.saveSites =
      action(QStringLiteral("Save site list..."), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
             [this] { saveSitesAs(); });
  actions_.savePicture = action(QStringLiteral("Save picture..."),
                                {QKeySequence(Qt::CTRL | Qt::Key_S)}, [this] { savePictureAs(); });
  for (int n = 0; n < kLayerCount; ++n) {
    actions_.layer[n] = action(QString::fromLatin1(kLayerNames[n]), {kLayerKeys[n]},
                               [this, n] { toggleLayer(static_cast<Layer>(n)); });
    actions_.layer[n]->setCheckable(true);
    actions_.layer[n]->setChecked(true);
  }
  actions_.explain =
      action(QStringLiteral("Explain pairs"), {Qt::Key_E}, [this] { toggleExplanation(); });
  actions_.explain->setCheckable(true);
  actions_.help = action(QStringLiteral("Help"), {QKeySequence::HelpContents, Qt::Key_F1},
                         [this] { showHelp(); });
}

void FrmOvra::contextMenuEvent(QContextMenuEvent* event) {
  pointer_ = event->pos();
  QMenu menu(this);
  fillMenu(menu,
           !explorer_ &&
               siteUnder(demonstration_.layout().sites, pointer_.x(), pointer_.y()).has_value());
  menu.exec(event->globalPos());
}

void FrmOvra::fillMenu(QMenu& menu, bool onSite) {
  menu.addAction(QStringLiteral("Seed %1").arg(demonstration_.layout().seed))->setEnabled(false);
  menu.addSeparator();
  if (onSite) {
    menu.addAction(actions_.removeSite);
  }
  menu.addAction(actions_.newRun);
  actions_.undo->setEnabled(history_.canUndo());
  actions_.redo->setEnabled(history_.canRedo());
  menu.addActions({actions_.undo, actions_.redo});
  menu.addSeparator();
  menu.addActions(
      {actions_.copy, actions_.paste, actions_.open, actions_.saveSites, actions_.savePicture});
  menu.addSeparator();
  for (QAction* layer : actions_.layer) {
    menu.addAction(layer);
  }
  menu.addSeparator();
  menu.addActions({actions_.explain, actions_.help});
}

void FrmOvra::showHelp() {
  QMessageBox::information(
      this, QStringLiteral("Mouse and keys"),
      QStringLiteral(
          "<table cellspacing=4>"
          "<tr><td>Click</td><td>add a site</td></tr>"
          "<tr><td>Drag a site</td><td>move it</td></tr>"
          "<tr><td>Delete, Backspace</td><td>remove the site under the pointer</td></tr>"
          "<tr><td>Space, F5</td><td>new random sites</td></tr>"
          "<tr><td>Ctrl+Z / Ctrl+Shift+Z, Ctrl+Y</td><td>undo / redo</td></tr>"
          "<tr><td>Ctrl+C / Ctrl+V</td><td>copy / paste the sites as a site list</td></tr>"
          "<tr><td>Ctrl+O / Ctrl+Shift+S</td><td>open / save a site list</td></tr>"
          "<tr><td>Ctrl+S</td><td>save the picture (PNG or SVG)</td></tr>"
          "<tr><td>V, D, C, L</td><td>show or hide the Voronoi edges, the Delaunay edges, "
          "the site circles, the label</td></tr>"
          "<tr><td>E</td><td>explain the pairs: click two sites or an edge; Left and Right "
          "step through the pairs; Escape leaves</td></tr>"
          "<tr><td>Right click</td><td>every action</td></tr></table>"));
}

QString FrmOvra::siteListText() const {
  const Layout& layout = demonstration_.layout();
  return QString::fromStdString(app::siteListText(layout.seed, layout.sites));
}

// Reads a site list with `read` and puts it on screen as the step `what`; a list without a
// seed keeps the current one. Returns the problem, named after `source`, or nothing.
template <class Read>
QString FrmOvra::useSiteList(Read read, const QString& source, const QString& what) {
  try {
    const SiteList list = read();
    editor_.replace(Layout{list.seed.value_or(demonstration_.layout().seed), list.sites}, what);
    return {};
  } catch (const SiteFileError& error) {
    return source + QStringLiteral(": ") + QString::fromUtf8(error.what());
  }
}

QString FrmOvra::pasteSiteList(const QByteArray& text, const QString& source) {
  return useSiteList(
      [&text] { return parseSites(std::string_view(text.constData(), text.size())); }, source,
      QStringLiteral("Paste sites"));
}

QString FrmOvra::saveSiteList(const QString& path) const {
  QSaveFile file(path);
  const QByteArray text = siteListText().toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
    return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
  }
  return {};
}

QString FrmOvra::openSiteList(const QString& path) {
  return useSiteList([&path] { return readSiteFile(path.toLocal8Bit().toStdString()); }, path,
                     QStringLiteral("Open site list"));
}

QString FrmOvra::savePictureTo(const QString& path) const {
  const std::optional<PictureFormat> format = pictureFormatFor(path);
  if (!format) {
    return QStringLiteral("cannot save %1: the file name must end in .png or .svg").arg(path);
  }
  return savePicture(shownPicture(), kClientWidth, kClientHeight, path, *format, 1);
}

void FrmOvra::copySites() {
  QGuiApplication::clipboard()->setText(siteListText());
}

void FrmOvra::pasteSites() {
  const QString problem =
      pasteSiteList(QGuiApplication::clipboard()->text().toUtf8(), QStringLiteral("clipboard"));
  if (!problem.isEmpty()) {
    QMessageBox::warning(this, QStringLiteral("Paste sites"), problem);
  }
}

void FrmOvra::saveSitesAs() {
  const QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Save site list"), {}, kSiteListFilter);
  if (const QString problem = path.isEmpty() ? QString() : saveSiteList(path); !problem.isEmpty()) {
    QMessageBox::warning(this, QStringLiteral("Save site list"), problem);
  }
}

void FrmOvra::openSites() {
  const QString path =
      QFileDialog::getOpenFileName(this, QStringLiteral("Open site list"), {}, kSiteListFilter);
  if (const QString problem = path.isEmpty() ? QString() : openSiteList(path); !problem.isEmpty()) {
    QMessageBox::warning(this, QStringLiteral("Open site list"), problem);
  }
}

void FrmOvra::savePictureAs() {
  const QString path = QFileDialog::getSaveFileName(
      this, QStringLiteral("Save picture"), QStringLiteral("picture.png"),
      QStringLiteral("PNG pictures (*.png);;SVG pictures (*.svg)"));
  if (const QString problem = path.isEmpty() ? QString() : savePictureTo(path);
      !problem.isEmpty()) {
    QMessageBox::warning(this, QStringLiteral("Save picture"), problem);
  }
}

}  // namespace app
