#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "geometry/sites.h"
#include "layout.h"
#include "picture/picture.h"
#include "picture_recorder.h"

namespace app {

// A finished run: its layout, its sites as the edge finder holds them, its picture and the
// pairs it drew, in scan order; or, when the run stopped, what stopped it and what it had
// drawn.
struct RunResult {
  Layout layout;
  std::shared_ptr<const geometry::SiteColumns> sites;
  Picture picture;
  std::vector<DrawnPair> drawnPairs;
  std::string error;  // empty when the run completed

  [[nodiscard]] bool completed() const { return error.empty(); }
  // The drawn pairs as (i, j), i < j.
  [[nodiscard]] std::vector<std::pair<int, int>> edgePairs() const;
};

// Runs the demonstration for the request in the window's frame and records its picture.
RunResult runDemonstration(const RunRequest& request);

}  // namespace app
