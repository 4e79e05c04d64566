#include "quiz.h"

#include <algorithm>
#include <random>

#include "explanation_picture.h"
#include "explanation_text.h"
#include "geometry/window_frame.h"

namespace app {

Quiz::Quiz(std::uint32_t seed, int nSites) {
  for (int i = 1; i < nSites; ++i) {
    for (int j = i + 1; j <= nSites; ++j) {
      order_.emplace_back(i, j);
    }
  }
  std::mt19937 engine(seed);
  std::shuffle(order_.begin(), order_.end(), engine);
}

std::pair<int, int> Quiz::nextPair() {
  if (answered_ == kQuestions) {  // a new round
    answered_ = 0;
    right_ = 0;
  }
  if (next_ == order_.size()) {  // every pair asked: round again
    next_ = 0;
  }
  return order_[next_++];
}

bool Quiz::answer(bool edgeGuessed, geometry::PairResult truth) {
  ++answered_;
  const bool correct = edgeGuessed == (truth == geometry::PairResult::Drawn);
  right_ += correct ? 1 : 0;
  return correct;
}

int answerNumber(bool edge) {
  return edge ? 1 : 2;
}

std::string answerWord(bool edge) {
  return edge ? "yes" : "no";
}

std::string pairQuestion(int i, int j) {
  return "Will " + std::to_string(i) + "-" + std::to_string(j) + " get an edge?";
}

std::string questionText(int i, int j) {
  return pairQuestion(i, j) + " " + answerWord(true) + " (" + std::to_string(answerNumber(true)) +
         ") or " + answerWord(false) + " (" + std::to_string(answerNumber(false)) + ")";
}

QuizQuestion quizQuestion(const geometry::SiteColumns& sites, int i, int j) {
  QuizQuestion question;
  question.i = i;
  question.j = j;
  question.lesson = lessonOf(geometry::explainPair(geometry::kWindowFrame, sites, i, j), sites);
  question.edge = question.lesson.account.outcome.result == geometry::PairResult::Drawn;
  question.reason = reasonOf(question.lesson);
  return question;
}

Picture askingPicture(const Picture& normal, const QuizQuestion& question,
                      const geometry::SiteColumns& sites, PictureStyle style) {
  return questionPicture(normal, question.lesson.account.pair, question.i, question.j, sites,
                         style);
}

Picture answerPicture(const Picture& normal, const QuizQuestion& question,
                      const geometry::SiteColumns& sites, PictureStyle style) {
  const Lesson& lesson = question.lesson;
  return levelStepPicture(normal, lesson, LessonLevel::Overview,
                          lesson.decidingStep(LessonLevel::Overview), sites, style, StepText::InBox,
                          LessonGround::WholeDiagram);  // answered now
}

std::string questionHead(std::size_t asked, std::size_t questions) {
  return "Question " + std::to_string(asked + 1) + " of " + std::to_string(questions) + ": ";
}

std::string lessonQuestion(int i, int j) {
  return "Is " + std::to_string(i) + "-" + std::to_string(j) + " an edge?";
}

std::string verdictOpening(bool right) {
  return right ? "Right." : "Not so.";
}

std::string scoreText(const std::string& right, const std::string& answered) {
  return "Score: " + right + " of " + answered + ".";
}

std::string scoreText(int right, int answered) {
  return scoreText(std::to_string(right), std::to_string(answered));
}

std::string reasonOf(const Lesson& lesson) {
  const geometry::PairAccount& a = lesson.account;
  const std::string i = std::to_string(a.i), j = std::to_string(a.j);
  switch (a.outcome.result) {
    case geometry::PairResult::Drawn:
      return "Yes: the circle about the midpoint of piece " + std::to_string(a.outcome.piece) +
             " through sites " + i + " and " + j + " holds no other site.";
    case geometry::PairResult::Blocked:
      return "No: site " + std::to_string(a.outcome.blockedBy) + " lies on site " + j +
             "'s side of site " + i + ", nearer to it, and blocks the pair.";
    case geometry::PairResult::Shadowed:
      break;
  }
  std::vector<std::size_t> all(a.pieces.size());
  for (std::size_t n = 0; n < all.size(); ++n) {
    all[n] = n;
  }
  const std::vector<int> shadowers = shadowersOf(a, all);
  const std::string names = numberList(shadowers);
  return "No: along the whole line of " + i + "-" + j + ", " +
         (shadowers.size() == 1 ? "site " : "sites ") + names + " " +
         (shadowers.size() == 1 ? "is" : "are") + " nearer than sites " + i + " and " + j + ".";
}

}  // namespace app
