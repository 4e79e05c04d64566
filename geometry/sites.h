#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>

#include "column.h"

namespace geometry {

// The sites of a run, numbered from 1 to nSites. Site s is stored at index s - 1 of the
// columns siteX and siteY; x(s) and y(s) read it by its number. x is held in double
// precision and y in single precision; the edge finder reads them as stored, so the sum or
// difference of two y values is a single-precision value.
struct SiteColumns {
  static constexpr int kSlots = 101;

  Column<double, kSlots> siteX{"siteX"};
  Column<float, kSlots> siteY{"siteY"};
  std::int16_t nSites = 0;

  [[nodiscard]] double x(int site) const { return siteX(site - 1); }
  [[nodiscard]] float y(int site) const { return siteY(site - 1); }

  // Stores a site after the last one, as site number nSites + 1.
  void append(double siteXValue, float siteYValue) {
    siteX(nSites) = siteXValue;
    siteY(nSites) = siteYValue;
    ++nSites;
  }
};

// A value for each possible site, read and written by site number (1 to 101). For tables
// that the edge finder fills from the site columns, so their numbers are always valid.
template <class T>
class PerSite {
 public:
  T& operator()(int site) { return values_[slot(site)]; }
  const T& operator()(int site) const { return values_[slot(site)]; }

 private:
  static std::size_t slot(int site) {
    assert(site >= 1 && site <= SiteColumns::kSlots);
    return static_cast<std::size_t>(site - 1);
  }
  std::array<T, SiteColumns::kSlots> values_{};
};

}  // namespace geometry
