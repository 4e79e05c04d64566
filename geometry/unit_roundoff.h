#pragma once

#include <limits>

namespace geometry {

// The unit roundoff of a double, u = 2^-53: a rounding to nearest moves a value by at most
// u times itself. Every bound on the edge finder's and the exact verdicts' roundings is a
// multiple of it.
inline constexpr double kUnitRoundoff = std::numeric_limits<double>::epsilon() / 2;
static_assert(kUnitRoundoff == 0x1p-53);

}  // namespace geometry
