#pragma once

#include <QImage>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <map>
#include <utility>

#include "document/document.h"
#include "editing_mode.h"
#include "exact_layer_worker.h"
#include "exercise_mode.h"
#include "explanation_mode.h"
#include "file_dialogs.h"
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
// scale; full screen (F11) is such a window.
//
// The widget paints, turns the mouse into calls on the mode that is active (editing the
// document, the explanation, an exercise: see session/session_mode.h), and opens the dialogs; the
// keys and the menu come from the action table, whose handlers call the commands below. What the
// view shows (the layers, the style, full screen, the nearest-site circle, the exact layer, the
// blank screen) is kept in one place: the checked state of its action. The style is also remembered
// from one start to the next.
class MainWindow final : public QWidget {
 public:
  MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  Document& document() { return document_; }
  // The run's picture, with every layer.
  [[nodiscard]] const Picture& picture() const { return document_.current().picture; }
  // The picture on screen, in the style shown: the run's without its hidden layers, or in
  // the explanation mode the picture of the pair; all black while the screen is blanked.
  [[nodiscard]] ShownLayers shownLayers() const;  // as the layer actions are checked
  [[nodiscard]] Picture shownPicture() const;
  [[nodiscard]] PictureStyle pictureStyle() const;
  // Shows the pictures in a style, and remembers it for the next start.
  void setPictureStyle(PictureStyle style);
  // Saves the picture shown to a file of the format its name asks for, or with wholeLesson
  // in the explanation mode, the pair's lesson as a PDF handout or a Beamer frame. Returns
  // what went wrong, or an empty string.
  [[nodiscard]] QString saveShown(const QString& path, bool wholeLesson) const;

  [[nodiscard]] ExplanationMode& explanation() { return *explanation_; }
  [[nodiscard]] ExerciseMode& exercise() { return *exercise_; }
  // Saves the exercise's round as a results file under the learner's name; returns what
  // went wrong, or an empty string.
  [[nodiscard]] QString saveExerciseResults(const QString& path, const QString& name) const;
  [[nodiscard]] const LessonPanel& panel() const { return explanation_->panel(); }
  [[nodiscard]] const PairExplorer* explorer() const { return explanation_->explorer(); }
  // The action that the table's entry became, and whether a checkable one is on.
  [[nodiscard]] QAction* action(ActionId id, Layer layer = Layer::Overlay) const;
  [[nodiscard]] bool isOn(ActionId id, Layer layer = Layer::Overlay) const;

  // The commands behind the actions that are more than a call on the document.
  void setExplaining(bool on);
  // An exercise of the kind on a layout from the run's seed, and back from any mode.
  void startExercise(ExerciseKind kind);
  void leaveModes();
  // Undoes the last edit, or in an exercise takes back its last move.
  void undo();
  void startTour();
  // Detail or overview; on a step of the tour, the lesson of its pair.
  void switchLevel();
  void askQuestion();
  void answerQuestion(bool edge);
  void removeSiteUnderPointer();
  [[nodiscard]] FileDialogs& files() { return files_; }
  // Saves the picture or the lesson shown, or in an exercise the round's results.
  void savePictureAs();
  void findFailure();
  // The site last clicked moved by the arrow keys, while editing.
  void moveSelectedSite(double dx, double dy) { editing_.session().moveSelected(dx, dy); }
  // Each applies its action's checked state.
  void applyExactLayer();
  void applyFullScreen();
  void applyBlankScreen();
  // The layers and the style shown: every mode draws in the style, remembered for the next
  // start.
  void applyView();
  void showHelp();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void createActions();
  void fillMenu(QMenu& menu, bool onSite);
  // A new picture of the document: the explanation of the old one ends, the exact layer
  // starts again.
  void pictureChanged();
  // The explanation mode changed: its actions are enabled or not, the picture repainted.
  void explanationChanged();
  void updateCursor();
  // Whether actions used only at such a time can be used now.
  [[nodiscard]] bool usableNow(ActionWhen when) const;
  // The mode that presses, drags, take-backs and Save go to, and whose picture is shown:
  // the first active one of exercise, explanation and editing.
  [[nodiscard]] ModeAdapter& activeMode();
  [[nodiscard]] const ModeAdapter& activeMode() const;
  // Where a widget point lies in the picture's pixels.
  [[nodiscard]] QPointF inPicture(QPointF widgetPoint) const;

  Document document_;
  EditingMode editing_{document_.history()};
  FileDialogs files_;
  ExplanationMode* explanation_;  // a child of the window
  ExerciseMode* exercise_;        // a child of the window
  ExactLayerWorker exactWorker_;
  Picture exactMarks_;           // the exact layer's, once the comparison is done
  QPointF pointer_{-100, -100};  // where the pointer was last seen, picture pixels
  std::map<std::pair<ActionId, Layer>, QAction*> actions_;
  QImage rendered_;  // the picture as last painted, at one device pixel to the pixel
};

}  // namespace app
