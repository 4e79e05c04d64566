#pragma once

#include <cstdint>

#include "column.h"

namespace geometry {

// The sites of a run. Site number s (1 to nSites) lives at index s - 1. x is held in
// double precision and y in single precision; the edge finder reads them as stored, so
// the sum or difference of two y values is a single-precision value.
struct SiteColumns {
  static constexpr int kSlots = 101;

  Column<double, kSlots> siteX{"siteX"};
  Column<float, kSlots> siteY{"siteY"};
  std::int16_t nSites = 0;
};

}  // namespace geometry
