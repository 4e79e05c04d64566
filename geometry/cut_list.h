#pragma once

#include <cstdint>

#include "checked_int16.h"
#include "column.h"
#include "heap_sort.h"

namespace geometry {

// The points that cut the current pair's bisector: entry n is (cutX(n), cutY(n),
// cutTag(n)), and entries 0 to cutCount - 1 belong to the current pair. The columns are
// made once for a run and never cleared: a pair writes its entries over whatever an
// earlier pair left, and the slots beyond its own count keep stale values that nothing
// reads.
struct CutList {
  static constexpr int kSlots = 2001;
  // The tag every entry carries; the sort moves it with its entry and nothing reads it.
  static constexpr double kTag = 2.1;

  Column<double, kSlots> cutX{"cutX"};
  Column<double, kSlots> cutY{"cutY"};
  Column<double, kSlots> cutTag{"cutTag"};
  std::int16_t cutCount = 0;

  // Starts a pair's list with its first entry.
  void seed(double x, double y) {
    cutCount = 1;
    write(0, x, y);
  }

  // Counts the entry first (a 16-bit addition), then writes it at cutCount - 1.
  void append(double x, double y) {
    cutCount = add16(cutCount, 1, "cutCount + 1");
    write(cutCount - 1, x, y);
  }

  // Sorts entries 0 to cutCount - 1 by ascending x with hSort. append keeps cutCount
  // within the columns, and the sort touches no slot from cutCount upwards, so it works on
  // the bare slots.
  void sort() {
    hSort(cutCount, Slots<double>{cutX.data()}, Slots<double>{cutY.data()},
          Slots<double>{cutTag.data()});
  }

 private:
  void write(int index, double x, double y) {
    cutX(index) = x;
    cutY(index) = y;
    cutTag(index) = kTag;
  }
};

}  // namespace geometry
