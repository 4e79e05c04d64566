#pragma once

#include <cmath>
#include <cstdint>
#include <type_traits>

#include "checked_int16.h"

namespace geometry {

// Sorts records 0 to NN - 1 of three parallel columns in place by ascending s1; s2 and s3
// travel with their key. Each column is indexed column(slot) with its own bounds check, and
// slots from NN upwards are never touched.
//
// A heap sort that moves records by copying: the record being sifted waits in a held copy
// and is written once, into the position the sift leaves free. Positions count from 1
// (position p is slot p - 1; its children are 2p and 2p + 1). The sort is not stable, and
// the order of equal keys is part of the result: while building the heap the right child
// is taken only when its key is strictly larger, while extracting when it is larger or
// equal, and a sift stops at a child whose key is not larger than the held key.
template <class Column1, class Column2, class Column3>
void hSort(const std::int16_t& NN, Column1&& s1, Column2&& s2, Column3&& s3) {
  struct Held {
    std::remove_cvref_t<decltype(s1(0))> k;
    std::remove_cvref_t<decltype(s2(0))> v2;
    std::remove_cvref_t<decltype(s3(0))> v3;
  };
  const auto hold = [&](int slot) { return Held{s1(slot), s2(slot), s3(slot)}; };
  const auto put = [&](int slot, const Held& r) {
    s1(slot) = r.k;
    s2(slot) = r.v2;
    s3(slot) = r.v3;
  };
  const auto move = [&](int fromSlot, int toSlot) { put(toSlot, hold(fromSlot)); };
  const auto key = [&](int position) { return s1(position - 1); };

  // Sifts the held record down from position p in a heap of `size` positions, moving each
  // larger child up into the free position, and writes the record where the sift stops.
  // Between children with equal keys the right one is taken only when `rightOnTie`.
  const auto siftDown = [&](int p, int size, const Held& held, bool rightOnTie) {
    while (2 * p <= size) {
      int q = 2 * p;
      if (q + 1 <= size && (rightOnTie ? key(q) <= key(q + 1) : key(q) < key(q + 1))) {
        q = q + 1;
      }
      if (key(q) <= held.k) {
        break;
      }
      move(q - 1, p - 1);
      p = q;
    }
    put(p - 1, held);
  };

  // Build a max-heap, from the last position that has a child down to the root.
  const auto startPosition = static_cast<int>(std::floor(static_cast<double>(NN) / 2.0));
  for (int i = startPosition; i >= 1; --i) {
    siftDown(i, NN, hold(i - 1), false);
  }

  // Move the largest key to the end of the shrinking heap, then sift the displaced record
  // down from the root.
  const std::int16_t last = sub16(NN, 1, "NN - 1");
  for (std::int16_t h = last; h >= 1; --h) {
    const Held held = hold(h);
    move(0, h);
    siftDown(1, h, held, true);
  }
}

}  // namespace geometry
