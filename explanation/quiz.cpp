#include "quiz.h"

#include <algorithm>
#include <random>

#include "explanation_picture.h"
#include "explanation_text.h"
#include "geometry/window_frame.h"
#include "seeded_order.h"

namespace app {

Quiz::Quiz(std::uint32_t seed, int nSites, const std::vector<std::pair<int, int>>& edges)
    : engine_(seed) {
  for (int i = 1; i < nSites; ++i) {
    for (int j = i + 1; j <= nSites; ++j) {
      const bool edge = std::find(edges.begin(), edges.end(), std::pair{i, j}) != edges.end();
      (edge ? edges_ : others_).pairs.emplace_back(i, j);
    }
  }
  shuffleWith(engine_, edges_.pairs);
  shuffleWith(engine_, others_.pairs);
  moreEdges_ = engine_() % 2 == 0;
}

// The next kQuestions pairs: half with an edge and half without, the odd one alternating
// between the kinds from round to round, more of one kind where the layout has too few of
// the other, and no pair twice; in an order of their own. Fewer than kQuestions pairs in
// all are planned all at once, and the round goes on with the next plan.
void Quiz::planRound() {
  const auto available = [](const Kind& kind) { return static_cast<int>(kind.pairs.size()); };
  int fromEdges = std::min(kQuestions / 2 + (moreEdges_ ? kQuestions % 2 : 0), available(edges_));
  const int fromOthers = std::min(kQuestions - fromEdges, available(others_));
  fromEdges = std::min(kQuestions - fromOthers, available(edges_));
  moreEdges_ = !moreEdges_;
  const auto take = [this](Kind& kind, int count) {
    for (int n = 0; n < count; ++n) {
      if (kind.next == kind.pairs.size()) {  // every pair of the kind asked: again
        kind.next = 0;
      }
      round_.push_back(kind.pairs[kind.next++]);
    }
  };
  take(edges_, fromEdges);
  take(others_, fromOthers);
  shuffleWith(engine_, round_);
}

std::pair<int, int> Quiz::nextPair() {
  if (answered_ == kQuestions) {  // a new round
    answered_ = 0;
    right_ = 0;
  }
  if (round_.empty()) {
    planRound();
  }
  const std::pair<int, int> pair = round_.back();
  round_.pop_back();
  return pair;
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
                      const geometry::SiteColumns& sites, PictureStyle style, AnswerKeys keys) {
  return questionPicture(normal, question.lesson.account.pair, question.i, question.j, sites, style,
                         keys);
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
  if (lesson.provesShadow()) {
    return "No: " + lesson.shadowReason() + ".";
  }
  // No proof in exact arithmetic: what the edge finder found.
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
