#include "window_actions.h"

#include <QAction>
#include <climits>

#include "exercises/exercise.h"
#include "explanation/lesson.h"
#include "explanation/quiz.h"
#include "main_window.h"

namespace app {

namespace {

QKeySequence ctrl(Qt::Key key) {
  return QKeySequence(Qt::CTRL | key);
}
QKeySequence ctrlShift(Qt::Key key) {
  return QKeySequence(Qt::CTRL | Qt::SHIFT | key);
}

using Handler = std::function<void(MainWindow&)>;

// A layer of the run's picture that the user can hide: its menu name, key and help.
struct HideableLayer {
  Layer layer;
  const char* name;
  Qt::Key key;
  const char* help;
};

constexpr HideableLayer kHideableLayers[] = {
    {Layer::VoronoiEdges, "Voronoi edges", Qt::Key_V, "show or hide the Voronoi edges"},
    {Layer::DelaunayEdges, "Delaunay edges", Qt::Key_D, "show or hide the Delaunay edges"},
    {Layer::SiteCircles, "Site circles", Qt::Key_C, "show or hide the site circles"},
    {Layer::Label, "Label", Qt::Key_L, "show or hide the label"},
};

// An answer to a question, whether the pair gets an edge: its key is the answer's number
// and its name the answer's word.
struct Answer {
  ActionId id;
  bool edge;
  const char* help;
};

constexpr Answer kAnswers[] = {
    {ActionId::AnswerYes, true, "answer: yes, the pair gets an edge"},
    {ActionId::AnswerNo, false, "answer: no, it gets none"},
};

ActionEntry entry(ActionId id, const char* name, QList<QKeySequence> keys, const char* help,
                  MenuGroup group, Handler handler) {
  return {id,    QString::fromLatin1(name), std::move(keys), QString::fromLatin1(help),
          group, std::move(handler)};
}

// A checkable action, whose handler applies its new checked state.
ActionEntry toggle(ActionId id, const char* name, QList<QKeySequence> keys, const char* help,
                   MenuGroup group, Handler handler) {
  ActionEntry made = entry(id, name, std::move(keys), help, group, std::move(handler));
  made.checkable = true;
  return made;
}

// An action of the explanation mode, used only while it is active.
ActionEntry explaining(ActionId id, const char* name, QList<QKeySequence> keys, const char* help,
                       Handler handler) {
  ActionEntry made =
      entry(id, name, std::move(keys), help, MenuGroup::Explanation, std::move(handler));
  made.when = ActionWhen::Explaining;
  return made;
}

std::vector<ActionEntry> makeTable() {
  std::vector<ActionEntry> table{
      entry(ActionId::NewRun, "New sites", {Qt::Key_Space, Qt::Key_F5}, "new random sites",
            MenuGroup::Edits, [](MainWindow& w) { w.document().newRun(); }),
      entry(ActionId::Undo, "Undo", {ctrl(Qt::Key_Z)},
            "undo an add, drag, removal, new run, paste or open; in an exercise, a move not yet "
            "checked",
            MenuGroup::Edits, [](MainWindow& w) { w.undo(); }),
      entry(ActionId::Redo, "Redo", {ctrlShift(Qt::Key_Z), ctrl(Qt::Key_Y)}, "redo",
            MenuGroup::Edits, [](MainWindow& w) { w.document().history().redo(); }),
      entry(ActionId::RemoveSite, "Remove site", {Qt::Key_Delete, Qt::Key_Backspace},
            "remove the site under the pointer", MenuGroup::Edits,
            [](MainWindow& w) { w.removeSiteUnderPointer(); }),
      entry(ActionId::CopySites, "Copy sites", {ctrl(Qt::Key_C)}, "copy the sites as a site list",
            MenuGroup::SiteLists, [](MainWindow& w) { w.files().copySites(); }),
      entry(ActionId::PasteSites, "Paste sites", {ctrl(Qt::Key_V)}, "paste a site list",
            MenuGroup::SiteLists, [](MainWindow& w) { w.files().pasteSites(); }),
      entry(ActionId::OpenSites, "Open site list...", {ctrl(Qt::Key_O)}, "open a site list",
            MenuGroup::SiteLists, [](MainWindow& w) { w.files().openSites(); }),
      entry(ActionId::OpenLastLayout, "Open last layout", {ctrlShift(Qt::Key_O)},
            "bring back the last layout, kept after every change", MenuGroup::SiteLists,
            [](MainWindow& w) { w.files().openLastLayout(); }),
      entry(ActionId::SaveSites, "Save site list...", {ctrlShift(Qt::Key_S)}, "save the site list",
            MenuGroup::SiteLists, [](MainWindow& w) { w.files().saveSitesAs(); }),
      entry(ActionId::SavePicture, "Save picture...", {ctrl(Qt::Key_S)},
            "save the picture shown (PNG, SVG, PDF, TikZ), or the lesson shown as a PDF handout "
            "or a Beamer frame, or as a web page in one file",
            MenuGroup::SiteLists, [](MainWindow& w) { w.savePictureAs(); }),
  };
  table[3].onlyOverSite = true;  // Remove site
  for (const HideableLayer& layer : kHideableLayers) {
    ActionEntry shows = toggle(ActionId::ToggleLayer, layer.name, {layer.key}, layer.help,
                               MenuGroup::Layers, [](MainWindow& w) { w.applyView(); });
    shows.layer = layer.layer;
    table.push_back(shows);
  }
  table.insert(table.end(),
               {
                   toggle(ActionId::Explain, "Explain pairs", {Qt::Key_E},
                          "explain the pairs: click two sites or an edge to pick one",
                          MenuGroup::Explanation,
                          [](MainWindow& w) { w.setExplaining(w.isOn(ActionId::Explain)); }),
                   explaining(ActionId::NextPair, "Next pair", {Qt::Key_Right},
                              "while explaining: the next pair",
                              [](MainWindow& w) { w.explanation().stepPair(1); }),
                   explaining(ActionId::PreviousPair, "Previous pair", {Qt::Key_Left},
                              "while explaining: the previous pair",
                              [](MainWindow& w) { w.explanation().stepPair(-1); }),
                   explaining(ActionId::NextStep, "Next step", {Qt::Key_PageDown, Qt::Key_Down},
                              "while explaining: the next step of the pair",
                              [](MainWindow& w) { w.explanation().moveStep(1); }),
                   explaining(ActionId::PreviousStep, "Previous step", {Qt::Key_PageUp, Qt::Key_Up},
                              "while explaining: the step before",
                              [](MainWindow& w) { w.explanation().moveStep(-1); }),
                   explaining(ActionId::FirstStep, "First step", {Qt::Key_Home},
                              "while explaining: the first step",
                              [](MainWindow& w) { w.explanation().showStep(0); }),
                   explaining(ActionId::LastStep, "Last step", {Qt::Key_End},
                              "while explaining: the last step, the result",
                              [](MainWindow& w) { w.explanation().showStep(PTRDIFF_MAX); }),
                   explaining(ActionId::SwitchLevel, "Detail or overview", {Qt::Key_Return},
                              "while explaining: the detail of this step, or back to the overview",
                              [](MainWindow& w) { w.explanation().switchLevel(); }),
                   entry(ActionId::Leave, "Leave", {Qt::Key_Escape},
                         "leave the explanation or the exercise: back to the picture",
                         MenuGroup::Explanation, [](MainWindow& w) { w.leaveModes(); }),
                   entry(ActionId::Tour, "Tour of the edges", {Qt::Key_T},
                         "a tour of the edges, one drawn pair a step, with its empty circle",
                         MenuGroup::Explanation, [](MainWindow& w) { w.startTour(); }),
                   entry(ActionId::Ask, "Ask me", {Qt::Key_Q},
                         "a question on a pair: predict, then see the answer's steps",
                         MenuGroup::Explanation, [](MainWindow& w) { w.askQuestion(); }),
               });
  for (const Answer& answer : kAnswers) {
    QString name = QString::fromStdString(answerWord(answer.edge));
    name[0] = name[0].toUpper();
    ActionEntry answers{answer.id,
                        name,
                        {QKeySequence(Qt::Key_0 + answerNumber(answer.edge))},
                        QString::fromLatin1(answer.help),
                        MenuGroup::Explanation,
                        [edge = answer.edge](MainWindow& w) { w.answerQuestion(edge); }};
    answers.when = ActionWhen::Asking;
    table.push_back(answers);
  }
  for (const ExerciseKindInfo& kind : kExerciseKinds) {
    static constexpr std::pair<ActionId, Qt::Key> kKeys[] = {
        {ActionId::DrawEdgesExercise, Qt::Key_F2},
        {ActionId::FindPieceExercise, Qt::Key_F3},
        {ActionId::PlaceCutExercise, Qt::Key_F4}};
    const auto& [id, key] = kKeys[static_cast<int>(kind.kind)];
    table.push_back(entry(id, kind.title, {key}, "", MenuGroup::Exercises,
                          [which = kind.kind](MainWindow& w) { w.startExercise(which); }));
    QString what = QString::fromLatin1(kind.title);
    what[0] = what[0].toLower();
    table.back().help = QStringLiteral("an exercise on a layout from the run's seed: ") + what;
  }
  const auto exercising = [](ActionId id, const char* name, QList<QKeySequence> keys,
                             const char* help, Handler handler) {
    ActionEntry made =
        entry(id, name, std::move(keys), help, MenuGroup::Exercises, std::move(handler));
    made.when = ActionWhen::Exercising;
    return made;
  };
  table.insert(
      table.end(),
      {
          exercising(ActionId::CheckExercise, "Check", {Qt::Key_G},
                     "in an exercise: grade the drawing, or go on to the next question",
                     [](MainWindow& w) { w.exercise().check(); }),
          exercising(ActionId::AnswerNoneOrPasses, "None, or passes", {Qt::Key_P},
                     "in an exercise: no piece is the edge, or the site cuts nowhere",
                     [](MainWindow& w) { w.exercise().answerWithout(CutAnswer::Says::Passes); }),
          exercising(ActionId::AnswerBlocks, "Blocks", {Qt::Key_K},
                     "in an exercise: the site blocks the pair",
                     [](MainWindow& w) { w.exercise().answerWithout(CutAnswer::Says::Blocks); }),
      });
  table.insert(
      table.end(),
      {
          toggle(ActionId::Probe, "Nearest site", {Qt::Key_N},
                 "show or hide the largest empty circle at the pointer", MenuGroup::Explanation,
                 [](MainWindow& w) { w.update(); }),
          toggle(ActionId::ExactLayer, "Exact arithmetic", {Qt::Key_X},
                 "show or hide the edges that exact arithmetic draws otherwise",
                 MenuGroup::Explanation, [](MainWindow& w) { w.applyExactLayer(); }),
          entry(ActionId::FindFailure, "Find a failure", {ctrl(Qt::Key_F)},
                "move a site to where rounding changes an edge (undoable)", MenuGroup::Explanation,
                [](MainWindow& w) { w.findFailure(); }),
          toggle(ActionId::FullScreen, "Full screen", {Qt::Key_F11},
                 "full screen, the picture scaled to fit, or back to the window", MenuGroup::View,
                 [](MainWindow& w) { w.applyFullScreen(); }),
          toggle(ActionId::ProjectorStyle, "Projector style", {QKeySequence(Qt::SHIFT | Qt::Key_P)},
                 "thick lines, large text and strong colours for a projector, or back",
                 MenuGroup::View, [](MainWindow& w) { w.applyView(); }),
          toggle(ActionId::BlankScreen, "Blank screen", {Qt::Key_B, Qt::Key_Period},
                 "blank the screen to black, and back (a presenter's remote)", MenuGroup::View,
                 [](MainWindow& w) { w.applyBlankScreen(); }),
          entry(ActionId::Help, "Help", {Qt::Key_F1}, "this help of the mouse and keys",
                MenuGroup::View, [](MainWindow& w) { w.showHelp(); }),
      });
  return table;
}

}  // namespace

const std::vector<ActionEntry>& actionTable() {
  static const std::vector<ActionEntry> table = makeTable();
  return table;
}

QString keysText(const ActionEntry& action) {
  QStringList keys;
  for (const QKeySequence& key : action.keys) {
    keys << key.toString(QKeySequence::PortableText);
  }
  return keys.join(QStringLiteral(", "));
}

QString helpTable() {
  QString rows = QStringLiteral(
      "<tr><td>Click</td><td>add a site</td></tr>"
      "<tr><td>Drag a site</td><td>move it</td></tr>"
      "<tr><td>Right click</td><td>every action</td></tr>");
  for (const ActionEntry& action : actionTable()) {
    rows += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                .arg(keysText(action).toHtmlEscaped(), action.help.toHtmlEscaped());
  }
  // The rule the lessons teach comes first.
  return QStringLiteral("<p>%1</p><table cellspacing=4>%2</table>")
      .arg(QString::fromUtf8(kLessonRule).toHtmlEscaped(), rows);
}

}  // namespace app
