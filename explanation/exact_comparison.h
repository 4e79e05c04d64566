#pragma once

#include <string>
#include <vector>

#include "geometry/exact_steps.h"
#include "lesson.h"

namespace app {

// For each step of the lesson, whether exact arithmetic agrees: "agrees", or "differs:"
// with both outcomes and the comparison that flipped (the sign of P, which distance is the
// smaller, the order of the sorted cut points, the site that shadows a piece), with how many
// units in the last place the float value lies from the exact one where there is a value.
std::vector<std::string> exactAgreement(const Lesson& lesson, const geometry::ExactAccount& exact);

// Whether the step's line of exactAgreement says that exact arithmetic differs.
inline bool differs(const std::string& agreement) {
  return agreement.starts_with("differs");
}

}  // namespace app
