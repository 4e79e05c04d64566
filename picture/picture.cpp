#include "picture.h"

namespace app {

Picture visibleItems(const Picture& picture, const ShownLayers& shown) {
  Picture visible;
  for (const PictureItem& item : picture) {
    if (shown.shows(layerOf(item))) {
      visible.push_back(item);
    }
  }
  return visible;
}

}  // namespace app
