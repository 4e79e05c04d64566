#include "run.h"

#include <algorithm>

#include "geometry/run_error.h"
#include "picture_recorder.h"
#include "random_numbers.h"
#include "run_procedure.h"

namespace app {

std::vector<std::pair<int, int>> RunResult::edgePairs() const {
  std::vector<std::pair<int, int>> pairs;
  pairs.reserve(drawnPairs.size());
  for (const DrawnPair& drawn : drawnPairs) {
    pairs.emplace_back(std::min(drawn.i, drawn.j), std::max(drawn.i, drawn.j));
  }
  return pairs;
}

RunResult runDemonstration(const RunRequest& request) {
  PictureRecorder recorder;
  Random random(request.seed);
  RunResult result;
  try {
    RunSummary summary = runProcedure(recorder, random, request.sites);
    result.layout = Layout{summary.seed, std::move(summary.positions)};
    result.sites = std::move(summary.sites);
  } catch (const geometry::RunError& error) {
    result.error = error.what();
  }
  result.picture = recorder.takePicture();
  result.drawnPairs = recorder.takeDrawnPairs();
  return result;
}

}  // namespace app
