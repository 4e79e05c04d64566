#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace app {

// The shortest decimal that reads back as the same value, in the fixed or the exponent form,
// whichever is shorter (fixed on a tie): "1e-05", "0.001", "376.25", as std::to_chars
// writes it.
std::string shortestText(double value);
std::string shortestText(float value);

// The whole text as a finite number, rounded to nearest, in the syntax std::from_chars
// reads: an optional minus, digits with an optional point, an optional exponent. Nothing for
// anything else (a plus sign, white space, hexadecimal, inf or nan, a value out of range).
std::optional<double> doubleFrom(std::string_view text);
std::optional<float> floatFrom(std::string_view text);

// The same from fmt's shortest digits and strtod, for a C++ library without
// floating-point to_chars and from_chars (the WebAssembly build's); the functions above use
// them there. A test holds them to the native library's on a few hundred thousand values.
namespace portable {
std::string shortestText(double value);
std::string shortestText(float value);
std::optional<double> doubleFrom(std::string_view text);
std::optional<float> floatFrom(std::string_view text);
}  // namespace portable

}  // namespace app
