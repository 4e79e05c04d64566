// Feeds raw bytes to the exercise results parser. Every file it accepts must be written back
// to the same results, and, for a layout small enough to grade quickly, graded without fault.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "exercises/results_file.h"
#include "run/accepted_sites.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parsed = app::parseResults(
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  const auto* results = std::get_if<app::ExerciseResults>(&parsed);
  if (results == nullptr) {
    return 0;  // a refused file: the reason is the whole outcome
  }
  const QByteArray written = app::resultsJson(*results);
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
