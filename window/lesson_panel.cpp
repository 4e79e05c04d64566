#include "lesson_panel.h"

#include <QHBoxLayout>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

#include "explanation/exact_comparison.h"
#include "explanation/quiz.h"

namespace app {

namespace {

constexpr int kPanelWidth = 430;

}  // namespace

LessonPanel::LessonPanel(std::function<void(std::size_t)> chooseStep,
                         std::function<void(bool)> answer)
    : QWidget(nullptr, Qt::Tool | Qt::WindowDoesNotAcceptFocus),
      heading_(new QLabel(this)),
      rule_(new QLabel(QString::fromUtf8(kLessonRule), this)),
      steps_(new QPlainTextEdit(this)),
      answers_(new QWidget(this)),
      chooseStep_(std::move(chooseStep)) {
  setWindowTitle(QStringLiteral("Steps"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  resize(kPanelWidth, 475);
  heading_->setWordWrap(true);
  heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  steps_->setReadOnly(true);
  steps_->setFocusPolicy(Qt::NoFocus);
  auto* buttons = new QHBoxLayout(answers_);
  buttons->setContentsMargins(0, 0, 0, 0);
  for (const bool edge : {true, false}) {
    auto* button = new QPushButton(QStringLiteral("%1: %2")
                                       .arg(answerNumber(edge))
                                       .arg(QString::fromStdString(answerWord(edge))),
                                   answers_);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [answer, edge] { answer(edge); });
    buttons->addWidget(button);
  }
  rule_->setWordWrap(true);
  rule_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addWidget(rule_);
  layout->addWidget(answers_);
  layout->addWidget(steps_, 1);
  answers_->hide();
  connect(steps_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
    if (!filling_ && !steps_->textCursor().hasSelection()) {
      chooseStep_(static_cast<std::size_t>(steps_->textCursor().blockNumber()));
    }
  });
}

void LessonPanel::showLesson(const Lesson& lesson, LessonLevel level, std::size_t step,
                             const QString& heading, const std::vector<StepAgreement>& exact) {
  // An overview step differs when a detail step it gathers does.
  const auto differsAt = [&](std::size_t n) -> const StepAgreement* {
    if (level == LessonLevel::Detail) {
      return n < exact.size() && exact[n].differs ? &exact[n] : nullptr;
    }
    for (std::size_t d = lesson.overview[n].firstDetail;
         d <= lesson.overview[n].lastDetail && d < exact.size(); ++d) {
      if (exact[d].differs) {
        return &exact[d];
      }
    }
    return nullptr;
  };
  QStringList lines;
  for (std::size_t n = 0; n < lesson.count(level); ++n) {
    const StepAgreement* differing = differsAt(n);
    lines << (differing != nullptr ? QStringLiteral("\u2260 ") : QString()) +
                 QString::fromStdString(stepLine(lesson, level, n)) +
                 (differing == nullptr ? QString()
                  : level == LessonLevel::Detail
                      ? QStringLiteral(" [exact arithmetic %1]")
                            .arg(QString::fromStdString(differing->line()))
                      // The overview says it in words; its detail steps give the numbers.
                      : QStringLiteral(" [exact arithmetic decides otherwise here: rounding "
                                       "tipped a near tie; Return shows the detail]"));
  }
  showSteps(lines, step, heading);
}

void LessonPanel::showSteps(const QStringList& lines, std::size_t step, const QString& heading) {
  heading_->setText(heading);
  answers_->hide();
  QString text;
  for (qsizetype n = 0; n < lines.size(); ++n) {
    text +=
        (static_cast<std::size_t>(n) == step ? QStringLiteral("\u25B6 ") : QStringLiteral("   ")) +
        lines[n] + QLatin1Char('\n');
  }
  text.chop(1);
  filling_ = true;
  steps_->setPlainText(text);
  QTextCursor at(steps_->document()->findBlockByNumber(static_cast<int>(step)));
  steps_->setTextCursor(at);
  steps_->ensureCursorVisible();
  filling_ = false;
}

void LessonPanel::showQuestion(int i, int j, const QString& heading) {
  heading_->setText(heading);
  answers_->show();
  filling_ = true;
  steps_->setPlainText(QString::fromStdString(questionText(i, j)) +
                       QStringLiteral(". The lesson follows the answer."));
  filling_ = false;
}

PanelPlace panelPosition(const QRect& window, const QSize& panel, const QRect& available) {
  constexpr int kGap = 8;
  const int top = std::clamp(window.top(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - panel.height()));
  const QPoint stays = window.topLeft();
  if (window.right() + kGap + panel.width() <= available.right() + 1) {
    return {stays, {window.right() + kGap + 1, top}};
  }
  if (window.left() - kGap - panel.width() >= available.left()) {
    return {stays, {window.left() - kGap - panel.width(), top}};
  }
  const int panelLeft = available.right() + 1 - panel.width();
  if (window.width() + kGap + panel.width() <= available.width()) {
    return {{panelLeft - kGap - window.width(), window.top()}, {panelLeft, top}};
  }
  // No room for both: over the window, against the screen's right edge.
  return {stays, {std::max(available.left(), panelLeft), top}};
}

}  // namespace app
