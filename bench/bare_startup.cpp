// The baseline for the time to a finished picture: a Qt program that starts the way the
// demonstration does with --save and writes an empty picture of the same size.
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QString>

#include "geometry/window_frame.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  QImage image(geometry::kWindowFrame.clientWidth, geometry::kWindowFrame.clientHeight,
               QImage::Format_RGB32);
  image.fill(Qt::black);
  QSaveFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
    return 1;
  }
  return 0;
}
