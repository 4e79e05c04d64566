#include "window_actions.h"

#include <QAction>
#include <climits>

#include "explanation/lesson.h"
#include "main_window.h"

namespace app {

namespace {

using Handler = std::function<void(MainWindow&)>;

// What the window does for an action.
Handler handlerOf(ActionId id) {
  switch (id) {
    case ActionId::NewRun:
      return [](MainWindow& w) { w.document().newRun(); };
    case ActionId::Undo:
      return [](MainWindow& w) { w.undo(); };
    case ActionId::Redo:
      return [](MainWindow& w) { w.document().history().redo(); };
    case ActionId::RemoveSite:
      return [](MainWindow& w) { w.removeSiteUnderPointer(); };
    case ActionId::CopySites:
      return [](MainWindow& w) { w.files().copySites(); };
    case ActionId::PasteSites:
      return [](MainWindow& w) { w.files().pasteSites(); };
    case ActionId::OpenSites:
      return [](MainWindow& w) { w.files().openSites(); };
    case ActionId::OpenLastLayout:
      return [](MainWindow& w) { w.files().openLastLayout(); };
    case ActionId::SaveSites:
      return [](MainWindow& w) { w.files().saveSitesAs(); };
    case ActionId::SavePicture:
      return [](MainWindow& w) { w.savePictureAs(); };
    case ActionId::ToggleLayer:
      return [](MainWindow& w) { w.applyView(); };
    case ActionId::Explain:
      return [](MainWindow& w) { w.setExplaining(w.isOn(ActionId::Explain)); };
    case ActionId::NextPair:
      return [](MainWindow& w) { w.explanation().stepPair(1); };
    case ActionId::PreviousPair:
      return [](MainWindow& w) { w.explanation().stepPair(-1); };
    case ActionId::NextStep:
      return [](MainWindow& w) { w.explanation().moveStep(1); };
    case ActionId::PreviousStep:
      return [](MainWindow& w) { w.explanation().moveStep(-1); };
    case ActionId::FirstStep:
      return [](MainWindow& w) { w.explanation().showStep(0); };
    case ActionId::LastStep:
      return [](MainWindow& w) { w.explanation().showStep(PTRDIFF_MAX); };
    case ActionId::SwitchLevel:
      return [](MainWindow& w) { w.switchLevel(); };
    case ActionId::WholeDiagram:
      return
          [](MainWindow& w) { w.explanation().showWholeDiagram(w.isOn(ActionId::WholeDiagram)); };
    case ActionId::Leave:
      return [](MainWindow& w) { w.leaveModes(); };
    case ActionId::Tour:
      return [](MainWindow& w) { w.startTour(); };
    case ActionId::Ask:
      return [](MainWindow& w) { w.askQuestion(); };
    case ActionId::AnswerYes:
      return [](MainWindow& w) { w.answerQuestion(true); };
    case ActionId::AnswerNo:
      return [](MainWindow& w) { w.answerQuestion(false); };
    case ActionId::DrawEdgesExercise:
      return [](MainWindow& w) { w.startExercise(ExerciseKind::DelaunayEdges); };
    case ActionId::FindPieceExercise:
      return [](MainWindow& w) { w.startExercise(ExerciseKind::VoronoiPiece); };
    case ActionId::PlaceCutExercise:
      return [](MainWindow& w) { w.startExercise(ExerciseKind::CutPoint); };
    case ActionId::CheckExercise:
      return [](MainWindow& w) { w.exercise().check(); };
    case ActionId::AnswerNoneOrPasses:
      return [](MainWindow& w) { w.exercise().answerWithout(CutAnswer::Says::Passes); };
    case ActionId::AnswerBlocks:
      return [](MainWindow& w) { w.exercise().answerWithout(CutAnswer::Says::Blocks); };
    case ActionId::Probe:
      return [](MainWindow& w) { w.update(); };
    case ActionId::ExactLayer:
      return [](MainWindow& w) { w.applyExactLayer(); };
    case ActionId::FindFailure:
      return [](MainWindow& w) { w.findFailure(); };
    case ActionId::FullScreen:
      return [](MainWindow& w) { w.applyFullScreen(); };
    case ActionId::ProjectorStyle:
      return [](MainWindow& w) { w.applyView(); };
    case ActionId::BlankScreen:
      return [](MainWindow& w) { w.applyBlankScreen(); };
    case ActionId::Help:
      return [](MainWindow& w) { w.showHelp(); };
    case ActionId::MoveSiteLeft:
      return [](MainWindow& w) { w.moveSelectedSite(-1, 0); };
    case ActionId::MoveSiteRight:
      return [](MainWindow& w) { w.moveSelectedSite(1, 0); };
    case ActionId::MoveSiteUp:
      return [](MainWindow& w) { w.moveSelectedSite(0, -1); };
    case ActionId::MoveSiteDown:
      return [](MainWindow& w) { w.moveSelectedSite(0, 1); };
  }
  return {};
}

std::vector<ActionEntry> makeTable() {
  std::vector<ActionEntry> table;
  for (const Action& action : actions()) {
    QList<QKeySequence> keys;
    for (const std::string& key : action.keys) {
      keys << QKeySequence::fromString(QString::fromStdString(key), QKeySequence::PortableText);
    }
    table.push_back({action.id, QString::fromStdString(action.name), keys,
                     QString::fromStdString(action.help), action.group, handlerOf(action.id),
                     action.layer, action.checkable, action.when, action.onlyOverSite});
  }
  return table;
}

}  // namespace

const std::vector<ActionEntry>& actionTable() {
  static const std::vector<ActionEntry> table = makeTable();
  return table;
}

QString helpTable() {
  QString rows = QStringLiteral(
      "<tr><td>Click</td><td>add a site</td></tr>"
      "<tr><td>Drag a site</td><td>move it</td></tr>"
      "<tr><td>Right click</td><td>every action</td></tr>");
  for (const Action& action : actions()) {
    rows += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                .arg(QString::fromStdString(keysText(action)).toHtmlEscaped(),
                     QString::fromStdString(action.help).toHtmlEscaped());
  }
  // The rule the lessons teach comes first.
  return QStringLiteral("<p>%1</p><table cellspacing=4>%2</table>")
      .arg(QString::fromUtf8(kLessonRule).toHtmlEscaped(), rows);
}

}  // namespace app
