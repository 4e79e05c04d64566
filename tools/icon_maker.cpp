// Makes the program's icons from a fixed set of seven sites: the Voronoi diagram and the
// Delaunay edges of the sites, without the label, as an SVG and as PNGs of 48, 128 and 256
// pixels, each drawn by the program's own run and picture writers at its own size.
// Usage: voronoi-delaunay-icons FOLDER (writes FOLDER/hicolor/...).
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "picture_output/picture_file.h"
#include "run/run.h"

namespace {

// A hub and six sites round it, in a unit square, a little off any pattern so that no two
// share an x or a y at any size.
constexpr app::SitePosition kSites[] = {{0.52, 0.47f}, {0.18, 0.21f}, {0.81, 0.16f}, {0.93, 0.62f},
                                        {0.63, 0.89f}, {0.13, 0.77f}, {0.37, 0.58f}};
constexpr std::uint32_t kSeed = 3;  // a pale cyan pen
constexpr double kCorner = 20;      // where the icon's square lies in the window

// The picture of the sites in a square of `size` pixels, moved to the square's corner.
app::Picture iconPicture(int size) {
  app::SitePositions sites;
  for (const app::SitePosition& s : kSites) {
    const auto side = static_cast<double>(size);
    sites.push_back({kCorner + s.x * side, static_cast<float>(kCorner + s.y * side)});
  }
  app::ShownLayers layers;
  layers.set(app::Layer::Label, false);
  app::Picture picture =
      app::visibleItems(app::runDemonstration({kSeed, std::move(sites)}).picture, layers);
  const auto shift = [](float& v) { v -= static_cast<float>(kCorner); };
  for (app::PictureItem& item : picture) {
    if (auto* line = std::get_if<app::LineItem>(&item)) {
      shift(line->x1), shift(line->y1), shift(line->x2), shift(line->y2);
    } else if (auto* circle = std::get_if<app::CircleItem>(&item)) {
      shift(circle->x), shift(circle->y);
    }
  }
  return picture;
}

bool write(const QString& path, const app::Picture& picture, int size, app::PictureFormat format) {
  QDir().mkpath(QFileInfo(path).path());
  const QString problem = app::savePicture(picture, size, size, path, format, 1);
  if (!problem.isEmpty()) {
    std::fprintf(stderr, "voronoi-delaunay-icons: %s\n", qPrintable(problem));
  }
  return problem.isEmpty();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fputs("usage: voronoi-delaunay-icons FOLDER\n", stderr);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/hicolor/");
  const QString name = QStringLiteral(VD_APP_ID);
  bool written = write(folder + QStringLiteral("scalable/apps/") + name + QStringLiteral(".svg"),
                       iconPicture(256), 256, app::PictureFormat::Svg);
  for (const int size : {48, 128, 256}) {
    written =
        write(folder + QStringLiteral("%1x%1/apps/").arg(size) + name + QStringLiteral(".png"),
              iconPicture(size), size, app::PictureFormat::Png) &&
        written;
  }
  return written ? 0 : 1;
}
