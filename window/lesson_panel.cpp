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
                         std::function<void(geometry::PairResult)> answer)
    : QWidget(nullptr, Qt::Tool | Qt::WindowDoesNotAcceptFocus),
      heading_(new QLabel(this)),
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
  for (const geometry::PairResult result : geometry::kPairResults) {
    auto* button = new QPushButton(QStringLiteral("%1: %2")
                                       .arg(answerNumber(result))
                                       .arg(QLatin1String(geometry::resultName(result))),
                                   answers_);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [answer, result] { answer(result); });
    buttons->addWidget(button);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addWidget(answers_);
  layout->addWidget(steps_, 1);
  answers_->hide();
  connect(steps_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
    if (!filling_ && !steps_->textCursor().hasSelection()) {
      chooseStep_(static_cast<std::size_t>(steps_->textCursor().blockNumber()));
    }
  });
}

void LessonPanel::showLesson(const Lesson& lesson, std::size_t step, const QString& heading,
                             const std::vector<StepAgreement>& exact) {
  heading_->setText(heading);
  answers_->hide();
  QString text;
  for (std::size_t n = 0; n < lesson.steps.size(); ++n) {
    const bool differs = n < exact.size() && exact[n].differs;
    text +=
        (n == step ? QStringLiteral("\u25B6 ") : QStringLiteral("   ")) +
        (differs ? QStringLiteral("\u2260 ") : QString()) +
        QString::fromStdString(stepLine(lesson, n)) +
        (differs
             ? QStringLiteral(" [exact arithmetic %1]").arg(QString::fromStdString(exact[n].line()))
             : QString()) +
        QLatin1Char('\n');
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
  steps_->setPlainText(QStringLiteral("pair %1-%2: is its edge %3? The steps follow the answer.")
                           .arg(i)
                           .arg(j)
                           .arg(QString::fromStdString(answerChoices())));
  filling_ = false;
}

QPoint panelPosition(const QRect& window, const QSize& panel, const QRect& available) {
  constexpr int kGap = 8;
  const int top = std::clamp(window.top(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - panel.height()));
  if (window.right() + kGap + panel.width() <= available.right() + 1) {
    return {window.right() + kGap + 1, top};
  }
  if (window.left() - kGap - panel.width() >= available.left()) {
    return {window.left() - kGap - panel.width(), top};
  }
  // No room on either side: over the window, against the screen's right edge.
  return {std::max(available.left(), available.right() + 1 - panel.width()), top};
}

}  // namespace app
