#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "colour.h"
#include "picture.h"

namespace app {

// How a picture is drawn: as the run draws it, for a projector, where one-pixel lines and
// dark colours vanish, or for print, dark on a white page. The print style serves printed
// handouts; it is no style of the window's or of --style.
enum class PictureStyle { Normal, Projector, Print };

struct StyleInfo {
  PictureStyle style;
  const char* name;  // on the command line and in the settings
};
inline constexpr std::array kPictureStyles{StyleInfo{PictureStyle::Normal, "normal"},
                                           StyleInfo{PictureStyle::Projector, "projector"}};

std::optional<PictureStyle> pictureStyleNamed(std::string_view name);
std::string styleName(PictureStyle style);

// The projector style: strokes three times as wide, text twice as large, every colour at
// least this contrast ratio against the black background (WCAG 2), boxes on black.
inline constexpr float kProjectorStrokeFactor = 3;
inline constexpr int kProjectorTextFactor = 2;
inline constexpr double kLineContrast = 4.5;
inline constexpr double kTextContrast = 7.0;

// How many times as large the style shows text: 1, or kProjectorTextFactor.
constexpr int textFactorOf(PictureStyle style) {
  return style == PictureStyle::Projector ? kProjectorTextFactor : 1;
}

// The relative luminance of a colour and the contrast ratio of two, by the WCAG 2 formulas:
// from 1 (the same luminance) to 21 (black and white).
double relativeLuminance(Colour colour);
double contrastRatio(Colour a, Colour b);

// The colour itself if it has at least the ratio against black, otherwise the least mix
// of it with white that has.
Colour withContrastOnBlack(Colour colour, double ratio);

// The colour itself if it has at least the ratio against white, otherwise the least mix
// of it with black that has.
Colour withContrastOnWhite(Colour colour, double ratio);

// The ground a style paints its pictures on: black, or white for print.
constexpr Colour groundOf(PictureStyle style) {
  return style == PictureStyle::Print ? 0xFFFFFF : 0x000000;
}

// The print style's grey for what a step's picture dims (the run's picture behind the
// step's marks): light enough to stand back, and still 4.5:1 against white.
inline constexpr Colour kPrintGround = 0x767676;

// The picture in a style. The normal style is the picture unchanged. The print style draws
// dimmed items (no channel above kDimmedChannel) in kPrintGround, every other colour
// darkened to at least kLineContrast against white (text to kTextContrast) with strokes
// kPrintStrokeFactor as wide, and boxes on white.
inline constexpr int kDimmedChannel = 100;
inline constexpr float kPrintStrokeFactor = 1.5f;
Picture styledPicture(Picture picture, PictureStyle style);

}  // namespace app
