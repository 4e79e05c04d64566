#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "explanation_picture.h"
#include "lesson.h"
#include "picture/picture.h"
#include "picture/picture_style.h"
#include "steps/pair_outcome.h"

namespace app {

// Rounds of questions on the pairs of a run: will the pair get an edge? Asked before the
// answer is shown, which a learner can predict from the picture alone. A round has
// kQuestions pairs, about as many with an edge as without (within one, as far as the layout
// has pairs of each), so that always answering "no" does not pass; the pairs come in an order
// given by the run's seed, the same in every build, so that a round can be repeated, and a
// pair comes again only after every other pair of its kind. Whether a question waits for
// its answer is up to whoever shows it.
class Quiz {
 public:
  static constexpr int kQuestions = 5;

  // `edges`: the pairs the run drew, each as (i, j) with i < j; at least two sites.
  Quiz(std::uint32_t seed, int nSites, const std::vector<std::pair<int, int>>& edges);

  // The pair of the next question; starts a new round after a whole one.
  std::pair<int, int> nextPair();
  // Counts an answer, whether the pair gets an edge, against the edge finder's outcome;
  // true when the guess was right.
  bool answer(bool edgeGuessed, geometry::PairResult truth);

  // The round so far: questions answered and right.
  [[nodiscard]] int answered() const { return answered_; }
  [[nodiscard]] int right() const { return right_; }
  [[nodiscard]] bool roundOver() const { return answered_ == kQuestions; }

 private:
  // The pairs of one kind, with an edge or without, in the seed's order; taken in turn.
  struct Kind {
    std::vector<std::pair<int, int>> pairs;
    std::size_t next = 0;
  };
  void planRound();

  std::mt19937 engine_;
  Kind edges_, others_;
  bool moreEdges_ = false;                  // whether this round takes the extra pair with an edge
  std::vector<std::pair<int, int>> round_;  // the round's pairs still to ask, last first
  int answered_ = 0, right_ = 0;
};

// The number of an answer, its key: 1 for yes, an edge, 2 for no.
int answerNumber(bool edge);
// "yes" or "no".
std::string answerWord(bool edge);

// The question about a pair: "Will 1-7 get an edge?"; with its answers and their numbers,
// as the window asks it: "Will 1-7 get an edge? yes (1) or no (2)".
std::string pairQuestion(int i, int j);
std::string questionText(int i, int j);

// A question of the quiz, made once for every place that asks it (the window, a web page,
// Moodle): the pair, the lesson that answers it, whether the pair gets an edge and why.
struct QuizQuestion {
  int i = 0, j = 0;
  Lesson lesson;
  bool edge = false;
  std::string reason;  // reasonOf(lesson)
};
QuizQuestion quizQuestion(const geometry::SiteColumns& sites, int i, int j);
// The question's pictures: while it is asked, the sites and the pair's bisector alone; once
// answered, the lesson's deciding overview step.
Picture askingPicture(const Picture& normal, const QuizQuestion& question,
                      const geometry::SiteColumns& sites, PictureStyle style,
                      AnswerKeys keys = AnswerKeys::Shown);
Picture answerPicture(const Picture& normal, const QuizQuestion& question,
                      const geometry::SiteColumns& sites, PictureStyle style);

// Where a round is: "Question 2 of 5: ", `asked` counted from 0.
std::string questionHead(std::size_t asked, std::size_t questions);

// The question a lesson of a pair answers, its title: "Is 1-7 an edge?"
std::string lessonQuestion(int i, int j);

// How an answer is met, before its reason: "Right." or "Not so."
std::string verdictOpening(bool right);
// "Score: 3 of 4." of the numbers, or of whatever stands for them.
std::string scoreText(const std::string& right, const std::string& answered);
std::string scoreText(int right, int answered);
// Said after the last answer of a round, where Q asks the next question.
inline constexpr const char* kRoundOver = "End of the round; Q starts the next.";

// Why the pair's answer is what it is, in one sentence about the picture of its lesson's
// deciding overview step, naming every site that picture rings: the empty circle through
// the pair's sites, the site on their segment or the two sites whose circles hold each
// other (else the sites nearer than site i along the whole line), or the site that blocks
// the pair.
std::string reasonOf(const Lesson& lesson);

}  // namespace app
