// Feeds raw bytes to the exercise results parser. Every file it accepts must be written back
// to the same results, and, for a layout small enough to grade quickly, graded without fault.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "exercises/results_file.h"
#include "run/accepted_sites.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parsed =
      app::parseResults(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto* results = std::get_if<app::ExerciseResults>(&parsed);
  if (results == nullptr) {
    return 0;  // a refused file: the reason is the whole outcome
  }
  const std::string written = app::resultsJson(*results);
  const auto again = app::parseResults(written);
  if (!std::holds_alternative<app::ExerciseResults>(again) ||
      app::resultsJson(std::get<app::ExerciseResults>(again)) != written) {
    __builtin_trap();
  }
  if (results->sites.size() <= 16) {
    const geometry::SiteColumns sites = *app::acceptedSites(results->sites);
    if (!app::layoutProblem(sites)) {
      app::gradeResults(*results, sites);
    }
  }
  return 0;
}
