#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "exercise.h"

namespace app {

// A round of an exercise as its results file keeps it: JSON with the kind, the learner's
// name (may be empty), the seed, the sites in window pixels as in a site list, the answers
// and the score the window gave. Sites are numbered from 1 in list order.
//   {"kind": "delaunay-edges", "name": "Ada", "seed": 5, "sites": [[100, 100], ...],
//    "answers": [[1, 2], [2, 5]], "score": 3}
//   {"kind": "voronoi-piece", ..., "answers": [{"pair": [1, 2], "answer": 3},
//                                              {"pair": [2, 4], "answer": "none"}], ...}
//   {"kind": "cut-point", ..., "answers": [{"pair": [1, 2], "site": 4, "answer": [310.5, 200]},
//                                          {"pair": [1, 3], "site": 2, "answer": "passes"},
//                                          {"pair": [2, 3], "site": 5, "answer": "blocks"}], ...}
struct ExerciseResults {
  ExerciseKind kind = ExerciseKind::DelaunayEdges;
  std::string name;
  std::uint32_t seed = 0;
  SitePositions sites;
  std::vector<EdgeAnswer> edges;    // delaunay-edges
  std::vector<PieceAnswer> pieces;  // voronoi-piece
  std::vector<CutAnswer> cuts;      // cut-point
  int score = 0;
};

std::string resultsJson(const ExerciseResults& results);

// The results in a file's bytes, or why they are not a results file. Every site number
// is checked against the sites, every site against the rules of a site list.
std::variant<ExerciseResults, std::string> parseResults(std::string_view bytes);

// Every verdict on the results, recomputed from the sites and the answers alone.
struct GradedResults {
  std::vector<Verdict> verdicts;
  Score score;
  bool storedScoreMatches = false;
};
GradedResults gradeResults(const ExerciseResults& results, const geometry::SiteColumns& sites);

}  // namespace app
