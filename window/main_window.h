#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <thread>

#include "document/document.h"
#include "explanation/quiz.h"
#include "lesson_panel.h"
#include "pair_explorer.h"
#include "picture/layers.h"
#include "picture/picture_style.h"
#include "window_actions.h"

class QAction;
class QMenu;

namespace app {

// The demonstration window: caption "frmOvra1", a black client area of 753 x 475 pixels.
// It shows the document's picture, painted afresh whenever asked, so the picture survives
// being covered or minimised and is sharp on any screen. A larger or smaller window shows
// the same picture scaled to fit, centred on black, and maps the pointer back through that
// scale; full screen (F11) is such a window. The style of the pictures, normal or for a
// projector, is remembered from one start to the next.
//
// The widget turns the mouse and the keys into calls on its Document (see the action
// table), shows and hides the layers of the picture, and switches to the explanation of
// the pairs (PairExplorer). The picture itself never gains decorations outside the
// explanation: hovering shows only in the cursor.
class MainWindow final : public QWidget {
 public:
  MainWindow();
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  Document& document() { return document_; }
  // The run's picture, with every layer.
  [[nodiscard]] const Picture& picture() const { return document_.current().picture; }
  // The picture on screen, in the style shown: the run's without its hidden layers, or in
  // the explanation mode the picture of the pair; all black while the screen is blanked.
  [[nodiscard]] Picture shownPicture() const;
  [[nodiscard]] PictureStyle pictureStyle() const { return style_; }
  // Saves the picture shown to a file of the format its name asks for, or with wholeLesson
  // in the explanation mode, the pair's lesson as a PDF handout or a Beamer frame. Returns
  // what went wrong, or an empty string.
  QString saveShown(const QString& path, bool wholeLesson) const;
  // Shows the pictures in a style, and remembers it for the next start.
  void setPictureStyle(PictureStyle style);
  [[nodiscard]] const LessonPanel& panel() const { return panel_; }
  [[nodiscard]] const PairExplorer* explorer() const { return explorer_.get(); }
  // The action that the table's entry became.
  QAction* action(ActionId id, Layer layer = Layer::Overlay) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createActions();
  void trigger(const ActionEntry& entry);
  void fillMenu(QMenu& menu, bool onSite);
  void pictureChanged();
  void setExplaining(bool on);
  // Shows the explorer's state: its picture, the panel, the actions it enables.
  void explorerChanged();
  void askQuestion();
  // Compares the layout with exact arithmetic off the interface thread, when the exact
  // layer is shown; a new picture cancels a comparison under way.
  void compareWithExact();
  void stopComparing();
  void findFailure();
  void answerQuestion(geometry::PairResult guess);
  void toggleLayer(Layer layer);
  void updateCursor();
  // Whether a checkable action is on: the nearest-site circle, the exact layer.
  [[nodiscard]] bool isOn(ActionId id) const { return action(id)->isChecked(); }
  // Where a widget point lies in the picture's pixels.
  [[nodiscard]] QPointF inPicture(QPointF widgetPoint) const;
  // The actions that ask for a file name or show a problem in a box.
  void pasteSites();
  void saveSitesAs();
  void openSites();
  void savePictureAs();
  void toggleFullScreen();
  void blankScreen(bool blank);

  Document document_;
  ShownLayers layers_;
  std::unique_ptr<PairExplorer> explorer_;  // set while in the explanation mode
  LessonPanel panel_;                       // shown with the explorer
  std::optional<Quiz> quiz_;                // the round of questions, once Q is pressed
  QString verdict_;                         // what the last answer was
  Picture exactMarks_;                      // its marks, once the comparison is done
  std::thread comparison_;                  // the comparison under way, if any
  std::shared_ptr<std::atomic<bool>> cancelComparison_;
  PictureStyle style_;
  QPointF pointer_{-100, -100};  // where the pointer was last seen, picture pixels
  std::map<std::pair<ActionId, Layer>, QAction*> actions_;
  QImage rendered_;  // the picture as last painted, at one device pixel to the pixel
};

}  // namespace app
