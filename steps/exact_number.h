#pragma once

// The rational numbers of the exact steps and of the exercises' proofs: GMP's on the desktop,
// and Boost's header-only cpp_rational where GMP is not at hand (the WebAssembly core, built
// with VD_EXACT_WITH_BOOST). Both hold every rational exactly, so the two give the same
// answers; toDouble rounds towards zero in both, as GMP's get_d does.

#include <cmath>

#if defined(VD_EXACT_WITH_BOOST)
#include <boost/multiprecision/cpp_int.hpp>
#else
#include <gmpxx.h>
#endif

namespace geometry {

#if defined(VD_EXACT_WITH_BOOST)

using Exact = boost::multiprecision::cpp_rational;

inline int sgn(const Exact& value) {
  return value.sign();
}

inline int cmp(const Exact& a, const Exact& b) {
  const int order = a.compare(b);
  return (order > 0) - (order < 0);
}

// The double next to the value on the side of zero (Boost's conversion may round away).
inline double toDouble(const Exact& value) {
  double d = value.convert_to<double>();
  if (abs(Exact(d)) > abs(value)) {
    d = std::nextafter(d, 0.0);
  }
  return d;
}

#else

using Exact = mpq_class;

inline double toDouble(const Exact& value) {
  return value.get_d();
}

#endif

}  // namespace geometry
