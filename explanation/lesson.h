#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "delaunay_proof.h"
#include "geometry/sites.h"
#include "steps/literal_steps.h"

namespace app {

// A lesson tells a pair's account at two levels: an overview of at most six steps, each
// saying in plain words and window pixels what a learner checks on the picture, and the
// detail, one step for every step of the algorithm, its points in window pixels with one
// decimal (the account, accountText, has them to the last digit of the edge finder's).
enum class LessonLevel { Overview, Detail };

// What a detail step shows.
enum class StepKind {
  Pair,        // the two sites and their bisector clipped to the box
  Competitor,  // one competitor's screening: its cut point, why it passes, or the block
  SortedCuts,  // the cut list in ascending x, each entry numbered by its place
  Piece,       // one tested piece: its midpoint and the circle about it through site i
  Result,      // what is drawn
};

struct LessonStep {
  StepKind kind;
  std::size_t index = 0;      // the competitor or the piece, in the account's order
  std::string text;           // one line, in the words of the account
  std::string headline = {};  // what it says without numbers, for a slide
};

// What an overview step shows.
enum class OverviewKind {
  Question,   // the two sites, their segment and their bisector, the line the edge lies on
  Screening,  // every competitor at once: the cut points, or the site that blocks the pair
  Order,      // the cut points in order along the line, and the pieces between them
  Shadows,    // the shadowed pieces, each in the colour of a site nearer to its midpoint
  Decision,   // the open piece and its empty circle, or the last piece and its shadow
  Result,     // the edges drawn, or nothing
};

struct OverviewStep {
  OverviewKind kind;
  std::string text;  // why, in plain words: at most two lines of about 90 characters
  std::size_t firstDetail, lastDetail;  // the detail steps it gathers, from 0
  std::vector<std::size_t> pieces;      // for Shadows: the pieces it shows, by index
  std::string headline = {};            // the text in a sentence that fits under a slide
};

struct Lesson {
  geometry::PairAccount account;
  std::vector<LessonStep> steps;  // the detail
  std::vector<OverviewStep> overview;
  // For a shadowed pair, why no circle through its sites is empty, in exact arithmetic:
  // a site on their segment, or two sites either side of their line whose circles hold
  // each other. A pair the edge finder shadows may still have an empty circle (about a
  // centre beyond the stretch's ends), or four sites on one circle: then no proof.
  EdgeProof shadowProof{};

  // The proof in words, beginning in lower case: "every circle through 1 and 14 holds site
  // 26 or site 37: the circle through 1, 14 and 26 holds 37, the one through 1, 14 and 37
  // holds 26", or "site 5 lies on the segment from 1 to 3, so every circle through them
  // holds it". Only where provesShadow().
  [[nodiscard]] std::string shadowReason() const;
  [[nodiscard]] bool provesShadow() const {
    return account.outcome.result == geometry::PairResult::Shadowed &&
           (shadowProof.verdict == EdgeProof::Verdict::SiteOnSegment ||
            shadowProof.verdict == EdgeProof::Verdict::HeldCircles);
  }

  [[nodiscard]] std::size_t count(LessonLevel level) const {
    return level == LessonLevel::Detail ? steps.size() : overview.size();
  }
  // The step that decided the outcome, counted from 0: in the detail, the competitor that
  // blocked the pair, or the last piece tested (the open one, or the last shadowed one); in
  // the overview, the step that gathers it, or for a shadowed pair with a proof the step
  // that gives it.
  [[nodiscard]] std::size_t decidingStep(LessonLevel level = LessonLevel::Detail) const;
  // Where a step of one level lies at the other: the first detail step an overview step
  // gathers, or the overview step that gathers a detail step.
  [[nodiscard]] std::size_t stepAtOtherLevel(LessonLevel from, std::size_t step) const;
};

Lesson lessonOf(geometry::PairAccount account, const geometry::SiteColumns& sites);

// Whether a competitor cuts the line at a point outside the window's picture.
bool cutBeyondPicture(const geometry::CompetitorStep& step);

// The sites that shadow the account's pieces (given by index), each once, in the order they
// first shadow one: for each piece the nearest site to its midpoint, the one a reader sees.
std::vector<int> shadowersOf(const geometry::PairAccount& a,
                             const std::vector<std::size_t>& pieces);

// "step N: text", N counted from 1: a detail step.
std::string stepLine(const Lesson& lesson, std::size_t step);
// A step of either level; an overview step ends with the detail steps it gathers,
// "step 2: ... [detail steps 2-38]".
std::string stepLine(const Lesson& lesson, LessonLevel level, std::size_t step);

// The rule the edge finder follows, with its words defined: at most 150 words, for the
// lesson's first page, the help and the README.
extern const char* const kLessonRule;

}  // namespace app
