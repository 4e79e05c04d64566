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

// What --grade prints for files: for each, its verdict lines and last "right R, wrong W,
// missed M" (with ", stored score differs" when the file's score is not the recomputed one),
// each line after the file's name and a colon; or with csv, a header and a line a file (its
// name, the learner's name, the kind, right, wrong, missed, and whether the stored score
// matched). A folder stands for its results files (.json). A file that cannot be read, is
// no results file, whose layout's drawn edges are not exactly its Delaunay edges, or whose
// sites are not the layout of the seed it names, is named with the reason among the
// problems and skipped.
struct ClassReport {
  std::string lines, problems;
  int skipped = 0;
};
ClassReport gradeFiles(const std::vector<std::string>& names, bool csv);

}  // namespace app
