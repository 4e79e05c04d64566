#pragma once

#include <QPointF>
#include <QSize>
#include <algorithm>

#include "geometry/window_frame.h"

namespace app {

// How the run's frame sits in a widget of any size: scaled to fit, keeping its
// proportions, centred, with black round it. At the frame's own size the scale is 1 and
// the picture lies at the top-left corner, pixel for pixel.
struct PictureFit {
  double scale;
  QPointF origin;  // where the picture's top-left corner lies in the widget

  static PictureFit of(QSize widget) {
    const geometry::WindowFrame& frame = geometry::kWindowFrame;
    const double scale = std::min(static_cast<double>(widget.width()) / frame.clientWidth,
                                  static_cast<double>(widget.height()) / frame.clientHeight);
    return {scale, QPointF((widget.width() - frame.clientWidth * scale) / 2,
                           (widget.height() - frame.clientHeight * scale) / 2)};
  }

  // A point of the widget in the picture's pixels.
  [[nodiscard]] QPointF toPicture(QPointF widgetPoint) const {
    return (widgetPoint - origin) / scale;
  }
};

}  // namespace app
