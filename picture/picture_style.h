#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colour.h"
#include "picture.h"

namespace app {

// How a picture is drawn: as the run draws it, for a projector, where one-pixel lines and
// dark colours vanish, or for print, dark on a white page, with its text as large as the
// window's or twice as large for a picture printed small. The print styles serve printed
// handouts and exercise sheets; they are no styles of the window's or of --style.
enum class PictureStyle { Normal, Projector, Print, PrintLargeText };

struct StyleInfo {
  PictureStyle style;
  const char* name;  // on the command line and in the settings
};
inline constexpr std::array kPictureStyles{StyleInfo{PictureStyle::Normal, "normal"},
                                           StyleInfo{PictureStyle::Projector, "projector"}};

std::optional<PictureStyle> pictureStyleNamed(std::string_view name);
std::string styleName(PictureStyle style);

// The contrast ratios (WCAG 2) the projector and print styles keep against their ground:
// lines and outlines, and text.
inline constexpr double kLineContrast = 4.5;
inline constexpr double kTextContrast = 7.0;

// What tells the styles apart, in one table that every writer reads (the window, PNG, SVG,
// PDF, TikZ, the web page): the ground, how much wider the strokes and larger the text, and
// whether the colours are held to kLineContrast and kTextContrast against the ground.
//   normal     black ground, the picture as the run draws it;
//   projector  black ground, strokes three times as wide, text twice as large, every colour
//              brightened to the contrasts, boxes on black;
//   print      white page, strokes one and a half times as wide (what a step dims keeps its
//              width and turns kPrintGround), every colour darkened to the contrasts, boxes
//              on white;
//   print with large text  the same, text twice as large, for a picture printed at half a
//              page's width or less, whose site numbers would be too small to read.
struct StyleLook {
  Colour ground;
  float strokeFactor;
  int textFactor;
  bool heldToContrast;
};

constexpr StyleLook lookOf(PictureStyle style) {
  switch (style) {
    case PictureStyle::Projector:
      return {0x000000, 3, 2, true};
    case PictureStyle::Print:
      return {0xFFFFFF, 1.5f, 1, true};
    case PictureStyle::PrintLargeText:
      return {0xFFFFFF, 1.5f, 2, true};
    case PictureStyle::Normal:
      break;
  }
  return {0x000000, 1, 1, false};
}

// Whether a style is for paper: dark on white.
constexpr bool isPrintStyle(PictureStyle style) {
  return lookOf(style).ground == 0xFFFFFF;
}

// The ground a style paints its pictures on, and how many times as large it shows text.
constexpr Colour groundOf(PictureStyle style) {
  return lookOf(style).ground;
}
constexpr int textFactorOf(PictureStyle style) {
  return lookOf(style).textFactor;
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

// The print style's grey for what a step's picture dims (the run's picture behind the
// step's marks): light enough to stand back, and still 4.5:1 against white. Dimmed items
// are those with no channel above kDimmedChannel.
inline constexpr Colour kPrintGround = 0x767676;
inline constexpr int kDimmedChannel = 100;

// The picture in a style, as lookOf says; the normal style is the picture unchanged.
Picture styledPicture(Picture picture, PictureStyle style);

// CIE lightness L* of a colour, from 0 (black) to 100 (white), from its relative luminance:
// how light it prints in greyscale.
double lightnessOf(Colour colour);
// The colour mixed with black, or with white, to the lightness, keeping its hue.
Colour withLightness(Colour colour, double lightness);

// On paper the marks a step's legend names stay apart in greyscale: each colour the legend
// names takes the next of these looks, a lightness with a solid or a dashed line. The
// lightnesses lie kPrintLightnessStep or more apart and as far below kPrintGround's, and the
// lightest still gives text 7:1 against white. A ring, or a colour the picture draws circles
// in (not counting rings about sites), takes the next look whose lightness no such mark
// before it has: circles have no dashes.
inline constexpr double kPrintLightnessStep = 12;
struct PrintMark {
  double lightness;
  bool dashed;
};
// The first, for the line every step draws first, is the lightest, so that the marks drawn
// over it stand out.
inline constexpr std::array<PrintMark, 8> kPrintMarks{
    PrintMark{37.2, false}, {0, false}, {24.8, false}, {12.4, false},
    {37.2, true},           {0, true},  {24.8, true},  {12.4, true}};
struct LegendMark {
  Colour colour;
  bool ring;
};
// A picture in a print style with each legend colour in its print look, in legend order,
// every item of that colour alike (lines dashed where the look is); a colour named twice
// keeps its first look. Beyond the looks, colours keep their own.
Picture withPrintMarks(Picture picture, const std::vector<LegendMark>& legend);

}  // namespace app
