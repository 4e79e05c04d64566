#pragma once

#include <QFile>
#include <QImage>
#include <cstdint>
#include <vector>

#include "app/load_procedure.h"
#include "app/picture_file.h"
#include "app/picture_form.h"
#include "app/random_numbers.h"
#include "app/window_size.h"

namespace testing_support {

// The picture that a run draws with the seed and, when given, the sites in window pixels:
// what --seed and --sites draw.
inline app::Picture pictureOf(std::uint32_t seed,
                              const std::vector<app::SitePosition>* sites = nullptr) {
  app::PictureForm form(app::kClientWidth, app::kClientHeight);
  app::Random random(seed);
  app::runLoadProcedure(form, random, sites);
  return form.picture();
}

// The picture as the window shows it and a PNG of scale 1 holds it.
inline QImage rendered(const app::Picture& picture) {
  return app::renderPicture(picture, app::kClientWidth, app::kClientHeight, 1);
}

// A whole file, or nothing when it cannot be read.
inline QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace testing_support
