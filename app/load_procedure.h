#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "geometry/form.h"
#include "geometry/sites.h"
#include "random_numbers.h"
#include "site_generation.h"

namespace app {

// What a run made: its seed, its sites (in window pixels, and as the edge finder holds
// them) and the number of pairs drawn.
struct RunSummary {
  std::uint32_t seed;
  int nSites;
  int pairsDrawn;
  std::vector<SitePosition> positions;
  std::unique_ptr<geometry::SiteColumns> sites;
};

// The whole demonstration, run once on a form: shows it, seeds the random numbers, picks a
// pale pen colour, prints the "N=" label at a random spot, makes and marks the sites and
// draws the Voronoi and Delaunay edges. With given sites, their positions (window pixels)
// replace the count draw and the site draws; everything else is unchanged. A RunError
// stops the run and leaves what was drawn.
RunSummary runLoadProcedure(geometry::Form& form, RandomSource& random,
                            const std::vector<SitePosition>* givenSites = nullptr);

// The label for a site count: "N=" and the count as a number with its sign position, a
// space for a count that is not negative: "N= 23".
std::string labelText(int count);

}  // namespace app
