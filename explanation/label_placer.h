#pragma once

#include <string>
#include <vector>

#include "picture/picture.h"
#include "picture/pixel_geometry.h"

namespace app {

// Puts text labels into a picture so that no two overlap and each lies inside the picture:
// a label goes next to its anchor if there is room, or farther away with a leader line back
// to the anchor, or nowhere when the crowd leaves no room (the text list beside the picture
// still holds it).
class LabelPlacer {
 public:
  // Labels of fontSize points, measured as they will be shown: textFactor times as large
  // (see styledPicture).
  LabelPlacer(Picture& picture, int fontSize, int textFactor = 1);

  // Keeps the area free, for a text or box placed otherwise.
  void reserve(const PixelRect& area) { taken_.push_back(area); }
  // The area a text of this placer's font takes with its top-left corner at (x, y).
  [[nodiscard]] PixelRect areaOf(float x, float y, const std::string& text) const;
  // Places the label near (x, y), at least `clearance` away (past a ring about the point);
  // false when there was no room for it.
  bool place(float x, float y, const std::string& text, Colour colour, float clearance = 0);
  // Whether the area lies inside the picture, clear of every text and reserved area.
  [[nodiscard]] bool free(const PixelRect& area) const;

 private:
  Picture& picture_;
  int fontSize_;
  int textFactor_;
  std::vector<PixelRect> taken_;
};

// The area of a text item, as it is painted with its font textFactor times as large.
PixelRect textArea(const TextItem& text, int textFactor = 1);

}  // namespace app
