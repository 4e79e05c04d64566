// The SVG writer, read back by Qt's XML reader: what a picture's text holds arrives as it
// was, and numbers read back to the single-precision values drawn, each in its shortest
// form.
#include "picture/svg_picture.h"

#include <gtest/gtest.h>

#include <QXmlStreamReader>
#include <map>
#include <string>
#include <vector>

#include "picture/colour.h"

namespace {

// Every element of the document in order: its name, attributes and text.
struct Element {
  std::string name, text;
  std::map<std::string, std::string> attributes;
};

std::vector<Element> readBack(const std::string& svg) {
  QXmlStreamReader xml(QByteArray::fromStdString(svg));
  std::vector<Element> elements;
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement) {
      Element element{xml.name().toString().toStdString(), {}, {}};
      for (const QXmlStreamAttribute& attribute : xml.attributes()) {
        element.attributes[attribute.name().toString().toStdString()] =
            attribute.value().toString().toStdString();
      }
      if (element.name == "text" || element.name == "desc") {
        element.text = xml.readElementText().toStdString();
      }
      elements.push_back(element);
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return elements;
}

TEST(SvgPicture, WritesWhatReadsBackExactly) {
  const app::Picture picture{
      app::LineItem{453.4765625f, -0.1f, 1e-7f, 30000.5f, app::rgb(255, 0, 16), 2,
                    app::Layer::Overlay, true},
      app::TextItem{10, 20, "a < b & \"c\" > d\tsite 3's", app::rgb(1, 2, 3), 12},
      app::CircleItem{1.5f, 2.25f, 3, app::kVoronoiRed}};
  const std::string svg = app::svgDocument(picture, 753, 475, "1 < 2 & 3");
  EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
  const std::vector<Element> elements = readBack(svg);
  ASSERT_EQ(elements.size(), 8u) << svg;  // svg, title, desc, ground, g, line, text, circle
  EXPECT_EQ(elements[2].text, "1 < 2 & 3");
  const Element& line = elements[5];
  EXPECT_EQ(line.attributes.at("x1"), "453.47656") << "453.4765625, shortest as a float";
  for (const auto& [attribute, drawn] :
       std::map<std::string, float>{{"y1", -0.1f}, {"x2", 1e-7f}, {"y2", 30000.5f}}) {
    EXPECT_EQ(std::stof(line.attributes.at(attribute)), drawn) << attribute;
  }
  EXPECT_EQ(line.attributes.at("stroke"), "#ff0010");
  EXPECT_EQ(line.attributes.at("stroke-width"), "2");
  EXPECT_EQ(line.attributes.at("stroke-dasharray"), "8 4");
  EXPECT_EQ(elements[6].text, "a < b & \"c\" > d\tsite 3's");
  EXPECT_EQ(elements[6].attributes.at("fill"), "#010203");
  EXPECT_EQ(elements[7].attributes.count("stroke-width"), 0u) << "one pixel is the group's";

  // A page's element: an id, hidden groups, no declaration.
  const app::Picture none;
  const std::string element =
      app::svgElement({{picture, "shown"}, {none, "later", true}}, 753, 475, "d", "p\"1");
  const std::vector<Element> groups = readBack(element);
  EXPECT_EQ(groups[0].attributes.at("id"), "p\"1");
  EXPECT_EQ(groups[7].name, "circle");
  EXPECT_EQ(groups[8].name, "g");
  EXPECT_EQ(groups[8].attributes.at("display"), "none");
  EXPECT_EQ(element.find("<?xml"), std::string::npos);
}

}  // namespace
