#include <algorithm>

#include "round_marks.h"

namespace app {

using geometry::kWindowFrame;

CutPointRound::CutPointRound(std::uint32_t seed) : QuestionRound(ExerciseKind::CutPoint, seed) {
  questionCuts_ = cutQuestions(sites_, seed);
}

void CutPointRound::click(double x, double y) {
  if (!asking()) {
    return;
  }
  CutAnswer placed = questionCuts_[asked_];
  placed.says = CutAnswer::Says::At;
  placed.x = x;
  placed.y = y;
  cutAnswers_.push_back(placed);
  answered(gradeCut(sites_, placed));
}

void CutPointRound::answerWithout(CutAnswer::Says says) {
  if (asking()) {
    CutAnswer without = questionCuts_[asked_];
    without.says = says;
    cutAnswers_.push_back(without);
    answered(gradeCut(sites_, without));
  }
}

Picture CutPointRound::mark(Marks& marks) const {
  if (questionCuts_.empty()) {
    return ground_;
  }
  const CutAnswer& question = questionCuts_[asked_];
  const geometry::PairAccount a =
      geometry::explainPair(kWindowFrame, sites_, question.i, question.j);
  StepDrawing& drawing = marks.drawing;
  drawing.line(a.pair.startX, a.pair.startY, a.pair.endX, a.pair.endY, kBisector);
  drawing.ring(question.i, kPairSite);
  drawing.ring(question.j, kPairSite);
  drawing.ring(question.k, kCompetitorLine, 8);
  const std::string I = std::to_string(question.i), J = std::to_string(question.j),
                    K = std::to_string(question.k);
  marks.legend = {{kBisector, "bisector of " + I + " and " + J},
                  {kPairSite, "sites " + I + " and " + J, true},
                  {kCompetitorLine, "site " + K, true}};
  if (!answered_) {
    marks.line = std::string(infoOf(kind_).title) + ". " + questionHead() +
                 "where does the bisector of " + K + " and " + I +
                 " cut this line? Click there, or P: it passes, K: it blocks." + scoreWords();
    return ground_;
  }
  drawing.competitorLine(a, question.k);
  marks.legend.push_back({kCompetitorLine, "bisector of " + K + " and " + I});
  const auto step =
      std::find_if(a.competitors.begin(), a.competitors.end(),
                   [&](const geometry::CompetitorStep& s) { return s.site == question.k; });
  if (step != a.competitors.end() && step->outcome == geometry::Screening::Cut) {
    marks.items.push_back(CircleItem{kWindowFrame.windowX(step->x), kWindowFrame.windowY(step->y),
                                     static_cast<float>(kCutTolerance), kSurvivingPiece, 2});
  } else if (step != a.competitors.end() && step->outcome == geometry::Screening::Blocked) {
    drawing.quadrant(a);
  }
  const CutAnswer& given = cutAnswers_.back();
  if (given.says == CutAnswer::Says::At) {
    marks.items.push_back(
        CircleItem{static_cast<float>(given.x), static_cast<float>(given.y), 2, kTick, 2});
  }
  marks.line = verdicts_.back().line + "." + scoreWords() + " G: next question.";
  return ground_;
}

}  // namespace app
