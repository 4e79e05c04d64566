#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "geometry/sites.h"
#include "steps/literal_steps.h"

namespace app {

// What a step of a lesson shows.
enum class StepKind {
  Pair,        // the two sites and their bisector clipped to the box
  Competitor,  // one competitor's screening: its cut point, why it passes, or the block
  SortedCuts,  // the cut list in ascending x, each entry numbered by its place
  Piece,       // one tested piece: its midpoint and the circle about it through site i
  Result,      // what is drawn
};

struct LessonStep {
  StepKind kind;
  std::size_t index = 0;  // the competitor or the piece, in the account's order
  std::string text;       // one line, in the words of the account
};

// The lesson of a pair: its account (the literal steps) told as a numbered list of steps:
// the pair, each competitor screened until the screening ends, the sorted cut list, each
// piece tested until the first open one, and the result.
struct Lesson {
  geometry::PairAccount account;
  std::vector<LessonStep> steps;

  // The step that decided the outcome, counted from 0: the competitor that blocked the
  // pair, or the last piece tested (the open one, or the last shadowed one).
  [[nodiscard]] std::size_t decidingStep() const;
};

Lesson lessonOf(geometry::PairAccount account, const geometry::SiteColumns& sites);

// "step N: text", N counted from 1.
std::string stepLine(const Lesson& lesson, std::size_t step);

}  // namespace app
