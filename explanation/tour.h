#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "geometry/sites.h"
#include "picture/picture.h"
#include "picture/picture_style.h"
#include "step_drawing.h"
#include "steps/literal_steps.h"

namespace app {

// A tour of the diagram: one step for each drawn pair, showing its Voronoi edge, its
// Delaunay edge and the empty circle about its edge's midpoint through its two sites; then a
// last step with the whole picture and how the pairs ended. The tour starts where the
// picture is least crowded: at the drawn pair with the fewest other sites near the middle of
// its Delaunay edge, of those whose empty circle the picture shows whole; it goes on in scan
// order, round to the pairs before it.
struct Tour {
  std::vector<geometry::PairAccount> drawn;  // the drawn pairs' accounts, in the tour's order
  int pairs = 0, blocked = 0, shadowed = 0;

  [[nodiscard]] std::size_t count() const { return drawn.size() + 1; }
};

// What the tour is called, in its panel, slides and page.
inline constexpr const char* kTourTitle = "A tour of the edges";

Tour tourOf(const geometry::SiteColumns& sites);

// "step N: ...", N counted from 1.
std::string tourStepLine(const Tour& tour, const geometry::SiteColumns& sites, std::size_t step);
// What a step says without its coordinates, short enough for a slide.
std::string tourStepHeadline(const Tour& tour, std::size_t step);

// The picture of a step: the run's picture dimmed with the pair's edges standing out and its
// empty circle, or at the last step the whole picture, each with its line in a box.
Picture tourStepPicture(const Picture& normal, const Tour& tour, std::size_t step,
                        const geometry::SiteColumns& sites,
                        PictureStyle style = PictureStyle::Normal, StepText text = StepText::InBox);

}  // namespace app
