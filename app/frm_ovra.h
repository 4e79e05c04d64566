#pragma once

#include <QImage>
#include <QString>
#include <QUndoStack>
#include <QWidget>
#include <memory>

#include "demonstration.h"
#include "pair_explorer.h"
#include "picture_form.h"
#include "site_editor.h"

class QAction;
class QMenu;

namespace app {

// The demonstration window: caption "frmOvra1", a black client area of 753 x 475 pixels.
// Its Form records the drawing; the widget paints the recorded picture whenever asked, so
// the picture survives being covered, minimised or resized, and is sharp on any screen.
//
// The window is also where the sites are played with (see the README's table of mouse and
// keys): the pointer adds, drags and removes sites (SiteEditor), every change can be undone,
// layouts and pictures can be copied, pasted, saved and opened, the layers of the picture
// shown and hidden, and E switches to the explanation of the pairs (PairExplorer). The
// picture itself never gains decorations outside the explanation: hovering shows only in
// the cursor.
class FrmOvra final : public QWidget {
 public:
  FrmOvra();

  geometry::Form& form() { return form_; }
  Demonstration& demonstration() { return demonstration_; }
  QUndoStack& history() { return history_; }
  // The run's picture, with every layer.
  [[nodiscard]] const Picture& picture() const { return form_.picture(); }
  // The picture on screen: the run's without its hidden layers, or in the explanation mode
  // the picture of the pair.
  [[nodiscard]] Picture shownPicture() const;
  void toggleLayer(Layer layer);

  // The layout as a site list, and back; the file versions write and read whole files. Each
  // returns what went wrong, or an empty string.
  [[nodiscard]] QString siteListText() const;
  QString pasteSiteList(const QByteArray& text, const QString& source);
  QString saveSiteList(const QString& path) const;
  QString openSiteList(const QString& path);
  QString savePictureTo(const QString& path) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void createActions();
  void fillMenu(QMenu& menu, bool onSite);
  void toggleExplanation();
  void removeSiteUnderPointer();
  void updateCursor();
  void showHelp();
  template <class Read>
  QString useSiteList(Read read, const QString& source, const QString& what);
  // The actions that ask for a file name or show a problem in a box.
  void copySites();
  void pasteSites();
  void saveSitesAs();
  void openSites();
  void savePictureAs();

  struct Actions {
    QAction *newRun, *undo, *redo, *removeSite, *copy, *paste, *open, *saveSites, *savePicture;
    QAction* layer[kLayerCount];
    QAction *explain, *help;
  };

  PictureForm form_;
  Demonstration demonstration_{form_};
  QUndoStack history_;
  SiteEditor editor_{demonstration_, history_};
  ShownLayers layers_;
  std::unique_ptr<PairExplorer> explorer_;  // set while in the explanation mode
  QPointF pointer_{-100, -100};             // where the pointer was last seen
  Actions actions_{};
  QImage rendered_;  // the picture as last painted, at one device pixel to the pixel
};

}  // namespace app
