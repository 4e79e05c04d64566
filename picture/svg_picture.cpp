#include "svg_picture.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <variant>

#include "colour.h"
#include "picture_style.h"
#include "text_metrics.h"

namespace app {

namespace {

constexpr const char* kTitle = "Voronoi diagram and Delaunay triangulation";

// A number as the picture's coordinates are: a single-precision value (every coordinate and
// size the picture holds) in the shortest decimal that reads back as the same float,
// "298.4"; any other with 9 significant digits, in the shorter of the fixed and the exponent
// forms and without trailing zeros (as %g writes it). A value halfway between two such
// numbers (it has ten significant digits, the last a 5) goes to the one away from zero, as
// written decimals are rounded, not to the even one.
std::string number(double value) {
  // (equal_to: an exact comparison, meant as one)
  if (const auto single = static_cast<float>(value);
      std::isfinite(value) && std::equal_to<double>()(single, value)) {
    return fmt::format("{}", single);
  }
  const std::string ten = fmt::format("{:.9e}", value);
  // (equal_to: an exact comparison, meant as one)
  const bool halfway = ten[ten.find('e') - 1] == '5' &&
                       std::equal_to<double>()(std::strtod(ten.c_str(), nullptr), value);
  if (halfway) {
    value = std::nextafter(value, value > 0 ? HUGE_VAL : -HUGE_VAL);
  }
  return fmt::format("{:.9g}", value);  // printf's digits and form, written sooner
}

std::string colourName(Colour colour) {
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "#%02x%02x%02x", redOf(colour), greenOf(colour),
                blueOf(colour));
  return text.data();
}

// Escapes text for XML: the markup characters as entities, and in an attribute the quote and
// the white space that a reader would fold. Characters XML cannot hold at all (the control
// characters but tab, line feed and carriage return) are left out.
std::string escaped(std::string_view text, bool attribute) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += attribute ? "&quot;" : "\"";
        break;
      case '\t':
        out += attribute ? "&#9;" : "\t";
        break;
      case '\n':
        out += attribute ? "&#10;" : "\n";
        break;
      case '\r':
        out += "&#13;";
        break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20) {
          out += c;
        }
    }
  }
  return out;
}

// An XML writer for one indented tree: each element on a line of its own (the first too,
// after the declaration or an empty line), four spaces a level; an element without content
// closes itself, text stays on its element's line.
class XmlWriter {
 public:
  explicit XmlWriter(std::string& out, bool declaration) : out_(out) {
    if (declaration) {
      out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    }
  }

  void start(const char* name) {
    closeStartTag();
    newLine();
    out_ += '<';
    out_ += name;
    open_.push_back(name);
    startTagOpen_ = true;
    hasChildren_.push_back(false);
    if (hasChildren_.size() > 1) {
      hasChildren_[hasChildren_.size() - 2] = true;
    }
  }
  void attribute(const char* name, const std::string& value) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    out_ += escaped(value, true);
    out_ += '"';
  }
  void text(std::string_view text) {
    closeStartTag();
    out_ += escaped(text, false);
    textWritten_ = true;
  }
  void end() {
    const char* name = open_.back();
    const bool children = hasChildren_.back();
    open_.pop_back();
    hasChildren_.pop_back();
    if (startTagOpen_) {
      out_ += "/>";
      startTagOpen_ = false;
    } else {
      if (children && !textWritten_) {
        newLine();
      }
      out_.append("</").append(name).append(">");
    }
    textWritten_ = false;
  }
  void textElement(const char* name, std::string_view content) {
    start(name);
    text(content);
    end();
  }

 private:
  void closeStartTag() {
    if (startTagOpen_) {
      out_ += '>';
      startTagOpen_ = false;
    }
  }
  void newLine() {
    out_ += '\n';
    out_.append(4 * open_.size(), ' ');
  }

  std::string& out_;
  std::vector<const char*> open_;
  std::vector<bool> hasChildren_;
  bool startTagOpen_ = false, textWritten_ = false;
};

struct SvgItemWriter {
  XmlWriter& xml;

  // An element with its coordinates, written as number() writes them; the caller ends it.
  void element(const char* name,
               std::initializer_list<std::pair<const char*, double>> numbers) const {
    xml.start(name);
    for (const auto& [attribute, value] : numbers) {
      xml.attribute(attribute, number(value));
    }
  }

  // The group's stroke width is one pixel; only other widths are written.
  void stroke(Colour colour, float width) const {
    xml.attribute("stroke", colourName(colour));
    if (!isOnePixelWide(width)) {
      xml.attribute("stroke-width", number(static_cast<double>(width)));
    }
  }

  void operator()(const LineItem& line) const {
    element("line", {{"x1", line.x1}, {"y1", line.y1}, {"x2", line.x2}, {"y2", line.y2}});
    stroke(line.colour, line.width);
    if (line.dashed) {
      xml.attribute("stroke-dasharray", number(static_cast<double>(kDashLength * line.width)) +
                                            " " +
                                            number(static_cast<double>(kDashGap * line.width)));
    }
    xml.end();
  }

  void operator()(const CircleItem& circle) const {
    element("circle", {{"cx", circle.x}, {"cy", circle.y}, {"r", circle.radius}});
    stroke(circle.colour, circle.width);
    xml.end();
  }

  void operator()(const RectItem& rect) const {
    element("rect", {{"x", rect.x}, {"y", rect.y}, {"width", rect.width}, {"height", rect.height}});
    xml.attribute("fill", colourName(rect.fill));
    stroke(rect.border, 1);
    xml.end();
  }

  void operator()(const TextItem& text) const {
    const int pixels = labelPixelSize(text.fontSize);
    element("text",
            {{"x", text.x}, {"y", static_cast<double>(text.y) + fontHeights(pixels).ascent}});
    xml.attribute("font-family", kLabelFontFamily);
    xml.attribute("font-size", std::to_string(pixels));
    xml.attribute("fill", colourName(text.colour));
    xml.attribute("stroke", "none");
    // The width the window gives the text, so that another renderer's glyph spacing never
    // lets it run out of the box laid out for it.
    xml.attribute("textLength", number(textAdvance(text.text, pixels)));
    xml.attribute("lengthAdjust", "spacing");
    xml.text(text.text);
    xml.end();
  }
};

// Writes the <svg> element: its title and description for screen readers, a black ground,
// then the groups.
void writeSvg(XmlWriter& xml, const std::vector<SvgGroup>& groups, int clientWidth,
              int clientHeight, const std::string& description, const std::string& id) {
  xml.start("svg");
  xml.attribute("xmlns", "http://www.w3.org/2000/svg");
  if (!id.empty()) {
    xml.attribute("id", id);
  }
  xml.attribute("width", std::to_string(clientWidth));
  xml.attribute("height", std::to_string(clientHeight));
  xml.attribute("viewBox",
                "0 0 " + std::to_string(clientWidth) + " " + std::to_string(clientHeight));
  xml.textElement("title", kTitle);
  xml.textElement("desc", description);
  xml.start("rect");
  xml.attribute("width", std::to_string(clientWidth));
  xml.attribute("height", std::to_string(clientHeight));
  xml.attribute("fill", colourName(groundOf(PictureStyle::Normal)));
  xml.end();
  const SvgItemWriter writeItem{xml};
  for (const SvgGroup& group : groups) {
    // One-pixel strokes without fill; square caps so that a line of length zero shows its
    // point, as on screen.
    xml.start("g");
    if (!group.id.empty()) {
      xml.attribute("id", group.id);
    }
    if (group.hidden) {
      xml.attribute("display", "none");
    }
    xml.attribute("fill", "none");
    xml.attribute("stroke-width", "1");
    xml.attribute("stroke-linecap", "square");
    xml.attribute("shape-rendering", "crispEdges");
    for (const PictureItem& item : group.items) {
      std::visit(writeItem, item);
    }
    xml.end();
  }
  xml.end();
}

}  // namespace

std::string pictureDescription(const Picture& picture) {
  const auto sites = std::count_if(picture.begin(), picture.end(), [](const PictureItem& item) {
    const auto* circle = std::get_if<CircleItem>(&item);
    return circle != nullptr && circle->layer == Layer::SiteCircles && circle->site != 0;
  });
  return sites == 0 ? kTitle : std::string(kTitle) + " of " + std::to_string(sites) + " sites";
}

std::string svgDocument(const Picture& picture, int clientWidth, int clientHeight,
                        const std::string& description) {
  std::string document;
  XmlWriter xml(document, true);
  writeSvg(xml, {{picture}}, clientWidth, clientHeight,
           description.empty() ? pictureDescription(picture) : description, {});
  document += '\n';
  return document;
}

std::string svgItem(const PictureItem& item) {
  std::string element;
  XmlWriter xml(element, false);
  std::visit(SvgItemWriter{xml}, item);
  element.erase(0, 1);  // the line end before it
  return element;
}

std::string svgElement(const std::vector<SvgGroup>& groups, int clientWidth, int clientHeight,
                       const std::string& description, const std::string& id) {
  std::string element;
  XmlWriter xml(element, false);
  writeSvg(xml, groups, clientWidth, clientHeight, description, id);
  return element;
}

}  // namespace app
