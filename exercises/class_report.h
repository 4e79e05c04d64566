#pragma once

#include <string>
#include <vector>

namespace app {

// How --grade reports on a class's files.
enum class ReportForm {
  // For each file its verdict lines and last "right R, wrong W, missed M" (with ", stored
  // score differs" when the file's score is not the recomputed one), each line after the
  // file's name and a colon.
  Lines,
  // A header and a line a file, for a class's table: file, name, kind, seed, right, wrong,
  // missed, score, out of, whether the stored score matched, and for a file skipped, only
  // its name and why.
  Table,
  // What a teacher explains again: how many files, the mean and median score, and for each
  // layout that files share, the edges or questions most got wrong, hardest first.
  Summary,
};

// The class's report. A folder stands for its results files (.json). A file that cannot be
// read, is no results file, whose layout's drawn edges are not exactly its Delaunay edges,
// or whose sites are not the layout of the seed it names, is named with the reason among
// the problems and skipped.
struct ClassReport {
  std::string lines, problems;
  int skipped = 0;
};
ClassReport gradeFiles(const std::vector<std::string>& names, ReportForm form);

}  // namespace app
