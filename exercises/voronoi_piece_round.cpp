#include <algorithm>
#include <cmath>

#include "explanation/explanation_picture.h"
#include "explanation/lesson.h"
#include "round_marks.h"

namespace app {

using geometry::kWindowFrame;

namespace {

// How far from the bisector, across it, a click still picks a piece (pixels).
constexpr double kPieceGrab = 12;

}  // namespace

VoronoiPieceRound::VoronoiPieceRound(std::uint32_t seed)
    : QuestionRound(ExerciseKind::VoronoiPiece, seed) {
  questionPairs_ = pieceQuestions(sites_, seed);
}

void VoronoiPieceRound::click(double x, double y) {
  if (!asking()) {
    return;
  }
  const PieceAnswer& question = questionPairs_[asked_];
  const geometry::PairAccount a =
      geometry::explainPair(kWindowFrame, sites_, question.i, question.j);
  // The piece whose stretch of the bisector lies under the click.
  const double along = x + static_cast<double>(kWindowFrame.offsetX());
  const double onLine = kWindowFrame.windowY(a.pair.m1 * along + a.pair.c1);
  if (std::abs(onLine - y) > kPieceGrab * std::sqrt(1 + a.pair.m1 * a.pair.m1)) {
    return;
  }
  for (std::size_t p = 1; p < a.sorted.size(); ++p) {
    if (along >= a.sorted[p - 1].x && along <= a.sorted[p].x) {
      const PieceAnswer given{question.i, question.j, static_cast<int>(p)};
      pieceAnswers_.push_back(given);
      answered(gradePiece(sites_, given));
      return;
    }
  }
}

void VoronoiPieceRound::answerWithout(CutAnswer::Says says) {
  if (asking() && says == CutAnswer::Says::Passes) {
    PieceAnswer none = questionPairs_[asked_];
    none.piece = 0;
    pieceAnswers_.push_back(none);
    answered(gradePiece(sites_, none));
  }
}

Picture VoronoiPieceRound::mark(Marks& marks) const {
  if (questionPairs_.empty()) {
    return ground_;
  }
  const PieceAnswer& question = questionPairs_[asked_];
  const Lesson lesson =
      lessonOf(geometry::explainPair(kWindowFrame, sites_, question.i, question.j), sites_);
  const auto sortedStep =
      std::find_if(lesson.steps.begin(), lesson.steps.end(),
                   [](const LessonStep& s) { return s.kind == StepKind::SortedCuts; });
  Picture picture = lessonStepPicture(ground_, lesson,
                                      static_cast<std::size_t>(sortedStep - lesson.steps.begin()),
                                      sites_, PictureStyle::Normal, StepText::Beside);
  const geometry::PairAccount& a = lesson.account;
  const std::string pair = std::to_string(question.i) + "-" + std::to_string(question.j);
  if (!answered_) {
    marks.line = std::string(infoOf(kind_).title) + ". " + questionHead() + "which piece of " +
                 pair + "'s bisector is its Voronoi edge? Click it, or P for none." + scoreWords();
    return picture;
  }
  const PieceAnswer& given = pieceAnswers_.back();
  const int edge = a.outcome.result == geometry::PairResult::Drawn ? a.outcome.piece : 0;
  const auto show = [&](int piece, Colour colour) {
    const PieceShadow shadow = pieceShadow(sites_, a, piece);
    const geometry::PieceStep step{piece, shadow.midX, shadow.midY, shadow.nearer};
    marks.drawing.piece(a, step, colour, 3);
    marks.drawing.circleAbout(a, step, shadow.nearer == 0 ? kEmptyCircle : kBlocking);
    if (shadow.nearer != 0) {
      marks.drawing.ring(shadow.nearer, kBlocking, 8);
      marks.drawing.lineToSite(shadow.midX, shadow.midY, shadow.nearer, kBlocking);
    }
  };
  if (given.piece != 0 && given.piece != edge) {
    show(given.piece, kTestedPiece);
  }
  if (edge != 0) {
    show(edge, kSurvivingPiece);
  }
  marks.line = verdicts_.back().line + "." + scoreWords() + " G: next question.";
  return picture;
}

}  // namespace app
