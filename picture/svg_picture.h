#pragma once

#include <string>
#include <vector>

#include "picture.h"

namespace app {

// What a picture shows, for its text alternative: "Voronoi diagram and Delaunay
// triangulation of N sites", N counted from its site circles.
std::string pictureDescription(const Picture& picture);

// The picture as an SVG document: a view box of the client area, its title and its
// description (pictureDescription when none is given) for screen readers, a black
// background, then a line, circle, rectangle or text element per item in drawing order.
// Coordinates, all single-precision values, are written in the shortest decimal that reads
// back as the same value. The elements are indented four spaces a level, one to a line.
std::string svgDocument(const Picture& picture, int clientWidth, int clientHeight,
                        const std::string& description = {});

// One item's element, as svgDocument writes it on its line, without the indentation.
std::string svgItem(const PictureItem& item);

// A group of items in an SVG picture, drawn in order with the others: shown, or hidden until
// a page's script shows it by its id.
struct SvgGroup {
  const Picture& items;
  std::string id = {};
  bool hidden = false;
};

// An <svg> element of the client area, as svgDocument writes it but without the XML
// declaration, for a page that holds it: its id (if any), title and description, its black
// ground and then each group in its own <g>.
std::string svgElement(const std::vector<SvgGroup>& groups, int clientWidth, int clientHeight,
                       const std::string& description, const std::string& id = {});

}  // namespace app
