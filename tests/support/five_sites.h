#pragma once

#include <string>
#include <vector>

#include "geometry/window_frame.h"

namespace testing_support {

// Five hand-made sites, in window pixels, whose pairs the edge finder treats in every way
// and whose pair 1-2 has a lesson of 8 steps. In the edge finder's coordinates site 1 is
// (15300, 10260) and site 2 (15500, 10460): their bisector is y = -x + 25760, from
// (5440, 20320) to (25760, 0). Site 3's bisector with site 1 is y = 0.5 x + 2622.5, meeting
// the pair's at x = 15425; site 4's is y = -2 x + 41310, meeting it at x = 15550; site 5
// lies beyond site 2 on the same line, farther. Piece 1's midpoint (10432.5, 15327.5) is
// nearer to site 3 (15290, 10280) than to site 1: 4857.5^2 + 5047.5^2 < 4867.5^2 + 5067.5^2;
// piece 2's, (15487.5, 10272.5), is 35312.5 from site 1 squared, and farther from every
// other site.
inline const std::vector<geometry::SitePosition> kFiveSites{
    {100, 100}, {300, 300}, {90, 120}, {460, 280}, {400, 400}};

// The five sites as a site list without a seed, one "x y" line a site.
inline const std::string kFiveSitesList = "100 100\n300 300\n90 120\n460 280\n400 400\n";

}  // namespace testing_support
