#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <ostream>

// Readable GoogleTest messages for Qt values: a string as text, an image by its size.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QImage& image, std::ostream* out) {
  *out << "image of " << image.width() << " x " << image.height();
}
inline std::ostream& operator<<(std::ostream& out, const QRect& rect) {
  return out << rect.width() << " x " << rect.height() << " at (" << rect.x() << ", " << rect.y()
             << ")";
}
