#include "number_text.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace app {

namespace {

// Whether the text is a number in from_chars's general syntax.
bool decimalSyntax(std::string_view text) {
  std::size_t at = 0;
  const auto digits = [&] {
    const std::size_t from = at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
      ++at;
    }
    return at - from;
  };
  if (at < text.size() && text[at] == '-') {
    ++at;
  }
  std::size_t mantissa = digits();
  if (at < text.size() && text[at] == '.') {
    ++at;
    mantissa += digits();
  }
  if (mantissa == 0) {
    return false;
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
      ++at;
    }
    if (digits() == 0) {
      return false;
    }
  }
  return at == text.size();
}

template <class T>
std::optional<T> numberFrom(std::string_view text) {
  if (!decimalSyntax(text) || text.size() > 4096) {
    return std::nullopt;
  }
  const std::string copy(text);
  errno = 0;
  const T value = [&] {
    if constexpr (sizeof(T) == sizeof(float)) {
      return std::strtof(copy.c_str(), nullptr);
    } else {
      return std::strtod(copy.c_str(), nullptr);
    }
  }();
  // Out of range is an overflow, or an underflow all the way to zero; a subnormal result is
  // a number like any other.
  if (!std::isfinite(value) || (errno == ERANGE && std::fpclassify(value) == FP_ZERO)) {
    return std::nullopt;
  }
  return value;
}

template <class T>
std::string shortest(T value) {
  if (std::fpclassify(value) == FP_ZERO) {
    return std::signbit(value) ? "-0" : "0";
  }
  if (!std::isfinite(value)) {
    return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
  }
  // The fewest significant digits that read back as the value, as fmt finds them; it
  // writes them in a form of its own ("0.001", "1e-05", "100000000"), read here into the
  // digits and the exponent of the first.
  const std::string fmtText = fmt::format("{}", value);
  const bool negative = fmtText.front() == '-';
  const std::string_view written = std::string_view(fmtText).substr(negative ? 1 : 0);
  const std::size_t e = std::min(written.find('e'), written.size());
  const std::string_view mantissa = written.substr(0, e);
  const int writtenExponent =
      e < written.size() ? std::atoi(std::string(written.substr(e + 1)).c_str()) : 0;
  std::string digits;
  for (const char c : mantissa) {
    if (c != '.') {
      digits += c;
    }
  }
  const std::size_t leadingZeros = digits.find_first_not_of('0');
  digits = digits.substr(leadingZeros, digits.find_last_not_of('0') + 1 - leadingZeros);
  const auto point = static_cast<int>(std::min(mantissa.find('.'), mantissa.size()));
  const int exponent = writtenExponent + point - 1 - static_cast<int>(leadingZeros);
  const auto count = static_cast<int>(digits.size());

  std::string scientific(1, digits[0]);
  if (count > 1) {
    scientific += '.';
    scientific += digits.substr(1);
  }
  char exponentText[16];
  std::snprintf(exponentText, sizeof exponentText, "e%c%02d", exponent < 0 ? '-' : '+',
                std::abs(exponent));
  scientific += exponentText;

  std::string fixed;
  if (exponent < 0) {
    fixed = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else if (exponent + 1 >= count) {
    // A whole number past its shortest digits is written with its exact digits, as long as
    // the shortest digits padded with zeros.
    char whole[400];
    std::snprintf(whole, sizeof whole, "%.0f", std::abs(static_cast<double>(value)));
    fixed = whole;
  } else {
    fixed = digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
            digits.substr(static_cast<std::size_t>(exponent + 1));
  }
  const std::string& chosen = fixed.size() <= scientific.size() ? fixed : scientific;
  return negative ? "-" + chosen : chosen;
}

// The library's own conversions where it has them for floating-point values.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
constexpr bool kLibraryConverts = true;
#else
constexpr bool kLibraryConverts = false;
#endif

template <class T>
std::string shortestOf(T value) {
  if constexpr (kLibraryConverts) {
    char text[48];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
  } else {
    return shortest(value);
  }
}

template <class T>
std::optional<T> parsed(std::string_view text) {
  if constexpr (kLibraryConverts) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
      return std::nullopt;
    }
    return value;
  } else {
    return numberFrom<T>(text);
  }
}

}  // namespace

std::string shortestText(double value) {
  return shortestOf(value);
}
std::string shortestText(float value) {
  return shortestOf(value);
}
std::optional<double> doubleFrom(std::string_view text) {
  return parsed<double>(text);
}
std::optional<float> floatFrom(std::string_view text) {
  return parsed<float>(text);
}

namespace portable {

std::string shortestText(double value) {
  return shortest(value);
}
std::string shortestText(float value) {
  return shortest(value);
}
std::optional<double> doubleFrom(std::string_view text) {
  return numberFrom<double>(text);
}
std::optional<float> floatFrom(std::string_view text) {
  return numberFrom<float>(text);
}

}  // namespace portable

}  // namespace app
