#include "editing_session.h"

#include "picture/number_text.h"

namespace app {

std::string EditingSession::line() const {
  const auto site = history_.lastPressed();
  if (!site) {
    return {};
  }
  const SitePosition at = history_.layout().sites[*site];
  return "Site " + std::to_string(*site + 1) + " selected, at (" + shortestText(at.x) + ", " +
         shortestText(at.y) + "): the arrow keys move it a pixel at a time.";
}

}  // namespace app
