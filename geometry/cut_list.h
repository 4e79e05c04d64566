#pragma once

#include <cstdint>

#include "checked_int16.h"
#include "column.h"
#include "heap_sort.h"

namespace geometry {

// The points that cut the current pair's bisector: entry n is (cutX(n), cutY(n)), made by
// the site cutSite(n). Entries 0 to cutCount - 1 belong to the current pair. The columns
// are made once for a run and never cleared: a pair writes its entries over whatever an
// earlier pair left, and the slots beyond its own count keep stale values that nothing
// reads.
struct CutList {
  static constexpr int kSlots = 2001;
  // cutSite of the start and of the end point of the stretch; a cut point carries the
  // number of the competitor whose line made it. The drawing never reads it: it tells an
  // explanation of a pair which site made each entry, and travels with its entry through
  // the sort.
  static constexpr int kStartPoint = 0;
  static constexpr int kEndPoint = -1;

  Column<double, kSlots> cutX{"cutX"};
  Column<double, kSlots> cutY{"cutY"};
  Column<int, kSlots> cutSite{"cutSite"};
  std::int16_t cutCount = 0;

  // Starts a pair's list with the start point.
  void seed(double x, double y) {
    cutCount = 1;
    write(0, x, y, kStartPoint);
  }

  // Counts the entry first (a 16-bit addition), then writes it at cutCount - 1.
  void append(double x, double y, int site) {
    cutCount = add16(cutCount, 1, "cutCount + 1");
    write(cutCount - 1, x, y, site);
  }

  // Sorts entries 0 to cutCount - 1 by ascending x with hSort. append keeps cutCount
  // within the columns, and the sort touches no slot from cutCount upwards, so it works on
  // the bare slots.
  void sort() {
    hSort(cutCount, Slots<double>{cutX.data()}, Slots<double>{cutY.data()},
          Slots<int>{cutSite.data()});
  }

 private:
  void write(int index, double x, double y, int site) {
    cutX(index) = x;
    cutY(index) = y;
    cutSite(index) = site;
  }
};

}  // namespace geometry
