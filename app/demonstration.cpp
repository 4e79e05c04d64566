#include "demonstration.h"

#include "geometry/run_error.h"
#include "random_numbers.h"

namespace app {

void Demonstration::start(std::optional<std::uint32_t> seed,
                          const std::vector<SitePosition>* given) {
  Random random(seed);
  try {
    RunSummary summary = runLoadProcedure(form_, random, given);
    if (onRun) {
      onRun(summary);
    }
    layout_ = Layout{summary.seed, std::move(summary.positions)};
    sites_ = std::move(summary.sites);
  } catch (const geometry::RunError& error) {
    if (onError) {
      onError(error.what());
    }
  }
}

}  // namespace app
