#include "shown_picture.h"

#include <utility>

#include "nearest_site_probe.h"

namespace app {

Picture shownPicture(const SessionMode& mode, const Overlays& overlays, const SitePositions& sites,
                     PictureStyle style) {
  if (overlays.blank) {
    return {};
  }
  Picture marks;
  if (overlays.exact != nullptr) {
    marks = *overlays.exact;
  }
  if (overlays.probe) {
    addNearestSiteProbe(marks, sites, overlays.pointerX, overlays.pointerY);
  }
  Picture shown = mode.picture();
  const Picture styledMarks = styledPicture(std::move(marks), style);
  shown.insert(shown.end(), styledMarks.begin(), styledMarks.end());
  return shown;
}

}  // namespace app
