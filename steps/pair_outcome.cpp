#include "pair_outcome.h"

namespace geometry {

std::string_view resultName(PairResult result) {
  switch (result) {
    case PairResult::Blocked:
      return "blocked";
    case PairResult::Shadowed:
      return "shadowed";
    case PairResult::Drawn:
      break;
  }
  return "drawn";
}

std::string outcomeWords(PairResult result, int blockedBy, int piece) {
  switch (result) {
    case PairResult::Drawn:
      return "drawn, piece " + std::to_string(piece);
    case PairResult::Blocked:
      return "blocked by " + std::to_string(blockedBy);
    case PairResult::Shadowed:
      break;
  }
  return std::string(resultName(result));
}

std::string_view screeningName(Screening screening) {
  switch (screening) {
    case Screening::Cut:
      return "cut";
    case Screening::Parallel:
      return "parallel";
    case Screening::OutsideQuadrant:
      return "passed (outside the quadrant)";
    case Screening::NotNearer:
      return "passed (not nearer)";
    case Screening::Blocked:
      break;
  }
  return "blocked";
}

}  // namespace geometry
