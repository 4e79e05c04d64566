#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "geometry/sites.h"
#include "layout.h"
#include "random_numbers.h"
#include "run_canvas.h"

namespace app {

// What the run procedure made: its seed, its sites (in window pixels, and as the edge
// finder holds them) and the number of pairs drawn.
struct RunSummary {
  std::uint32_t seed;
  int nSites;
  int pairsDrawn;
  SitePositions positions;
  std::unique_ptr<geometry::SiteColumns> sites;
};

// The whole demonstration, run once on a canvas: shows it, seeds the random numbers, picks
// a pale pen colour, prints the "N=" label at a random spot, makes and marks the sites and
// draws the Voronoi and Delaunay edges. With given sites, their positions (window pixels)
// replace the count draw and the site draws; everything else is unchanged. A RunError
// stops the run and leaves what was drawn.
RunSummary runProcedure(RunCanvas& canvas, RandomSource& random,
                        const std::optional<SitePositions>& givenSites);

// The label for a site count: "N=" and the count as a number with its sign position, a
// space for a count that is not negative: "N= 23".
std::string labelText(int count);

}  // namespace app
