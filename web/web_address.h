#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exercises/exercise.h"
#include "picture/layers.h"
#include "picture/picture_style.h"
#include "run/layout.h"

namespace app {

// What the web edition shows, as its address carries it after the '#', so that a copied
// link opens exactly what was shown:
//   seed=42                   the run's seed;
//   sites=100,100;300.5,300.25  the sites in window pixels, when they are not the seed's
//                             own (numbers as a site list writes them);
//   pair=1-7                  the lesson of a pair, with
//   detail                    its detail level (the overview without it), and
//   step=3                    the step shown, from 1 (also the tour's);
//   tour                      the tour of the drawn pairs;
//   exercise=delaunay-edges   an exercise (voronoi-piece, cut-point) on the seed's layout;
//   style=projector           the projector style;
//   hide=voronoi,label        the layers hidden (voronoi, delaunay, circles, label).
// Parts are joined by '&', in any order; each is percent-decoded, and one that is not
// well-formed escaping is taken as typed.
struct WebAddress {
  enum class View { Diagram, Pair, Tour, Exercise };

  std::optional<std::uint32_t> seed;
  std::optional<SitePositions> sites;
  View view = View::Diagram;
  int i = 0, j = 0;  // the pair, with View::Pair
  bool detail = false;
  std::size_t step = 0;  // from 1; 0 for none
  ExerciseKind exercise = ExerciseKind::DelaunayEdges;
  PictureStyle style = PictureStyle::Normal;
  ShownLayers layers{};

  bool operator==(const WebAddress&) const = default;
};

// The address read from the text after '#'. Parts that cannot be used are left out, each
// with a line in `problems` that says why; the rest is kept.
WebAddress parseAddress(std::string_view fragment, std::vector<std::string>& problems);

// The text after '#' that parseAddress reads back as the same address: the seed first, then
// the parts that differ from a plain picture in the normal style.
std::string addressText(const WebAddress& address);

}  // namespace app
