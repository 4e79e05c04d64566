#include <algorithm>
#include <cctype>

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

void CutPointRound::answerRightly() {
  if (asking()) {
    const CutAnswer& question = questionCuts_[asked_];
    cutAnswers_.push_back(rightCut(sites_, question.i, question.j, question.k));
    everyProof_ = true;
    answered(gradeCut(sites_, cutAnswers_.back()));
  }
}

std::string CutPointRound::question() const {
  if (questionCuts_.empty()) {
    return {};
  }
  const CutAnswer& asked = questionCuts_[asked_];
  return "where does the bisector of " + std::to_string(asked.k) + " and " +
         std::to_string(asked.i) + " cut the bisector of " + std::to_string(asked.i) + " and " +
         std::to_string(asked.j) + "?";
}

Picture CutPointRound::mark(Marks& marks) const {
  if (questionCuts_.empty()) {
    return ground_;
  }
  const CutAnswer& current = questionCuts_[asked_];
  const geometry::PairAccount a = geometry::explainPair(kWindowFrame, sites_, current.i, current.j);
  StepDrawing& drawing = marks.drawing;
  drawing.line(a.pair.startX, a.pair.startY, a.pair.endX, a.pair.endY, kBisector);
  drawing.ring(current.i, kPairSite);
  drawing.ring(current.j, kPairSite);
  drawing.ring(current.k, kCompetitorLine, 8);
  const std::string I = std::to_string(current.i), J = std::to_string(current.j),
                    K = std::to_string(current.k);
  marks.legend = {{kBisector, "bisector of " + I + " and " + J},
                  {kPairSite, "sites " + I + " and " + J, true},
                  {kCompetitorLine, "site " + K, true}};
  if (!answered_) {
    marks.line = std::string(infoOf(kind_).title) + ". " + questionHead() + question() +
                 " Click there, or P: it passes, K: it blocks." + scoreWords();
    return ground_;
  }
  drawing.competitorLine(a, current.k);
  marks.legend.push_back({kCompetitorLine, "bisector of " + K + " and " + I});
  const auto step =
      std::find_if(a.competitors.begin(), a.competitors.end(),
                   [&](const geometry::CompetitorStep& s) { return s.site == current.k; });
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
  if (everyProof_) {  // the key: the right answer, after the current
    const std::string& line = verdicts_.back().line;
    const std::string answer = line.substr(line.find(": ") + 2);
    marks.line = questionHead() + question() + " " +
                 static_cast<char>(std::toupper(static_cast<unsigned char>(answer[0]))) +
                 answer.substr(1) + ".";
  } else {
    marks.line = verdicts_.back().line + "." + scoreWords() + " G: next question.";
  }
  return ground_;
}

}  // namespace app
