#include "text_metrics.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace app {

namespace {

struct GlyphKerning {
  int first, second, units;
};

#include "label_font_table.inc"

constexpr int kCharacters = kLastTableCharacter - kFirstTableCharacter + 1;
static_assert(std::size(kGlyphUnits) == kCharacters + std::size(kLabelFontLigatures));

// Font units at a pixel size in 1/64 pixel (26.6 fixed point): a unit is pixelSize * 64 /
// 2048 of them, which is pixelSize / 32.
constexpr std::int64_t kSixtyFourthsPerPixel = 64;
static_assert(kLabelFontUnitsPerEm % kSixtyFourthsPerPixel == 0);
constexpr std::int64_t kUnitsPerScaledStep = kLabelFontUnitsPerEm / kSixtyFourthsPerPixel;

// a / b rounded towards minus infinity, for b > 0.
constexpr std::int64_t floorDivided(std::int64_t a, std::int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}
std::int64_t roundedDown(std::int64_t units, int pixelSize) {
  return floorDivided(units * pixelSize, kUnitsPerScaledStep);
}
std::int64_t roundedToNearest(std::int64_t units, int pixelSize) {
  return floorDivided(units * pixelSize + kUnitsPerScaledStep / 2, kUnitsPerScaledStep);
}

int kerningOf(int first, int second) {
  for (const GlyphKerning& pair : kKerning) {
    if (pair.first == first && pair.second == second) {
      return pair.units;
    }
  }
  return 0;
}

}  // namespace

int labelPixelSize(int points) {
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

std::vector<int> labelFontGlyphs(std::string_view text) {
  std::vector<int> glyphs;
  for (std::size_t at = 0; at < text.size();) {
    bool joined = false;
    for (std::size_t l = 0; l < std::size(kLabelFontLigatures) && !joined; ++l) {
      const std::string_view ligature = kLabelFontLigatures[l];
      if (text.substr(at).starts_with(ligature)) {
        glyphs.push_back(kCharacters + static_cast<int>(l));
        at += ligature.size();
        joined = true;
      }
    }
    if (joined) {
      continue;
    }
    const auto byte = static_cast<unsigned char>(text[at]);
    ++at;
    if (byte >= 0x80) {  // a character of several bytes in UTF-8: skip the rest of it
      while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) {
        ++at;
      }
    }
    const bool inTable = byte >= kFirstTableCharacter && byte <= kLastTableCharacter;
    glyphs.push_back((inTable ? static_cast<int>(byte) : '?') - kFirstTableCharacter);
  }
  return glyphs;
}

double textAdvance(std::string_view text, int pixelSize) {
  const std::vector<int> glyphs = labelFontGlyphs(text);
  std::int64_t sixtyFourths = 0;
  for (std::size_t g = 0; g < glyphs.size(); ++g) {
    sixtyFourths += roundedDown(kGlyphUnits[glyphs[g]], pixelSize);
    if (g + 1 < glyphs.size()) {
      sixtyFourths += roundedToNearest(kerningOf(glyphs[g], glyphs[g + 1]), pixelSize);
    }
  }
  return static_cast<double>(sixtyFourths) / kSixtyFourthsPerPixel;
}

FontHeights fontHeights(int pixelSize) {
  const auto ascent = static_cast<double>(roundedToNearest(kAscentUnits, pixelSize));
  const auto descent = static_cast<double>(roundedToNearest(kDescentUnits, pixelSize));
  return {ascent / kSixtyFourthsPerPixel, descent / kSixtyFourthsPerPixel,
          (ascent + descent) / kSixtyFourthsPerPixel};
}

}  // namespace app
