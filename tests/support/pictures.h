#pragma once

#include <QFile>
#include <QImage>
#include <cstdint>
#include <optional>

#include "geometry/window_frame.h"
#include "picture_output/picture_file.h"
#include "run/run.h"

namespace testing_support {

// The picture that a run draws with the seed and, when given, the sites in window pixels:
// what --seed and --sites draw.
inline app::Picture pictureOf(std::uint32_t seed,
                              std::optional<app::SitePositions> sites = std::nullopt) {
  return app::runDemonstration({seed, std::move(sites)}).picture;
}

// The picture as the window shows it and a PNG of scale 1 holds it.
inline QImage rendered(const app::Picture& picture) {
  return app::renderPicture(picture, geometry::kWindowFrame.clientWidth,
                            geometry::kWindowFrame.clientHeight, 1);
}

// A whole file, or nothing when it cannot be read.
inline QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace testing_support
