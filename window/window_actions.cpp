#include "window_actions.h"

namespace app {

namespace {

QKeySequence ctrl(Qt::Key key) {
  return QKeySequence(Qt::CTRL | key);
}
QKeySequence ctrlShift(Qt::Key key) {
  return QKeySequence(Qt::CTRL | Qt::SHIFT | key);
}

std::vector<ActionEntry> makeTable() {
  std::vector<ActionEntry> table{
      {ActionId::NewRun,
       QStringLiteral("New sites"),
       {Qt::Key_Space, Qt::Key_F5},
       QStringLiteral("new random sites")},
      {ActionId::Undo,
       QStringLiteral("Undo"),
       {ctrl(Qt::Key_Z)},
       QStringLiteral("undo an add, drag, removal, new run, paste or open")},
      {ActionId::Redo,
       QStringLiteral("Redo"),
       {ctrlShift(Qt::Key_Z), ctrl(Qt::Key_Y)},
       QStringLiteral("redo")},
      {ActionId::RemoveSite,
       QStringLiteral("Remove site"),
       {Qt::Key_Delete, Qt::Key_Backspace},
       QStringLiteral("remove the site under the pointer")},
      {ActionId::CopySites,
       QStringLiteral("Copy sites"),
       {ctrl(Qt::Key_C)},
       QStringLiteral("copy the sites as a site list")},
      {ActionId::PasteSites,
       QStringLiteral("Paste sites"),
       {ctrl(Qt::Key_V)},
       QStringLiteral("paste a site list")},
      {ActionId::OpenSites,
       QStringLiteral("Open site list..."),
       {ctrl(Qt::Key_O)},
       QStringLiteral("open a site list")},
      {ActionId::OpenLastLayout,
       QStringLiteral("Open last layout"),
       {ctrlShift(Qt::Key_O)},
       QStringLiteral("bring back the last layout, kept after every change")},
      {ActionId::SaveSites,
       QStringLiteral("Save site list..."),
       {ctrlShift(Qt::Key_S)},
       QStringLiteral("save the site list")},
      {ActionId::SavePicture,
       QStringLiteral("Save picture..."),
       {ctrl(Qt::Key_S)},
       QStringLiteral("save the picture shown (PNG, SVG, PDF, TikZ), or the lesson shown as a "
                      "PDF handout or a Beamer frame")},
  };
  for (const LayerInfo& layer : kHideableLayers) {
    table.push_back({ActionId::ToggleLayer,
                     QString::fromLatin1(layer.name),
                     {layer.key},
                     QString::fromLatin1(layer.help),
                     layer.layer,
                     true});
  }
  const auto explaining = [](ActionId id, const char* name, QList<QKeySequence> keys,
                             const char* help) {
    return ActionEntry{id,
                       QString::fromLatin1(name),
                       std::move(keys),
                       QString::fromLatin1(help),
                       Layer::Overlay,
                       false,
                       ActionWhen::Explaining};
  };
  const auto asking = [](ActionId id, const char* name, Qt::Key key, const char* help) {
    return ActionEntry{
        id,    QString::fromLatin1(name), {key}, QString::fromLatin1(help), Layer::Overlay,
        false, ActionWhen::Asking};
  };
  table.insert(
      table.end(),
      {
          {ActionId::Explain,
           QStringLiteral("Explain pairs"),
           {Qt::Key_E},
           QStringLiteral("explain the pairs: click two sites or an edge to pick one"),
           Layer::Overlay,
           true},
          explaining(ActionId::NextPair, "Next pair", {Qt::Key_Right},
                     "while explaining: the next pair"),
          explaining(ActionId::PreviousPair, "Previous pair", {Qt::Key_Left},
                     "while explaining: the previous pair"),
          explaining(ActionId::NextStep, "Next step", {Qt::Key_PageDown, Qt::Key_Down},
                     "while explaining: the next step of the pair"),
          explaining(ActionId::PreviousStep, "Previous step", {Qt::Key_PageUp, Qt::Key_Up},
                     "while explaining: the step before"),
          explaining(ActionId::FirstStep, "First step", {Qt::Key_Home},
                     "while explaining: the first step"),
          explaining(ActionId::LastStep, "Last step", {Qt::Key_End},
                     "while explaining: the last step, the result"),
          explaining(ActionId::LeaveExplanation, "Leave the explanation", {Qt::Key_Escape},
                     "while explaining: back to the picture"),
          {ActionId::Ask,
           QStringLiteral("Ask me"),
           {Qt::Key_Q},
           QStringLiteral("a question on a pair: predict, then see the answer's steps")},
          asking(ActionId::AnswerDrawn, "Drawn", Qt::Key_1, "answer: the pair's edge is drawn"),
          asking(ActionId::AnswerBlocked, "Blocked", Qt::Key_2,
                 "answer: a competitor blocks the pair"),
          asking(ActionId::AnswerShadowed, "Shadowed", Qt::Key_3,
                 "answer: every piece of the bisector is shadowed"),
          {ActionId::Probe,
           QStringLiteral("Nearest site"),
           {Qt::Key_N},
           QStringLiteral("show or hide the largest empty circle at the pointer"),
           Layer::Overlay,
           true},
          {ActionId::ExactLayer,
           QStringLiteral("Exact arithmetic"),
           {Qt::Key_X},
           QStringLiteral("show or hide the edges that exact arithmetic draws otherwise"),
           Layer::Overlay,
           true},
          {ActionId::FindFailure,
           QStringLiteral("Find a failure"),
           {ctrl(Qt::Key_F)},
           QStringLiteral("move a site to where rounding changes an edge (undoable)")},
          {ActionId::FullScreen,
           QStringLiteral("Full screen"),
           {Qt::Key_F11},
           QStringLiteral("full screen, the picture scaled to fit, or back to the window"),
           Layer::Overlay,
           true},
          {ActionId::ProjectorStyle,
           QStringLiteral("Projector style"),
           {QKeySequence(Qt::SHIFT | Qt::Key_P)},
           QStringLiteral("thick lines, large text and strong colours for a projector, or back"),
           Layer::Overlay,
           true},
          {ActionId::BlankScreen,
           QStringLiteral("Blank screen"),
           {Qt::Key_B, Qt::Key_Period},
           QStringLiteral("blank the screen to black, and back (a presenter's remote)"),
           Layer::Overlay,
           true},
          {ActionId::Help,
           QStringLiteral("Help"),
           {Qt::Key_F1},
           QStringLiteral("this help of the mouse and keys")},
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
  return QStringLiteral("<table cellspacing=4>") + rows + QStringLiteral("</table>");
}

}  // namespace app
