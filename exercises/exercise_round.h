#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "exercise.h"
#include "explanation/step_drawing.h"
#include "picture/picture.h"
#include "picture/picture_style.h"
#include "results_file.h"

namespace app {

// What a round shows: its picture, in a style, and the sentence that asks or answers.
struct ShownRound {
  Picture picture;
  std::string line;
};

// A round of an exercise on a layout drawn from a seed, as a learner plays it in the window
// or on a page: clicks in window pixels, the answers without a point, the check, and taking
// a move back. Every verdict is drawn with its proof and said in the round's sentence; the
// round keeps its score and its answers for a results file. Each kind is a class of its own.
class ExerciseRound {
 public:
  virtual ~ExerciseRound() = default;
  ExerciseRound(const ExerciseRound&) = delete;
  ExerciseRound& operator=(const ExerciseRound&) = delete;

  // A new round of the kind on the seed's exercise layout (a runtime_error where the seed
  // gives none: see exerciseLayout).
  static std::unique_ptr<ExerciseRound> start(ExerciseKind kind, std::uint32_t seed);

  [[nodiscard]] ExerciseKind kind() const { return kind_; }
  [[nodiscard]] std::uint32_t seed() const { return seed_; }
  [[nodiscard]] const SitePositions& sites() const { return positions_; }

  // A click at (x, y), window pixels.
  virtual void click(double x, double y) = 0;
  // The answer without a point: no piece is the edge, or the site passes; or it blocks.
  virtual void answerWithout(CutAnswer::Says says) = 0;
  // Grades the drawing; after a verdict, the next question, or the round anew after the
  // last.
  virtual void check() = 0;
  // Takes back the last move not yet checked; false when there is none.
  virtual bool takeBack() = 0;
  // The answer key's move: every Delaunay edge drawn and checked, or the question asked
  // answered rightly. From then on the picture draws the proof of every answer, not only
  // of the one given, and the sentence says the answer with its reason.
  virtual void answerRightly() = 0;

  // How many questions the round asks: one for the drawing.
  [[nodiscard]] virtual std::size_t questionCount() const = 0;
  // What the round asks now, in words that need no window: "which piece of 2-5's bisector
  // is its Voronoi edge?"
  [[nodiscard]] virtual std::string question() const = 0;

  [[nodiscard]] Score score() const { return scoreOf(kind_, verdicts_); }
  // The round as a results file keeps it, under the learner's name.
  [[nodiscard]] ExerciseResults results(const std::string& name) const;
  // What the round shows now; with StepText::Beside the sentence is not drawn in the
  // picture, for a page that prints it beneath.
  [[nodiscard]] ShownRound shown(PictureStyle style, StepText text = StepText::InBox) const;

 protected:
  ExerciseRound(ExerciseKind kind, std::uint32_t seed);

  // The round's own marks, their legend and its sentence (round_marks.h). Returns the
  // picture under the marks: the sites alone, or a lesson step's.
  struct Marks;
  virtual Picture mark(Marks& marks) const = 0;
  // Whether the picture under the marks is a lesson step's, drawn in the style already and
  // numbering the sites itself; otherwise it is the sites alone, in the normal style.
  [[nodiscard]] virtual bool underIsLessonStep() const { return false; }

  // The score as the sentence ends it: " Score: 3 of 5."
  [[nodiscard]] std::string scoreWords() const;

  ExerciseKind kind_;
  std::uint32_t seed_;
  SitePositions positions_;
  geometry::SiteColumns sites_;
  Picture ground_;  // the sites alone
  std::vector<Verdict> verdicts_;
  std::vector<EdgeAnswer> edgeAnswers_;
  std::vector<PieceAnswer> pieceAnswers_;
  std::vector<CutAnswer> cutAnswers_;
  bool everyProof_ = false;  // the answer key's picture and sentence (answerRightly)
};

// Drawing the Delaunay edges: a click on a site and then another joins them, a click on an
// edge takes it away, the check grades the whole drawing.
class DelaunayEdgesRound final : public ExerciseRound {
 public:
  explicit DelaunayEdgesRound(std::uint32_t seed);
  void click(double x, double y) override;
  void answerWithout(CutAnswer::Says) override {}
  void check() override;
  bool takeBack() override;
  void answerRightly() override;
  [[nodiscard]] std::size_t questionCount() const override { return 1; }
  [[nodiscard]] std::string question() const override;
  [[nodiscard]] const std::vector<EdgeAnswer>& edges() const { return edgeAnswers_; }

 private:
  Picture mark(Marks& marks) const override;
  int picked_ = 0;                               // the site picked to join, or 0
  std::vector<std::vector<EdgeAnswer>> before_;  // the drawings before each move
  bool checked_ = false;
};

// The rounds of questions, one pair at a time, each answered and graded at once; the check
// goes on to the next question.
class QuestionRound : public ExerciseRound {
 public:
  void check() override;
  bool takeBack() override { return false; }

 protected:
  QuestionRound(ExerciseKind kind, std::uint32_t seed);
  // "Question 2 of 5: "
  [[nodiscard]] std::string questionHead() const;
  [[nodiscard]] bool asking() const { return !answered_ && asked_ < questionCount(); }
  void answered(Verdict verdict);
  std::size_t asked_ = 0;
  bool answered_ = false;
};

// Finding a pair's Voronoi edge among the pieces of its bisector: a click on a piece, or
// "none".
class VoronoiPieceRound final : public QuestionRound {
 public:
  explicit VoronoiPieceRound(std::uint32_t seed);
  void click(double x, double y) override;
  void answerWithout(CutAnswer::Says says) override;
  void answerRightly() override;
  [[nodiscard]] std::size_t questionCount() const override { return questionPairs_.size(); }
  [[nodiscard]] std::string question() const override;

 private:
  Picture mark(Marks& marks) const override;
  [[nodiscard]] bool underIsLessonStep() const override { return true; }
  std::vector<PieceAnswer> questionPairs_;
};

// Placing where another site's bisector cuts a pair's: a click there, or "passes" or
// "blocks".
class CutPointRound final : public QuestionRound {
 public:
  explicit CutPointRound(std::uint32_t seed);
  void click(double x, double y) override;
  void answerWithout(CutAnswer::Says says) override;
  void answerRightly() override;
  [[nodiscard]] std::size_t questionCount() const override { return questionCuts_.size(); }
  [[nodiscard]] std::string question() const override;

 private:
  Picture mark(Marks& marks) const override;
  std::vector<CutAnswer> questionCuts_;
};

}  // namespace app
