#include "exercise_sheet.h"

#include <memory>

#include "exercise_round.h"
#include "explanation/quiz.h"

namespace app {

namespace {

// Where the student writes, after a question.
constexpr const char* kAnswerRoom = "____________";

// How the task is done with a pen.
const char* paperTask(ExerciseKind kind) {
  switch (kind) {
    case ExerciseKind::DelaunayEdges:
      return "Draw the Delaunay edges with a ruler: join two sites wherever a circle through "
             "both holds no other site. Each right edge scores, each wrong one takes a point "
             "away.";
    case ExerciseKind::VoronoiPiece:
      return "Each picture shows a pair's bisector cut into numbered pieces by the other "
             "sites' bisectors. Write the number of the piece that is the pair's Voronoi "
             "edge, or none.";
    case ExerciseKind::CutPoint:
      return "Each picture shows a pair's bisector and a third site. Mark with a cross where "
             "the third site's bisector with the pair's first site cuts the line, or write "
             "passes or blocks.";
  }
  return "";
}

// What a question of the kind leaves room for.
std::string answerRoom(ExerciseKind kind) {
  switch (kind) {
    case ExerciseKind::DelaunayEdges:
      return "";
    case ExerciseKind::VoronoiPiece:
      return std::string(" Piece: ") + kAnswerRoom;
    case ExerciseKind::CutPoint:
      return std::string(" A cross, or: ") + kAnswerRoom;
  }
  return "";
}

}  // namespace

ExerciseSheet exerciseSheet(ExerciseKind kind, std::uint32_t seed, bool key) {
  const std::unique_ptr<ExerciseRound> round = ExerciseRound::start(kind, seed);
  ExerciseSheet sheet{
      kind,
      seed,
      std::string(infoOf(kind).title) + ": seed " + std::to_string(seed) + (key ? ", the key" : ""),
      paperTask(kind),
      {}};
  const std::size_t questions = round->questionCount();
  for (std::size_t n = 0; n < questions; ++n) {
    const std::string asked = kind == ExerciseKind::DelaunayEdges
                                  ? std::string()
                                  : questionHead(n, questions) + round->question();
    if (!key) {
      sheet.questions.push_back(
          {round->shown(PictureStyle::PrintLargeText, StepText::Beside).picture,
           asked + answerRoom(kind)});
    }
    round->answerRightly();
    if (key) {
      ShownRound shown = round->shown(PictureStyle::PrintLargeText, StepText::Beside);
      sheet.questions.push_back({std::move(shown.picture), std::move(shown.line)});
    }
    round->check();
  }
  return sheet;
}

}  // namespace app
