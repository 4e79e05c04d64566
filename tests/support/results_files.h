#pragma once

#include <QByteArray>
#include <cstdint>

#include "exercises/exercise.h"

namespace testing_support {

// The sites of a seed's exercise layout as a results file lists them.
inline QByteArray layoutOf(std::uint32_t seed) {
  QByteArray list;
  for (const app::SitePosition& site : app::exerciseLayout(seed)) {
    list += (list.isEmpty() ? "[" : ", ") + QByteArray("[") + QByteArray::number(site.x) + ", " +
            QByteArray::number(static_cast<double>(site.y)) + "]";
  }
  return list + "]";
}

// A results file of the drawing kind on the sites, with the answers and score given.
inline QByteArray drawingFile(const QByteArray& sites, const QByteArray& answers, int score = 0,
                              std::uint32_t seed = 1) {
  return R"({"kind": "delaunay-edges", "name": "", "seed": )" + QByteArray::number(seed) +
         R"(, "sites": )" + sites + R"(, "answers": )" + answers + R"(, "score": )" +
         QByteArray::number(score) + "}";
}

}  // namespace testing_support
