// The portable number texts (for a C++ library without floating-point to_chars and
// from_chars, as the WebAssembly build's) against the native library's, value for value.
#include <charconv>
#if !defined(__cpp_lib_to_chars) || __cpp_lib_to_chars < 201611L
#error "the reference conversions need a library with floating-point to_chars"
#endif
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "picture/number_text.h"

namespace {

// On this machine the library converts floating-point values itself, and the public
// functions are its conversions: the reference the portable ones are held to.
template <class T>
std::string native(T value) {
  return app::shortestText(value);
}

template <class T>
std::optional<T> nativeFrom(const std::string& text) {
  if constexpr (std::is_same_v<T, float>) {
    return app::floatFrom(text);
  } else {
    return app::doubleFrom(text);
  }
}

// Doubles of every size (random bits), window pixels, and the forms' turning points.
TEST(NumberText, ShortestTextIsTheLibrarysForEveryValue) {
  std::mt19937_64 random(5);
  std::vector<double> values = {0.0,
                                -0.0,
                                1,
                                0.1,
                                0.0001,
                                0.001,
                                1e-5,
                                1e-7,
                                123456,
                                1e15,
                                1e16,
                                1e17,
                                1e21,
                                1e22,
                                5e-324,
                                1.7976931348623157e308,
                                376.25,
                                453.4765625,
                                15200.000000001};
  for (int n = 0; n < 100000; ++n) {
    const double any = std::bit_cast<double>(random());
    if (std::isfinite(any)) {
      values.push_back(any);
    }
    values.push_back(std::uniform_real_distribution<double>(-800, 16000)(random));
    values.push_back(
        std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(n % 80) - 60));
  }
  int wrong = 0;
  for (const double value : values) {
    const std::string ours = app::portable::shortestText(value), theirs = native(value);
    if (ours != theirs && ++wrong <= 5) {
      ADD_FAILURE() << theirs << " written " << ours;
    }
    const float single = static_cast<float>(value);
    if (std::isfinite(single) && app::portable::shortestText(single) != native(single) &&
        ++wrong <= 5) {
      ADD_FAILURE() << native(single) << " (float) written " << app::portable::shortestText(single);
    }
    if (app::portable::doubleFrom(theirs) != value && ++wrong <= 5) {
      ADD_FAILURE() << theirs << " read back otherwise";
    }
  }
  EXPECT_EQ(wrong, 0);
}

// The syntax: what the library reads whole, the portable reader reads alike, and it refuses
// what the library refuses.
TEST(NumberText, ReadsWhatTheLibraryReadsAndNothingElse) {
  const std::vector<std::string> texts = {
      "1",    "-1",    "+1",     " 1",     "1 ",     "1.",     ".5",      "-.5",   ".",
      "-",    "1e5",   "1E5",    "1e+5",   "1e-5",   "1e",     "1e+",     "0x10",  "inf",
      "nan",  "-inf",  "1e400",  "1e-400", "3.4e38", "3.5e38", "1.5e-45", "1e-50", "00012.50",
      "1..2", "1e5.5", "376.25", "-0",     "",       "e5",     "4.9e-324"};
  for (const std::string& text : texts) {
    EXPECT_EQ(app::portable::doubleFrom(text), nativeFrom<double>(text)) << '"' << text << '"';
    EXPECT_EQ(app::portable::floatFrom(text), nativeFrom<float>(text)) << '"' << text << "\" float";
  }
  std::mt19937 random(9);
  const std::string alphabet = "0123456789.-+eE";
  for (int n = 0; n < 20000; ++n) {
    std::string text;
    for (int k = static_cast<int>(random() % 9); k >= 0; --k) {
      text += alphabet[random() % alphabet.size()];
    }
    ASSERT_EQ(app::portable::doubleFrom(text), nativeFrom<double>(text)) << '"' << text << '"';
    ASSERT_EQ(app::portable::floatFrom(text), nativeFrom<float>(text)) << '"' << text << '"';
  }
}

}  // namespace
