// Prints the label font's metrics as picture/label_font_table.inc holds them: the advance of
// every printable ASCII character, the glyphs DejaVu Sans joins (ff, fi, fl, ffi, ffl), the
// kerning between glyphs and the ascent and descent, all in font units, read from Qt's
// shaping at a size of one font unit to the pixel, where nothing is rounded.
// Usage: voronoi-delaunay-font-table > picture/label_font_table.inc
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QRawFont>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "picture/text_metrics.h"

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  QFont font(QString::fromLatin1(app::kLabelFontFamily));
  font.setPixelSize(app::kLabelFontUnitsPerEm);
  if (QRawFont::fromFont(font).unitsPerEm() != app::kLabelFontUnitsPerEm) {
    std::fprintf(stderr, "the font found is not %s\n", app::kLabelFontFamily);
    return 1;
  }
  const QFontMetricsF metrics(font);
  const auto units = [&](const std::string& text) {
    return static_cast<long>(std::lround(metrics.horizontalAdvance(QString::fromStdString(text))));
  };
  std::printf("// Made by tools/font_table_maker.cpp from %s; do not edit.\n",
              app::kLabelFontFamily);
  std::printf("constexpr int kAscentUnits = %ld, kDescentUnits = %ld;\n",
              std::lround(metrics.ascent()), std::lround(metrics.descent()));
  std::vector<std::string> glyphs;
  for (char c = app::kFirstTableCharacter; c <= app::kLastTableCharacter; ++c) {
    glyphs.emplace_back(1, c);
  }
  for (const char* ligature : app::kLabelFontLigatures) {
    glyphs.emplace_back(ligature);
  }
  std::printf("constexpr int kGlyphUnits[] = {");
  for (std::size_t g = 0; g < glyphs.size(); ++g) {
    std::printf("%s%ld,", g % 16 == 0 ? "\n    " : " ", units(glyphs[g]));
  }
  std::printf("\n};\n");
  // Kerning between two glyphs where their texts side by side shape as those two glyphs.
  std::printf("constexpr GlyphKerning kKerning[] = {");
  int written = 0;
  for (std::size_t a = 0; a < glyphs.size(); ++a) {
    for (std::size_t b = 0; b < glyphs.size(); ++b) {
      const std::string both = glyphs[a] + glyphs[b];
      const std::vector<int> shaped = app::labelFontGlyphs(both);
      if (shaped != std::vector<int>{static_cast<int>(a), static_cast<int>(b)}) {
        continue;
      }
      const long kerning = units(both) - units(glyphs[a]) - units(glyphs[b]);
      if (kerning != 0) {
        std::printf("%s{%zu, %zu, %ld},", written++ % 5 == 0 ? "\n    " : " ", a, b, kerning);
      }
    }
  }
  std::printf("\n};\n");
  return 0;
}
