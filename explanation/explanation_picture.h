#pragma once

#include "geometry/literal_steps.h"
#include "geometry/sites.h"
#include "picture/picture.h"

namespace app {

// The picture of a pair's account, over the normal picture dimmed: the pair's bisector
// across the window, each cut point as a tick labelled with the competitor that made it,
// the shadowed pieces faint and the surviving piece bright red, the pair's two sites
// ringed and every site numbered; for a blocked pair the blocking site ringed and the
// quadrant of site j around site i marked. A box at the bottom-left says the result.
Picture explanationPicture(const Picture& normal, const geometry::PairAccount& account,
                           const geometry::SiteColumns& sites);

}  // namespace app
