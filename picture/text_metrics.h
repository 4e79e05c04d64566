#pragma once

#include <string_view>
#include <vector>

namespace app {

// The metrics of the one font the pictures name, as every picture lays out its text: where
// a label goes, how wide a box is, how far apart lines are. They come from a table of the
// font's own values (label_font_table.inc, made by tools/font_table_maker.cpp and held to
// Qt's shaping by a test), so that a layout is placed alike on every machine, whatever
// fonts it has, and in a build without Qt. Text is shaped as the font shapes it: glyph
// advances in font units scaled to 1/64 of a pixel and rounded down, the pairs ff, fi, fl,
// ffi and ffl joined into one glyph, and the kerning between neighbouring glyphs scaled and
// rounded to the nearest 1/64.
inline constexpr const char* kLabelFontFamily = "DejaVu Sans";
inline constexpr int kLabelFontUnitsPerEm = 2048;
// The characters the table holds; any other character is measured as a '?'.
inline constexpr char kFirstTableCharacter = ' ', kLastTableCharacter = '~';
// The glyphs the font joins, longest first: the order in which they are looked for.
inline constexpr const char* kLabelFontLigatures[] = {"ffi", "ffl", "ff", "fi", "fl"};

// The font's pixel size for a size in points, at 96 dots per inch: the resolution at which
// 15 twips make a pixel, so text has the same size on every screen and in every file.
int labelPixelSize(int points);

// The glyphs a text is shaped into: a character's glyph is its place in the table, a joined
// pair's or triple's follows the characters' in kLabelFontLigatures' order.
std::vector<int> labelFontGlyphs(std::string_view text);

// How far the text advances, in pixels, at a pixel size.
double textAdvance(std::string_view text, int pixelSize);

// The font's ascent and descent at a pixel size, and the height of a line (the two added:
// the font has no leading), in pixels.
struct FontHeights {
  double ascent, descent, height;
};
FontHeights fontHeights(int pixelSize);

}  // namespace app
