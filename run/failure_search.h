#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "layout.h"
#include "picture/colour.h"

namespace app {

// A layout where the edge finder's floats and exact arithmetic draw different edges, and the
// pairs (i, j) that differ.
struct RoundingFailure {
  Layout layout;
  std::vector<std::pair<int, int>> pairs;
};

// Searches near the layout, deterministically, for a rounding failure: it takes three sites,
// moves a fourth onto the circle through them (the nearest point of the circle to where it
// is), and then by units in the last place of its stored y, until the six pairs of the four
// sites include one whose outcome differs between the floats and exact arithmetic. Nothing
// is found when the time runs out first.
std::optional<RoundingFailure> findRoundingFailure(
    const Layout& start, std::chrono::milliseconds budget = std::chrono::seconds(5));

// The pairs of the layout whose outcome differs between the floats and exact arithmetic,
// in scan order; `stop` is asked between pairs and ends the comparison early when true.
std::vector<std::pair<int, int>> pairsDifferingFromExact(const Layout& layout,
                                                         const std::function<bool()>& stop);

// A map of one decision: for each of kNudgeMapSize x kNudgeMapSize moves of site k by whole
// units in the last place of its stored x (across, from -128 to 127) and stored y (down),
// whether the floats and exact arithmetic agree on the pair (i, j) there. Row-major, y first.
// Nothing when the budget runs out first: a layout of many exact ties (sites on a lattice)
// leaves every move to rationals, and a map of it would take half a minute.
inline constexpr int kNudgeMapSize = 256;
inline constexpr std::chrono::seconds kNudgeMapBudget{10};
std::optional<std::vector<bool>> nudgeMap(const Layout& layout, int i, int j, int k,
                                          std::chrono::milliseconds budget = kNudgeMapBudget);

// The colours of the nudge map's pixels, row-major: dark where the floats and exact
// arithmetic agree, bright where not, and the middle pixel, where site k is, green or red.
std::vector<Colour> nudgeMapColours(const std::vector<bool>& agree);

}  // namespace app
