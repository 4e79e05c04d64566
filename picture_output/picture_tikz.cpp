#include "picture_tikz.h"

#include <QFontMetricsF>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "picture_painter.h"

namespace app {

namespace {

constexpr double kPointsPerMillimetre = 72 / 25.4;

// A length in millimetres, to a ten-thousandth, without trailing zeros.
QString mm(double pixels) {
  QString text = QString::number(pixels * kTikzMillimetresPerPixel, 'f', 4);
  while (text.endsWith(QLatin1Char('0'))) {
    text.chop(1);
  }
  if (text.endsWith(QLatin1Char('.'))) {
    text.chop(1);
  }
  return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString point(double x, double y) {
  return QStringLiteral("(%1,%2)").arg(mm(x), mm(y));
}

QString colour(Colour c) {
  return QStringLiteral("{rgb,255:red,%1;green,%2;blue,%3}")
      .arg(redOf(c))
      .arg(greenOf(c))
      .arg(blueOf(c));
}

// The style of a layer's scope, which documents restyle the layer by: a fixed name of its
// own, which the figure's head comment lists.
QString styleOf(Layer layer) {
  switch (layer) {
    case Layer::VoronoiEdges:
      return QStringLiteral("vd voronoi edges");
    case Layer::DelaunayEdges:
      return QStringLiteral("vd delaunay edges");
    case Layer::SiteCircles:
      return QStringLiteral("vd site circles");
    case Layer::Label:
      return QStringLiteral("vd label");
    case Layer::Overlay:
      break;
  }
  return QStringLiteral("vd marks");
}

// The font of a text item at the figure's scale: its pixel size in millimetres.
QString fontOf(const TextItem& text) {
  const double points =
      labelFont(text.fontSize).pixelSize() * kTikzMillimetresPerPixel * kPointsPerMillimetre;
  const double rounded = std::round(points * 100) / 100;
  return QStringLiteral("\\fontsize{%1}{%2}\\selectfont")
      .arg(rounded)
      .arg(std::round(rounded * 120) / 100);
}

// How an item looks, as TikZ options: a scope takes its first item's look, and each item
// writes the parts of its own look that differ from its scope's.
struct ItemLook {
  QString stroke;  // "draw=..., line width=..."
  QString fill;    // a text's colour and font, or a box's fill
};

QString strokeOf(Colour c, float width) {
  return QStringLiteral("draw=%1, line width=%2mm").arg(colour(c), mm(width));
}

ItemLook lookOf(const PictureItem& item) {
  return std::visit(
      [](const auto& shape) -> ItemLook {
        using Shape = std::decay_t<decltype(shape)>;
        if constexpr (std::is_same_v<Shape, TextItem>) {
          return {{}, QStringLiteral("text=%1, font=%2").arg(colour(shape.colour), fontOf(shape))};
        } else if constexpr (std::is_same_v<Shape, RectItem>) {
          return {strokeOf(shape.border, 1), QStringLiteral("fill=%1").arg(colour(shape.fill))};
        } else if constexpr (std::is_same_v<Shape, LineItem>) {
          QString stroke = strokeOf(shape.colour, shape.width);
          if (shape.dashed) {
            stroke += QStringLiteral(", dash pattern=on %1mm off %2mm")
                          .arg(mm(kDashLength * shape.width), mm(kDashGap * shape.width));
          }
          return {stroke, {}};
        } else {
          return {strokeOf(shape.colour, shape.width), {}};
        }
      },
      item);
}

QString joined(const ItemLook& look) {
  if (look.stroke.isEmpty() || look.fill.isEmpty()) {
    return look.stroke + look.fill;
  }
  return look.stroke + QStringLiteral(", ") + look.fill;
}

// The item's own options, in brackets, when they differ from the scope's.
QString ownOptions(const ItemLook& look, const ItemLook& scope) {
  QStringList options;
  if (look.stroke != scope.stroke && !look.stroke.isEmpty()) {
    options << look.stroke;
  }
  if (look.fill != scope.fill && !look.fill.isEmpty()) {
    options << look.fill;
  }
  return options.isEmpty()
             ? QString()
             : QLatin1Char('[') + options.join(QStringLiteral(", ")) + QLatin1Char(']');
}

// The sites that have a coordinate: those marked by a site circle, by number.
using SiteNumbers = std::set<int>;

struct ItemWriter {
  const SiteNumbers& sites;
  QString options;  // the item's own, in brackets, or empty

  // Site `site`'s coordinate where the item names a site that has one, else the point.
  QString at(int site, float x, float y) const {
    return sites.contains(site) ? QStringLiteral("(s%1)").arg(site) : point(x, y);
  }

  QString operator()(const LineItem& line) const {
    return QStringLiteral("\\draw%1 %2 -- %3;\n")
        .arg(options, at(line.fromSite, line.x1, line.y1), at(line.toSite, line.x2, line.y2));
  }
  QString operator()(const CircleItem& circle) const {
    return QStringLiteral("\\draw%1 %2 circle[radius=%3];\n")
        .arg(options, at(circle.site, circle.x, circle.y), mm(circle.radius));
  }
  QString operator()(const RectItem& rect) const {
    return QStringLiteral("\\filldraw%1 %2 rectangle %3;\n")
        .arg(options, point(rect.x, rect.y), point(rect.x + rect.width, rect.y + rect.height));
  }
  QString operator()(const TextItem& text) const {
    QString own = options;
    own = own.isEmpty() ? QStringLiteral("[anchor=north west, inner sep=0pt]")
                        : own.insert(1, QStringLiteral("anchor=north west, inner sep=0pt, "));
    return QStringLiteral("\\node%1 at %2 {%3};\n")
        .arg(own, point(text.x, text.y), latexText(QString::fromStdString(text.text)));
  }
};

}  // namespace

QString latexText(const QString& text) {
  // Characters LaTeX takes for commands: escaped with a backslash, or named.
  static const std::map<QChar, QString> named{{u'\\', QStringLiteral("textbackslash")},
                                              {u'~', QStringLiteral("textasciitilde")},
                                              {u'^', QStringLiteral("textasciicircum")},
                                              {u'<', QStringLiteral("textless")},
                                              {u'>', QStringLiteral("textgreater")}};
  QString escaped;
  for (const QChar c : text) {
    if (QStringView(u"{}$&#%_").contains(c)) {
      escaped += QLatin1Char('\\') + c;
    } else if (const auto name = named.find(c); name != named.end()) {
      escaped += QLatin1Char('\\') + name->second + QStringLiteral("{}");
    } else {
      // Outside printable ASCII, a plain LaTeX document may not have the character.
      escaped += c.unicode() < 0x20 || c.unicode() > 0x7E ? QChar(u'?') : c;
    }
  }
  return escaped;
}

QString tikzBoundingBox(int clientWidth, int clientHeight) {
  return QStringLiteral("\\path[use as bounding box] (0,0) rectangle %1;\n")
      .arg(point(clientWidth, clientHeight));
}

namespace {

// The items in a scope per layer, in the order in which the layers first appear; each item
// in its drawing order within its layer.
QString layerScopes(const Picture& picture, const SiteNumbers& sites) {
  std::vector<Layer> order;
  std::map<Layer, std::vector<const PictureItem*>> byLayer;
  for (const PictureItem& item : picture) {
    auto& items = byLayer[layerOf(item)];
    if (items.empty()) {
      order.push_back(layerOf(item));
    }
    items.push_back(&item);
  }
  QString tex;
  for (const Layer layer : order) {
    const auto& items = byLayer[layer];
    const ItemLook scope = lookOf(*items.front());
    tex += QStringLiteral("\\begin{scope}[%1, %2/.try]\n").arg(joined(scope), styleOf(layer));
    for (const PictureItem* item : items) {
      tex += std::visit(ItemWriter{sites, ownOptions(lookOf(*item), scope)}, *item);
    }
    tex += QStringLiteral("\\end{scope}\n");
  }
  return tex;
}

}  // namespace

QString tikzPictureScope(const Picture& picture, int clientWidth, int clientHeight,
                         const std::vector<Picture>& overlays) {
  QString tex = QStringLiteral("\\begin{scope}\n");
  const QString frame = QStringLiteral("(0,0) rectangle %1").arg(point(clientWidth, clientHeight));
  tex += QStringLiteral("\\clip %1;\n").arg(frame);
  // TikZ's own name for the ground's colour, which a handout's preamble may restyle.
  static_assert(groundOf(PictureStyle::Normal) == 0x000000);
  tex += QStringLiteral("\\fill[black, vd background/.try] %1;\n").arg(frame);

  SiteNumbers sites;
  QString coordinates;
  for (const PictureItem& item : picture) {
    const auto* circle = std::get_if<CircleItem>(&item);
    if (circle != nullptr && circle->layer == Layer::SiteCircles && circle->site != 0 &&
        sites.insert(circle->site).second) {
      coordinates +=
          QStringLiteral(" %1 coordinate (s%2)").arg(point(circle->x, circle->y)).arg(circle->site);
    }
  }
  if (!sites.empty()) {
    tex += QStringLiteral("\\path%1;\n").arg(coordinates);
  }
  tex += layerScopes(picture, sites);
  for (std::size_t n = 0; n < overlays.size(); ++n) {
    tex += QStringLiteral("\\only<%1>{%\n%2}\n")
               .arg(QString::number(n + 1), layerScopes(overlays[n], sites));
  }
  tex += QStringLiteral("\\end{scope}\n");
  return tex;
}

QByteArray tikzFigure(const Picture& picture, int clientWidth, int clientHeight) {
  QString tex = QStringLiteral(
                    "% Voronoi diagram and Delaunay triangulation, drawn by voronoi-delaunay.\n"
                    "% Needs only \\usepackage{tikz}; \\input this file where the figure goes.\n"
                    "% %1 mm x %2 mm; the sites are the coordinates s1, s2, ...\n"
                    "% Restyle a part by defining its style before the figure, e.g.\n"
                    "%   \\tikzset{vd voronoi edges/.style={draw=blue, thick}}\n"
                    "% (vd voronoi edges, vd delaunay edges, vd site circles, vd label, vd marks,\n"
                    "% vd background), and scale it with\n"
                    "%   \\tikzset{vd scale/.style={x=0.8mm, y=-0.8mm}}\n")
                    .arg(mm(clientWidth), mm(clientHeight));
  tex += QStringLiteral("\\begin{tikzpicture}[x=1mm, y=-1mm, vd scale/.try, line cap=rect]\n");
  tex += tikzBoundingBox(clientWidth, clientHeight);
  tex += tikzPictureScope(picture, clientWidth, clientHeight);
  tex += QStringLiteral("\\end{tikzpicture}\n");
  return tex.toUtf8();
}

}  // namespace app
