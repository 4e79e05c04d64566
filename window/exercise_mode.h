#pragma once

#include <QObject>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "exercises/exercise.h"
#include "exercises/results_file.h"
#include "picture/picture.h"
#include "picture/picture_style.h"

namespace app {

// The window's exercises: a round of one kind on a layout drawn from a seed. Drawing the
// Delaunay edges: a click on a site and then another joins them, a click on an edge takes
// it away, Check grades the whole drawing. Finding the Voronoi edge and placing a cut: each
// question is answered with a click (or with "none", "passes", "blocks") and graded at
// once; Check goes on to the next. Every verdict is drawn with its proof and said in a
// sentence in the picture's box; the round keeps its score, and a move before Check can be
// taken back.
class ExerciseMode final : public QObject {
  Q_OBJECT

 public:
  explicit ExerciseMode(QObject* parent = nullptr);

  [[nodiscard]] bool active() const { return sites_.has_value(); }
  [[nodiscard]] ExerciseKind kind() const { return kind_; }
  void start(ExerciseKind kind, std::uint32_t seed, PictureStyle style);
  void leave();
  void setStyle(PictureStyle style);

  // A click at (x, y), window pixels.
  void click(double x, double y);
  // Grades the drawing; after a verdict, the next question, or a new round after the last.
  void check();
  // The answer without a point: no piece is the edge, or the site passes; or it blocks.
  void answerWithout(CutAnswer::Says says);
  // Takes back the last move not yet checked; false when there is none.
  bool takeBack();

  [[nodiscard]] const Picture& picture() const { return picture_; }
  [[nodiscard]] const std::string& line() const { return line_; }
  [[nodiscard]] const SitePositions& sites() const { return positions_; }
  [[nodiscard]] const std::vector<EdgeAnswer>& edges() const { return edges_; }
  [[nodiscard]] Score score() const { return scoreOf(kind_, verdicts_); }
  // The round as a results file keeps it, under the learner's name.
  [[nodiscard]] ExerciseResults results(const std::string& name) const;

 signals:
  void changed();

 private:
  void ask();
  void answer(const std::optional<PieceAnswer>& piece, const std::optional<CutAnswer>& cut);
  void draw();

  ExerciseKind kind_ = ExerciseKind::DelaunayEdges;
  std::uint32_t seed_ = 0;
  PictureStyle style_ = PictureStyle::Normal;
  SitePositions positions_;
  std::optional<geometry::SiteColumns> sites_;  // set while active
  Picture ground_;                              // the sites alone
  // Drawing: the edges so far, the site picked to join, and the drawings before each move.
  std::vector<EdgeAnswer> edges_;
  int picked_ = 0;
  std::vector<std::vector<EdgeAnswer>> before_;
  bool checked_ = false;
  // The questions of a round, the one asked, and every answer with its verdict.
  std::vector<PieceAnswer> pieceQuestions_;
  std::vector<CutAnswer> cutQuestions_;
  std::size_t asked_ = 0;
  bool answered_ = false;
  std::vector<PieceAnswer> pieceAnswers_;
  std::vector<CutAnswer> cutAnswers_;
  std::vector<Verdict> verdicts_;
  Picture picture_;
  std::string line_;
};

}  // namespace app
