#pragma once

#include <string>
#include <vector>

#include "lesson.h"
#include "steps/exact_steps.h"

namespace app {

// Whether exact arithmetic agrees with a step of the lesson, and how: where it differs, the
// comparison that flipped (the sign of P, which distance is the smaller, the order of the
// sorted cut points, the site that shadows a piece), with how many units in the last place
// the float value lies from the exact one where there is a value; where it agrees, that
// distance, if the step has a value.
struct StepAgreement {
  bool differs;
  std::string how;

  // "agrees", "agrees (how)" or "differs: how".
  [[nodiscard]] std::string line() const;
};

// For each step of the lesson, whether exact arithmetic agrees.
std::vector<StepAgreement> exactAgreement(const Lesson& lesson,
                                          const geometry::ExactAccount& exact);

}  // namespace app
