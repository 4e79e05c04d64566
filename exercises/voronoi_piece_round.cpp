#include <algorithm>
#include <cmath>

#include "explanation/explanation_picture.h"
#include "explanation/explanation_text.h"
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

void VoronoiPieceRound::answerRightly() {
  if (asking()) {
    const PieceAnswer& question = questionPairs_[asked_];
    pieceAnswers_.push_back(rightPiece(sites_, question.i, question.j));
    everyProof_ = true;
    answered(gradePiece(sites_, pieceAnswers_.back()));
  }
}

std::string VoronoiPieceRound::question() const {
  if (questionPairs_.empty()) {
    return {};
  }
  const PieceAnswer& asked = questionPairs_[asked_];
  return "which piece of " + pairName(asked.i, asked.j) + "'s bisector is its Voronoi edge?";
}

Picture VoronoiPieceRound::mark(Marks& marks) const {
  if (questionPairs_.empty()) {
    return ground_;
  }
  const PieceAnswer& current = questionPairs_[asked_];
  const Lesson lesson =
      lessonOf(geometry::explainPair(kWindowFrame, sites_, current.i, current.j), sites_);
  const auto sortedStep =
      std::find_if(lesson.steps.begin(), lesson.steps.end(),
                   [](const LessonStep& s) { return s.kind == StepKind::SortedCuts; });
  Picture picture = lessonStepPicture(ground_, lesson,
                                      static_cast<std::size_t>(sortedStep - lesson.steps.begin()),
                                      sites_, marks.style, StepText::Beside);
  const geometry::PairAccount& a = lesson.account;
  // Each piece the picture shows carries its number, "p2" between the cut points #1 and #2,
  // at the middle of the part shown; one too short to see gets a dot.
  const int pieceCount = static_cast<int>(a.sorted.size()) - 1;
  for (int p = 1; p <= pieceCount; ++p) {
    if (const auto shown = visiblePiece(a, p)) {
      if (shown->length < kShortestVisiblePiece) {
        marks.drawing.dot(shown->middle, kBisector);
      }
      marks.labels.push_back({shown->middle, "p" + std::to_string(p), kBisector});
    }
  }
  marks.legend.push_back({kBisector, "p2: piece 2, from cut point #1 to #2"});
  if (!answered_) {
    marks.line = std::string(infoOf(kind_).title) + ". " + questionHead() + question() +
                 " Click it, or P for none." + scoreWords();
    return picture;
  }
  const PieceAnswer& given = pieceAnswers_.back();
  const int edge = a.outcome.result == geometry::PairResult::Drawn ? a.outcome.piece : 0;
  const auto show = [&](int piece, Colour colour, bool withCircle = true) {
    const PieceShadow shadow = pieceShadow(sites_, a, piece);
    const geometry::PieceStep step{piece, shadow.midX, shadow.midY, shadow.nearer};
    marks.drawing.piece(a, step, colour, 3);
    if (withCircle) {
      marks.drawing.circleAbout(a, step, shadow.nearer == 0 ? kEmptyCircle : kBlocking);
    }
    if (shadow.nearer != 0) {
      marks.drawing.ring(shadow.nearer, kBlocking, 8);
      marks.drawing.lineToSite(shadow.midX, shadow.midY, shadow.nearer, kBlocking);
    }
  };
  if (everyProof_) {
    // The key: every piece the picture shows before the edge (every piece, where there is
    // none), each with the site nearer to its midpoint.
    const int pieces = edge == 0 ? static_cast<int>(a.sorted.size()) - 1 : edge - 1;
    for (int p = 1; p <= pieces; ++p) {
      const PieceShadow shadow = pieceShadow(sites_, a, p);
      if (kWindowFrame.shows(shadow.midX, shadow.midY)) {
        show(p, kTestedPiece, false);
      }
    }
    const std::string I = std::to_string(current.i), J = std::to_string(current.j);
    marks.legend.push_back({kTestedPiece, "a piece with a site nearer to its midpoint than " + I +
                                              " and " + J + ", joined to it"});
    marks.line = questionHead() + question() + " " +
                 (edge == 0 ? "None: a site lies nearer to the midpoint of every piece than " + I +
                                  " and " + J + " do."
                            : "Piece " + std::to_string(edge) + ": its circle through " + I +
                                  " and " + J + " holds no other site" +
                                  (edge == 1 ? "." : "; each piece before it has a nearer site."));
  } else if (given.piece != 0 && given.piece != edge) {
    show(given.piece, kTestedPiece);
    const int nearer = pieceShadow(sites_, a, given.piece).nearer;
    marks.legend.push_back({kTestedPiece, "piece " + std::to_string(given.piece) + ", clicked"});
    marks.legend.push_back(
        nearer == 0
            ? LegendEntry{kEmptyCircle, "circle about its midpoint: empty", true}
            : LegendEntry{kBlocking,
                          "circle about its midpoint, holding site " + std::to_string(nearer),
                          true});
  }
  if (edge != 0) {
    show(edge, kSurvivingPiece);
    marks.legend.push_back({kSurvivingPiece, "the edge, with its empty circle"});
  }
  if (!everyProof_) {
    marks.line = verdicts_.back().line + "." + scoreWords() + " G: next question.";
  }
  return picture;
}

}  // namespace app
