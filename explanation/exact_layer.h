#pragma once

#include <utility>
#include <vector>

#include "geometry/sites.h"
#include "picture/picture.h"

namespace app {

// The marks of the exact layer for the pairs whose outcome differs between the floats and
// exact arithmetic: the edges that only the floats draw in solid orange, those that only
// exact arithmetic draws in dashed green (the pen colour is pale cyan), each three pixels
// wide, a count in the top-right corner ("2 pairs differ from exact arithmetic") and a
// legend line for each. Uses no Qt, so that it can be made off the interface thread.
Picture exactLayerPicture(const geometry::SiteColumns& sites,
                          const std::vector<std::pair<int, int>>& differing);

}  // namespace app
