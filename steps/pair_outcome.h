#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "geometry/open_piece.h"

namespace geometry {

// How the edge finder's work on a pair ends, and how the screening of one competitor ends,
// with the words every output uses for them.

// How the screening of one competitor k ended. Its line is k's bisector with site i; the
// stretch is the pair's bisector inside the domain box.
enum class Screening {
  Cut,              // the line crosses the stretch, or passes through an end of it
                    // while k lies in j's quadrant and nearer to i than j: a cut point
  Parallel,         // it would cut, but its line is parallel to the stretch: no point
  OutsideQuadrant,  // not in j's quadrant around i; its line misses the stretch or only
                    // passes through an end of it
  NotNearer,        // in j's quadrant, but not nearer to i than j is; its line misses
                    // the stretch or only passes through an end of it
  Blocked,          // in j's quadrant, nearer than j, and its line misses the stretch:
                    // the pair is blocked and the screening stops
};

// What the pair comes to: a competitor blocks it, every piece of its bisector is shadowed,
// or a piece survives and its edges are drawn.
enum class PairResult { Blocked, Shadowed, Drawn };

struct PairOutcome {
  PairResult result;
  int blockedBy = 0;        // for Blocked
  int piece = 0;            // for Drawn: the surviving piece
  std::int16_t cutCount{};  // cut-list entries when the screening ended
  Piece drawn{};            // for Drawn: the piece's ends as stored
};

// How a pair ends, as far as two ways of following its steps are compared: the result,
// with the blocking site or the drawn piece's number.
struct PairVerdict {
  PairResult result = PairResult::Shadowed;
  int blockedBy = 0;
  int piece = 0;
  bool operator==(const PairVerdict&) const = default;
};
inline PairVerdict verdictOf(const PairOutcome& outcome) {
  return {outcome.result, outcome.blockedBy, outcome.piece};
}

// "blocked", "shadowed" or "drawn".
std::string_view resultName(PairResult result);

// The outcome in a few words: "drawn, piece P", "blocked by K" or "shadowed".
std::string outcomeWords(PairResult result, int blockedBy, int piece);
inline std::string outcomeWords(const PairOutcome& outcome) {
  return outcomeWords(outcome.result, outcome.blockedBy, outcome.piece);
}

// "cut", "parallel", "passed (outside the quadrant)", "passed (not nearer)" or "blocked".
std::string_view screeningName(Screening screening);

}  // namespace geometry
