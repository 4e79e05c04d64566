#include "lesson.h"

#include "explanation_text.h"

namespace app {

Lesson lessonOf(geometry::PairAccount account, const geometry::SiteColumns& sites) {
  Lesson lesson{std::move(account), {}};
  const geometry::PairAccount& a = lesson.account;
  lesson.steps.push_back({StepKind::Pair, 0, pairLine(a, sites)});
  for (std::size_t n = 0; n < a.competitors.size(); ++n) {
    const geometry::CompetitorStep& step = a.competitors[n];
    lesson.steps.push_back(
        {StepKind::Competitor, n,
         "site " + std::to_string(step.site) + ": " + competitorLine(step, a.j)});
  }
  if (a.outcome.result != geometry::PairResult::Blocked) {
    std::string sorted = "sorted cut list (entry: x, y, made by): ";
    for (std::size_t e = 0; e < a.sorted.size(); ++e) {
      sorted += (e == 0 ? "" : "; ") + cutEntryLine(a.sorted[e], e);
    }
    lesson.steps.push_back({StepKind::SortedCuts, 0, sorted});
    for (std::size_t n = 0; n < a.pieces.size(); ++n) {
      lesson.steps.push_back({StepKind::Piece, n, pieceLine(a.pieces[n], a.i)});
    }
  }
  lesson.steps.push_back({StepKind::Result, 0, resultSentence(a)});
  return lesson;
}

std::size_t Lesson::decidingStep() const {
  // The step before the result: the block, or the last piece tested.
  return steps.size() - 2;
}

std::string stepLine(const Lesson& lesson, std::size_t step) {
  return "step " + std::to_string(step + 1) + ": " + lesson.steps[step].text;
}

}  // namespace app
