#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "geometry/dist.h"

// Bounds on the method's own roundings, in its own mixture of float and double.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdouble-promotion"
#pragma GCC diagnostic ignored "-Wfloat-equal"

namespace geometry {

// Interval arithmetic on doubles, for deciding exact comparisons without exact numbers: an
// Interval holds every value the exact computation could have, and a comparison is
// answered only when the intervals leave no doubt; otherwise it throws Undecided, and the
// caller decides exactly.
//
// The bound: each operation on the ends is rounded to nearest, so its result lies within
// half a unit in the last place of the exact value of that operation on those ends; moving
// the result one double outwards (nextDown, nextUp) therefore encloses it. The exact value
// of an operation on any values inside the operands lies between its values on the ends (+,
// - and * are monotonic in each operand once the ends are chosen by sign, / too when the
// divisor keeps its sign), so each result encloses the exact one. A result that overflows
// is infinite and decides nothing. Exact inputs (doubles, and floats widened to doubles)
// are intervals of one point.
struct Undecided {};

// The next double up or down from a finite x; infinities and NaN stay as they are.
inline double nextUp(double x) {
  if (!std::isfinite(x)) {
    return x;
  }
  if (x == 0) {
    return std::numeric_limits<double>::denorm_min();
  }
  // The bits by memcpy rather than std::bit_cast, which the WebAssembly build's library lacks.
  std::uint64_t bits = 0;
  std::memcpy(&bits, &x, sizeof bits);
  bits = x > 0 ? bits + 1 : bits - 1;
  std::memcpy(&x, &bits, sizeof bits);
  return x;
}
inline double nextDown(double x) {
  return -nextUp(-x);
}

struct Interval {
  double lo, hi;

  Interval(double exact) : lo(exact), hi(exact) {}  // NOLINT: a double is exact
  Interval(double low, double high) : lo(low), hi(high) {}

  friend Interval operator+(const Interval& a, const Interval& b) {
    return {nextDown(a.lo + b.lo), nextUp(a.hi + b.hi)};
  }
  friend Interval operator-(const Interval& a, const Interval& b) {
    return {nextDown(a.lo - b.hi), nextUp(a.hi - b.lo)};
  }
  friend Interval operator-(const Interval& a) { return {-a.hi, -a.lo}; }
  friend Interval operator*(const Interval& a, const Interval& b) {
    const double p[] = {a.lo * b.lo, a.lo * b.hi, a.hi * b.lo, a.hi * b.hi};
    return {nextDown(*std::min_element(p, p + 4)), nextUp(*std::max_element(p, p + 4))};
  }
  friend Interval operator/(const Interval& a, const Interval& b) {
    if (b.lo <= 0 && b.hi >= 0) {
      throw Undecided{};  // the divisor may be zero
    }
    const double q[] = {a.lo / b.lo, a.lo / b.hi, a.hi / b.lo, a.hi / b.hi};
    return {nextDown(*std::min_element(q, q + 4)), nextUp(*std::max_element(q, q + 4))};
  }
  // x / 2 and x * x. Halving a double is exact unless the half is subnormal, where it is
  // rounded: moving each end outwards covers that. A square is never below zero.
  [[nodiscard]] Interval half() const { return {nextDown(lo * 0.5), nextUp(hi * 0.5)}; }
  [[nodiscard]] Interval squared() const {
    const double a = std::abs(lo), b = std::abs(hi);
    const double low = lo <= 0 && hi >= 0 ? 0 : std::min(a, b);
    return {nextDown(low * low), nextUp(std::max(a, b) * std::max(a, b))};
  }

  // The sign of the exact value: -1, 0 only for an exact zero of one point, or 1.
  [[nodiscard]] int sign() const {
    if (lo > 0) {
      return 1;
    }
    if (hi < 0) {
      return -1;
    }
    if (lo == 0 && hi == 0) {
      return 0;
    }
    throw Undecided{};
  }

  friend bool operator<(const Interval& a, const Interval& b) { return (a - b).sign() < 0; }
  friend bool operator<=(const Interval& a, const Interval& b) { return (a - b).sign() <= 0; }
  friend bool operator>(const Interval& a, const Interval& b) { return b < a; }
  // Whether the exact values are equal: decided only when they certainly differ, or are the
  // same double.
  friend bool operator==(const Interval& a, const Interval& b) { return (a - b).sign() == 0; }
};

// A value known to lie within `doubt` of `value`: a cheaper filter than an Interval where
// only a sign is wanted, read off an interval (its low end, and its width) and used in plain
// doubles with a bound on their rounding.
struct Near {
  double value = 0, doubt = 0;
  Near() = default;
  explicit Near(const Interval& v) : value(v.lo), doubt(v.hi - v.lo) {}
  Near(double known, double within) : value(known), doubt(within) {}
};

// The sign of y - (m x + c), from values known within their doubts: -1 or 1, or 0 where they
// leave it open. With x = x' + dx and so on, the exact value lies within
//   dy + |m'| dx + dm (|x'| + dx) + dc
// of y' - (m' x' + c'), whose three roundings in doubles add at most
// 3u (1 + u)^2 (|y'| + |m'| |x'| + |c'|), u = 2^-53: within kGapRounding of that sum. The
// bound's own arithmetic (the subtraction that gave each doubt, the few operations that
// make each part below and the six that join them) rounds it down by under 12u of itself;
// doubling it covers that many times over. An infinite or undefined value never has a
// sign: its comparisons are false.
//
// The bound is worked out in two parts, so that one end (x, y) is set against many lines
// (m, c), or one line against many ends, with the parts of each made once:
//   doubt = 2 (dy + kGapRounding |y'|) + |m'| 2 (dx + kGapRounding |x'|)
//           + dm 2 (|x'| + dx) + 2 (dc + kGapRounding |c'|).
inline constexpr double kGapRounding = 4 * kUnitRoundoff;

struct GapEnd {
  double x, y;
  double base, perSlope, perSlopeDoubt;
  GapEnd(const Near& nearX, const Near& nearY)
      : x(nearX.value),
        y(nearY.value),
        base(2 * (nearY.doubt + kGapRounding * std::abs(nearY.value))),
        perSlope(2 * (nearX.doubt + kGapRounding * std::abs(nearX.value))),
        perSlopeDoubt(2 * (std::abs(nearX.value) + nearX.doubt)) {}
};

struct GapLine {
  double m, c;
  double slope, slopeDoubt, constant;
  GapLine() : m(0), c(0), slope(0), slopeDoubt(0), constant(0) {}
  GapLine(const Near& nearM, const Near& nearC)
      : m(nearM.value),
        c(nearC.value),
        slope(std::abs(nearM.value)),
        slopeDoubt(nearM.doubt),
        constant(2 * (nearC.doubt + kGapRounding * std::abs(nearC.value))) {}
};

inline int gapSign(const GapEnd& end, const GapLine& line) {
  const double gap = end.y - (line.m * end.x + line.c);
  const double doubt =
      end.base + line.slope * end.perSlope + line.slopeDoubt * end.perSlopeDoubt + line.constant;
  return (gap > doubt) - (gap < -doubt);
}
inline int gapSign(const Near& x, const Near& y, const Near& m, const Near& c) {
  return gapSign(GapEnd(x, y), GapLine(m, c));
}

// Where the line y = m x + c crosses the line y = m1 x + c1, x = (c - c1) / (m1 - m), from
// values known within their doubts; the doubt is infinite where the slopes may be equal.
// With n' = c' - c1' and d' = m1' - m' as worked out in doubles, each within a unit
// roundoff u of its exact difference, the exact numerator and denominator lie within
//   a = dc + dc1 + u |n'|   and   b = dm1 + dm + u |d'|
// of them, so the exact quotient lies within (a + |n' / d'| b) / (|d'| - b) of n' / d',
// and the division moves that by at most u |n' / d'|. Doubling the sum covers the terms in
// u^2 and the bound's own rounding.
inline Near crossingOf(const Near& m1, const Near& c1, const Near& m, const Near& c) {
  constexpr double u = kUnitRoundoff;
  const double numerator = c.value - c1.value, denominator = m1.value - m.value;
  const double a = c.doubt + c1.doubt + u * std::abs(numerator);
  const double b = m1.doubt + m.doubt + u * std::abs(denominator);
  const double x = numerator / denominator;
  const double room = std::abs(denominator) - b;
  if (!(room > 0)) {
    return {x, HUGE_VAL};
  }
  return {x, 2 * ((a + std::abs(x) * b) / room + u * std::abs(x))};
}

// The interval of the values within a doubt of a value.
inline Interval enclosure(const Near& x) {
  return {nextDown(x.value - x.doubt), nextUp(x.value + x.doubt)};
}

}  // namespace geometry

#pragma GCC diagnostic pop
