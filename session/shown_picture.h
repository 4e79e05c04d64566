#pragma once

#include "picture/picture.h"
#include "picture/picture_style.h"
#include "run/layout.h"
#include "session_mode.h"

namespace app {

// What lies over every mode's picture, as the window and the web page both show it.
struct Overlays {
  bool blank = false;              // the screen blanked (a presenter's remote)
  const Picture* exact = nullptr;  // the exact layer's marks, once compared; not in a lesson
  bool probe = false;              // the nearest-site circle at the pointer
  double pointerX = -100, pointerY = -100;
};

// The picture a session shows: nothing while blanked, otherwise the active mode's picture
// with the overlays' marks over it, in the style.
Picture shownPicture(const SessionMode& mode, const Overlays& overlays, const SitePositions& sites,
                     PictureStyle style);

}  // namespace app
