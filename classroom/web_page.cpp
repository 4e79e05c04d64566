#include "web_page.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <deque>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "explanation/explanation_picture.h"
#include "explanation/explanation_text.h"
#include "explanation/quiz.h"
#include "geometry/window_frame.h"
#include "picture/svg_picture.h"
#include "picture_output/picture_file.h"
#include "session/actions.h"

namespace app {

namespace {

using geometry::kWindowFrame;

QString text(const std::string& line) {
  return QString::fromStdString(line);
}

// The page's buttons: each does what the window's action of the same id does, and answers
// that action's keys. The quiz's buttons show their keys in their labels, the others in
// their titles; the level's button is pressed while the detail shows.
struct PageButton {
  const char* id;
  const char* label;
  ActionId action;
  bool keysInLabel = false;
  bool pressable = false;
};
constexpr PageButton kPageButtons[] = {
    {"first", "First", ActionId::FirstStep},
    {"previous", "Previous", ActionId::PreviousStep},
    {"next", "Next", ActionId::NextStep},
    {"last", "Last", ActionId::LastStep},
    {"level", "Detail", ActionId::SwitchLevel, false, true},
    {"yes", "Yes", ActionId::AnswerYes, true},
    {"no", "No", ActionId::AnswerNo, true},
    {"next-question", "Next question", ActionId::Ask, true},
};

// A key as aria-keyshortcuts names it: as the browser does, a letter as its capital.
QString ariaKey(const std::string& key) {
  return text(key.size() == 1 ? key : browserKey(key));
}

// The button's element.
QString buttonElement(const PageButton& button) {
  const Action& action = actionOf(button.action);
  QStringList ariaKeys;
  for (const std::string& key : action.keys) {
    ariaKeys << ariaKey(key);
  }
  const QString keys = text(keysText(action));
  const QString label = QString::fromLatin1(button.label);
  QString element =
      QStringLiteral("<button type=\"button\" id=\"%1\" aria-keyshortcuts=\"%2\"")
          .arg(QString::fromLatin1(button.id), ariaKeys.join(QLatin1Char(' ')).toHtmlEscaped());
  if (button.pressable) {
    element += QStringLiteral(" aria-pressed=\"false\"");
  }
  if (button.keysInLabel) {
    return element +
           QStringLiteral(">%1 (%2)</button>").arg(label.toHtmlEscaped(), keys.toHtmlEscaped());
  }
  return element +
         QStringLiteral(" title=\"%1 (%2)\">%3</button>")
             .arg(text(action.name).toHtmlEscaped(), keys.toHtmlEscaped(), label.toHtmlEscaped());
}

// The page's keys, each as the browser names it, with the button it presses.
QJsonObject pageKeys() {
  QJsonObject keys;
  for (const PageButton& button : kPageButtons) {
    for (const std::string& key : actionOf(button.action).keys) {
      keys[text(browserKey(key))] = QString::fromLatin1(button.id);
    }
  }
  return keys;
}

// The line under the steps that says which keys step: "Keys: PgDown or Down, PgUp or Up ...".
QString stepKeysLine() {
  const auto keys = [](ActionId id) {
    QString said = text(keysText(actionOf(id)));
    return said.replace(QStringLiteral(", "), QStringLiteral(" or "));
  };
  return QStringLiteral(
             "Keys: %1 and %2 step, %3 and %4 go to the first and the last step"
             "<span class=\"two-levels\">, %5 switches between the overview and the "
             "detail</span>.")
      .arg(keys(ActionId::NextStep), keys(ActionId::PreviousStep), keys(ActionId::FirstStep),
           keys(ActionId::LastStep), keys(ActionId::SwitchLevel));
}

// A step of the page: its picture and line, and where it lies at the page's other level.
struct PageStep {
  Picture picture;
  std::string line;
  std::optional<std::size_t> atOtherLevel = std::nullopt;
};

// The steps of one level: "overview", "detail", "tour" or "picture".
struct PageLevel {
  QString name;
  std::vector<PageStep> steps;
};

// A question of the quiz: its picture, the picture its answer is shown on, and its words.
struct PageQuestion {
  Picture asked, answered;
  std::string question;
  bool edge = false;
  std::string reason;
};

struct PageContent {
  QString title, about;
  std::vector<PageLevel> levels;  // the first is shown first
  std::vector<PageQuestion> questions;
  bool withRule = false;
};

// Pictures drawn into one SVG element, each in a group of its own over the ground it shares
// with the others of its set, which is drawn once. The ground of a set is the start of its
// first picture that the others share, but a picture sharing less than half of it is drawn
// whole rather than shrink it: the tour's last picture, the undimmed whole, shares none.
class SharedSvg {
 public:
  // Adds the pictures and returns, for each, its group's id and its ground's ("" for none).
  std::vector<std::pair<QString, QString>> add(const QString& prefix,
                                               const std::vector<const Picture*>& pictures) {
    std::vector<std::pair<QString, QString>> ids;
    if (pictures.empty()) {
      return ids;
    }
    const Picture& first = *pictures.front();
    std::size_t shared = first.size();
    for (const Picture* picture : pictures) {
      const auto common = static_cast<std::size_t>(
          std::mismatch(first.begin(), first.begin() + static_cast<std::ptrdiff_t>(shared),
                        picture->begin(), picture->end())
              .first -
          first.begin());
      if (2 * common >= shared) {
        shared = common;
      }
    }
    const QString groundId = prefix + QStringLiteral("-ground");
    owned_.emplace_back(first.begin(), first.begin() + static_cast<std::ptrdiff_t>(shared));
    groups_.push_back({groundId, owned_.size() - 1});
    const Picture& ground = owned_.back();
    for (std::size_t n = 0; n < pictures.size(); ++n) {
      const Picture& picture = *pictures[n];
      const bool onGround = !ground.empty() && picture.size() >= ground.size() &&
                            std::equal(ground.begin(), ground.end(), picture.begin());
      owned_.emplace_back(picture.begin() + (onGround ? static_cast<std::ptrdiff_t>(shared) : 0),
                          picture.end());
      const QString id = prefix + QStringLiteral("-%1").arg(n + 1);
      groups_.push_back({id, owned_.size() - 1});
      ids.emplace_back(id, onGround ? groundId : QString());
    }
    return ids;
  }

  // The element, every group hidden until the page's script shows it, except those given.
  [[nodiscard]] QByteArray element(const QString& id, const QString& description,
                                   const QStringList& shown) const {
    std::vector<SvgGroup> groups;
    for (const auto& [groupId, index] : groups_) {
      groups.push_back({owned_[index], groupId.toStdString(), !shown.contains(groupId)});
    }
    return QByteArray::fromStdString(svgElement(groups, kWindowFrame.clientWidth,
                                                kWindowFrame.clientHeight,
                                                description.toStdString(), id.toStdString()));
  }

 private:
  std::deque<Picture> owned_;  // stays in place as it grows
  std::vector<std::pair<QString, std::size_t>> groups_;
};

// A text of the page's own files, kept beside this one.
QString resourceText(const QString& name) {
  QFile file(QStringLiteral(":/web_page/") + name);
  file.open(QIODevice::ReadOnly);
  return QString::fromUtf8(file.readAll());
}

// A picture's entry in the page's data: its group and ground.
QJsonObject pictureEntry(const std::pair<QString, QString>& ids) {
  return {{QStringLiteral("group"), ids.first}, {QStringLiteral("ground"), ids.second}};
}

QByteArray pageHtml(const PageContent& page, const geometry::SiteColumns& sites) {
  SharedSvg stepPictures;
  std::vector<const Picture*> pictures;
  for (const PageLevel& level : page.levels) {
    for (const PageStep& step : level.steps) {
      pictures.push_back(&step.picture);
    }
  }
  const auto stepIds = stepPictures.add(QStringLiteral("step"), pictures);
  QJsonArray levels;
  std::size_t n = 0;
  for (const PageLevel& level : page.levels) {
    QJsonArray steps;
    for (const PageStep& step : level.steps) {
      QJsonObject entry = pictureEntry(stepIds[n++]);
      entry[QStringLiteral("line")] = text(step.line);
      if (step.atOtherLevel) {
        entry[QStringLiteral("other")] = static_cast<int>(*step.atOtherLevel);
      }
      steps.append(entry);
    }
    levels.append(
        QJsonObject{{QStringLiteral("name"), level.name}, {QStringLiteral("steps"), steps}});
  }

  SharedSvg questionPictures;
  std::vector<const Picture*> asked, answered;
  for (const PageQuestion& question : page.questions) {
    asked.push_back(&question.asked);
    answered.push_back(&question.answered);
  }
  const auto askedIds = questionPictures.add(QStringLiteral("question"), asked);
  const auto answeredIds = questionPictures.add(QStringLiteral("answer"), answered);
  QJsonArray questions;
  for (std::size_t q = 0; q < page.questions.size(); ++q) {
    const PageQuestion& question = page.questions[q];
    questions.append(QJsonObject{
        {QStringLiteral("asked"), pictureEntry(askedIds[q])},
        {QStringLiteral("answered"), pictureEntry(answeredIds[q])},
        {QStringLiteral("question"), text(question.question)},
        {QStringLiteral("edge"), question.edge},
        {QStringLiteral("right"), text(verdictOpening(true) + " " + question.reason)},
        {QStringLiteral("wrong"), text(verdictOpening(false) + " " + question.reason)}});
  }
  const QJsonObject data{{QStringLiteral("levels"), levels},
                         {QStringLiteral("questions"), questions},
                         {QStringLiteral("score"), text(scoreText("{right}", "{answered}"))},
                         {QStringLiteral("roundOver"), QString::fromUtf8(kRoundOver)},
                         {QStringLiteral("keys"), pageKeys()}};
  // Inside a script element, "</" could end it early.
  const QString json = QString::fromUtf8(QJsonDocument(data).toJson(QJsonDocument::Compact))
                           .replace(QStringLiteral("</"), QStringLiteral("<\\/"));

  const PageStep& firstStep = page.levels.front().steps.front();
  const QString firstGround = stepIds.front().second;
  QStringList shownSteps{stepIds.front().first};
  if (!firstGround.isEmpty()) {
    shownSteps << firstGround;
  }
  const QString html = resourceText(QStringLiteral("web_page.html"));
  QString siteItems;
  for (int k = 1; k <= sites.nSites; ++k) {
    siteItems += QStringLiteral("<li>%1</li>").arg(text(windowPosition(sites, k)));
  }
  const QString firstLine = text(firstStep.line).toHtmlEscaped();
  std::vector<std::pair<QString, QString>> fills = {
      {QStringLiteral("TITLE"), page.title.toHtmlEscaped()},
      {QStringLiteral("ABOUT"), page.about.toHtmlEscaped()},
      {QStringLiteral("STYLE"), resourceText(QStringLiteral("web_page.css"))},
      {QStringLiteral("STEP_PICTURE"),
       QString::fromUtf8(
           stepPictures.element(QStringLiteral("step-picture"), text(firstStep.line), shownSteps))},
      {QStringLiteral("STEP_LINE"), firstLine},
      {QStringLiteral("STEP_CLASS"), page.levels.front().steps.size() > 1 || page.levels.size() > 1
                                         ? QString()
                                         : QStringLiteral("single")},
      {QStringLiteral("QUIZ_CLASS"), page.questions.empty() ? QStringLiteral("none") : QString()},
      {QStringLiteral("QUIZ_PICTURE"),
       QString::fromUtf8(questionPictures.element(
           QStringLiteral("quiz-picture"), QStringLiteral("The pair a question asks about"), {}))},
      {QStringLiteral("RULE_CLASS"), page.withRule ? QString() : QStringLiteral("none")},
      {QStringLiteral("RULE"), QString::fromUtf8(kLessonRule).toHtmlEscaped()},
      {QStringLiteral("SITES"), siteItems},
      {QStringLiteral("DATA"), json},
      {QStringLiteral("SCRIPT"), resourceText(QStringLiteral("web_page.js"))},
      {QStringLiteral("STEP_KEYS"), stepKeysLine()},
  };
  for (const PageButton& button : kPageButtons) {
    fills.emplace_back(
        QStringLiteral("BUTTON_") + QString::fromLatin1(button.id).toUpper().replace('-', '_'),
        buttonElement(button));
  }
  // One pass over the template, so that no filled-in text is read as a place to fill.
  QString filled;
  qsizetype from = 0;
  for (const QRegularExpressionMatch& place :
       QRegularExpression(QStringLiteral("@([A-Z_]+)@")).globalMatch(html)) {
    const auto fill = std::find_if(std::begin(fills), std::end(fills),
                                   [&](const auto& f) { return f.first == place.captured(1); });
    filled += html.mid(from, place.capturedStart() - from) +
              (fill == std::end(fills) ? place.captured(0) : fill->second);
    from = place.capturedEnd();
  }
  filled += html.mid(from);
  return filled.toUtf8();
}

// A round of the quiz on the run's pairs, as the window asks it.
std::vector<PageQuestion> quizRound(const Picture& normal, const geometry::SiteColumns& sites,
                                    std::uint32_t seed, PictureStyle style) {
  std::vector<PageQuestion> questions;
  const int pairs = sites.nSites * (sites.nSites - 1) / 2;
  Quiz quiz(seed, sites.nSites);
  for (int q = 0; q < std::min(Quiz::kQuestions, pairs); ++q) {
    const auto [i, j] = quiz.nextPair();
    const QuizQuestion question = quizQuestion(sites, i, j);
    questions.push_back({askingPicture(normal, question, sites, style),
                         answerPicture(normal, question, sites, style), questionText(i, j),
                         question.edge, question.reason});
  }
  return questions;
}

QString seedAndSites(std::uint32_t seed, const geometry::SiteColumns& sites) {
  return QStringLiteral("Seed %1, %2.")
      .arg(seed)
      .arg(text(counted(static_cast<std::size_t>(sites.nSites), "site", "sites")));
}

}  // namespace

QByteArray lessonWebPage(const Picture& normal, const Lesson& lesson, LessonLevel level,
                         const std::vector<std::size_t>& picked, const geometry::SiteColumns& sites,
                         std::uint32_t seed, PictureStyle style) {
  const int i = lesson.account.i, j = lesson.account.j;
  PageContent page{
      text(lessonQuestion(i, j)),
      seedAndSites(seed, sites) +
          QStringLiteral(" How the edge finder decides whether sites %1 and %2 share a Voronoi "
                         "edge, step by step: an overview, and every step in detail.")
              .arg(i)
              .arg(j),
      {},
      quizRound(normal, sites, seed, style),
      true};
  const auto levelOf = [&](LessonLevel shown, const std::vector<std::size_t>& steps) {
    PageLevel pageLevel{
        shown == LessonLevel::Overview ? QStringLiteral("overview") : QStringLiteral("detail"), {}};
    for (const std::size_t n : steps) {
      pageLevel.steps.push_back(
          {levelStepPicture(normal, lesson, shown, n, sites, style), stepLine(lesson, shown, n),
           picked.empty() ? std::optional(lesson.stepAtOtherLevel(shown, n)) : std::nullopt});
    }
    return pageLevel;
  };
  const auto every = [&](LessonLevel shown) {
    std::vector<std::size_t> steps(lesson.count(shown));
    for (std::size_t n = 0; n < steps.size(); ++n) {
      steps[n] = n;
    }
    return steps;
  };
  if (!picked.empty()) {
    page.levels.push_back(levelOf(level, picked));
  } else {
    const LessonLevel other =
        level == LessonLevel::Overview ? LessonLevel::Detail : LessonLevel::Overview;
    page.levels.push_back(levelOf(level, every(level)));
    page.levels.push_back(levelOf(other, every(other)));
  }
  return pageHtml(page, sites);
}

QByteArray tourWebPage(const Picture& normal, const Tour& tour, const geometry::SiteColumns& sites,
                       std::uint32_t seed, PictureStyle style) {
  PageContent page{QString::fromUtf8(kTourTitle),
                   seedAndSites(seed, sites) +
                       QStringLiteral(" Each edge drawn, with the empty circle through its two "
                                      "sites, then how every pair ended."),
                   {{QStringLiteral("tour"), {}}},
                   quizRound(normal, sites, seed, style)};
  for (std::size_t n = 0; n < tour.count(); ++n) {
    page.levels.front().steps.push_back(
        {tourStepPicture(normal, tour, n, sites, style), tourStepLine(tour, sites, n)});
  }
  return pageHtml(page, sites);
}

QByteArray pictureWebPage(const Picture& normal, const geometry::SiteColumns& sites,
                          std::uint32_t seed, PictureStyle style) {
  Picture picture = styledPicture(normal, style);
  const QString description = QString::fromStdString(pictureDescription(picture));
  PageContent page{description,
                   seedAndSites(seed, sites) +
                       QStringLiteral(" The Voronoi edges in red, the Delaunay edges pale."),
                   {{QStringLiteral("picture"), {{std::move(picture), description.toStdString()}}}},
                   quizRound(normal, sites, seed, style)};
  return pageHtml(page, sites);
}

}  // namespace app
