#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "picture/picture.h"

namespace app {

// A page of a PDF document: a picture of the client area and, when not empty, a caption
// below it, wrapped to the picture's width.
struct PdfPage {
  Picture picture;
  QString caption;
};

// The pages as a vector PDF document made by Qt's PDF writer: one point to the client
// area's pixel, so that a page shown at 72 dots per inch has the window's size, with the
// same items as the SVG file, painted by the routine that paints the window.
QByteArray pdfDocument(const std::vector<PdfPage>& pages, int clientWidth, int clientHeight,
                       const QString& title);

}  // namespace app
