#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>

#include "app/load_procedure.h"
#include "app/picture_file.h"
#include "app/picture_form.h"
#include "app/picture_painter.h"

namespace {

struct Outcome {
  int exitCode;
  QString output, errors;
};

// Runs the program with the arguments and waits for it.
Outcome runProgram(const QStringList& arguments, const QProcessEnvironment& environment =
                                                     QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(VD_EXECUTABLE), arguments);
  process.closeWriteChannel();
  EXPECT_TRUE(process.waitForFinished(60000));
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

app::Picture pictureForSeed(std::uint32_t seed) {
  app::PictureForm form(753, 475);
  app::Random random(seed);
  app::runLoadProcedure(form, random);
  return form.picture();
}

class CommandLine : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  void write(const char* name, const QByteArray& text) const {
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
};

TEST_F(CommandLine, SavedPngIsReproducibleAndShowsTheWindowsPicture) {
  ASSERT_EQ(runProgram({"--seed", "42", "--save", path("a.png")}).exitCode, 0);
  ASSERT_EQ(runProgram({"--seed", "42", "--save", path("b.png")}).exitCode, 0);
  EXPECT_EQ(contents(path("a.png")), contents(path("b.png")));
  const QImage saved = QImage(path("a.png")).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(saved.size(), QSize(753, 475));
  const app::Picture picture = pictureForSeed(42);
  EXPECT_EQ(saved, app::renderPicture(picture, 753, 475, 1));
  EXPECT_EQ(saved.pixelColor(752, 0), Qt::black);
  EXPECT_TRUE(saved.pixelColor(0, 0) == Qt::black || saved.pixelColor(0, 0) == Qt::red);
  const auto* pixels = reinterpret_cast<const QRgb*>(saved.constBits());
  EXPECT_TRUE(std::find(pixels, pixels + 753 * 475, qRgb(255, 0, 0)) != pixels + 753 * 475);
  ASSERT_EQ(runProgram({"--seed", "42", "--scale", "2", "--save", path("c.png")}).exitCode, 0);
  EXPECT_EQ(QImage(path("c.png")).size(), QSize(1506, 950));
}

// The SVG's elements in order, with the attributes that carry the picture.
QStringList svgItems(const QByteArray& svg) {
  QStringList items;
  QXmlStreamReader xml(svg);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) {
      continue;
    }
    const auto a = xml.attributes();
    if (xml.name() == QLatin1String("line")) {
      items << QStringLiteral("line %1 %2 %3 %4 %5")
                   .arg(a.value("x1"), a.value("y1"), a.value("x2"), a.value("y2"),
                        a.value("stroke"));
    } else if (xml.name() == QLatin1String("circle")) {
      items
          << QStringLiteral("circle %1 %2 %3").arg(a.value("cx"), a.value("cy"), a.value("stroke"));
    } else if (xml.name() == QLatin1String("text")) {
      items << QStringLiteral("text ") + xml.readElementText();
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return items;
}

TEST_F(CommandLine, SavedSvgHoldsEveryItemInDrawingOrderWithExactCoordinates) {
  ASSERT_EQ(runProgram({"--seed", "42", "--save", path("a.svg")}).exitCode, 0);
  QStringList expected;
  const auto exact = [](float v) { return QString::number(static_cast<double>(v), 'g', 9); };
  for (const app::PictureItem& item : pictureForSeed(42)) {
    if (const auto* line = std::get_if<app::LineItem>(&item)) {
      expected << QStringLiteral("line %1 %2 %3 %4 %5")
                      .arg(exact(line->x1), exact(line->y1), exact(line->x2), exact(line->y2),
                           app::toQColor(line->colour).name());
    } else if (const auto* circle = std::get_if<app::CircleItem>(&item)) {
      expected << QStringLiteral("circle %1 %2 %3")
                      .arg(exact(circle->x), exact(circle->y),
                           app::toQColor(circle->colour).name());
    } else {
      expected << QStringLiteral("text ") +
                      QString::fromStdString(std::get<app::TextItem>(item).text);
    }
  }
  const QStringList items = svgItems(contents(path("a.svg")));
  EXPECT_EQ(items, expected);
  EXPECT_TRUE(items.contains(QStringLiteral("text N= 39")));
}

TEST_F(CommandLine, GivenSitesGetTheirDelaunayEdges) {
  // A flat kite: the short diagonal from B to D is a Delaunay edge, the long one from A to
  // C is not; so are the four sides.
  write("kite.txt", "# A, B, C, D\n200 210\n410, 100\n600 220\n390 300\n");
  ASSERT_EQ(runProgram({"--sites", path("kite.txt"), "--save", path("kite.svg")}).exitCode, 0);
  const QStringList names{"A", "B", "C", "D"};
  const QStringList centres{"200 210", "410 100", "600 220", "390 300"};
  QSet<QString> edges;
  int circles = 0;
  for (const QString& item : svgItems(contents(path("kite.svg")))) {
    const QStringList f = item.split(' ');
    circles += f[0] == QLatin1String("circle") ? 1 : 0;
    if (f[0] == QLatin1String("line") && f[5] != QLatin1String("#ff0000") && f[1] != f[3]) {
      edges << names[centres.indexOf(f[1] + ' ' + f[2])] +
                   names[centres.indexOf(f[3] + ' ' + f[4])];
    }
  }
  EXPECT_EQ(circles, 4);
  EXPECT_EQ(edges, (QSet<QString>{"AB", "AD", "BC", "BD", "CD"}));
}

struct BadRun {
  const char* name;
  const char* arguments;  // FILE stands for the site list, OUT for the output folder
  std::string sites;
  const char* expected;
};

// count sites, none sharing an x or a y.
std::string manySites(int count) {
  std::string text;
  for (int n = 0; n < count; ++n) {
    text += std::to_string(1 + n * 7) + " " + std::to_string(1 + n * 4.5) + "\n";
  }
  return text;
}

class CommandLineRefuses : public CommandLine, public ::testing::WithParamInterface<BadRun> {};

TEST_P(CommandLineRefuses, WithExitStatus2AndNoFileLeft) {
  write("sites.txt", QByteArray::fromStdString(GetParam().sites));
  QStringList arguments = QString::fromLatin1(GetParam().arguments).split(' ');
  arguments.replaceInStrings(QStringLiteral("FILE"), path("sites.txt"));
  arguments.replaceInStrings(QStringLiteral("OUT"), dir.path());
  const Outcome outcome = runProgram(arguments);
  EXPECT_EQ(outcome.exitCode, 2);
  EXPECT_TRUE(outcome.errors.contains(QString::fromLatin1(GetParam().expected)))
      << outcome.errors.toStdString();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"sites.txt"});
}

constexpr const char* kSitesToPng = "--sites FILE --save OUT/a.png";

INSTANTIATE_TEST_SUITE_P(
    Examples, CommandLineRefuses,
    ::testing::Values(
        BadRun{"Word", kSitesToPng, "100 200\nabc 5\n", "sites.txt: line 2: expected two numbers"},
        BadRun{"ThreeNumbers", kSitesToPng, "100 200 300\n", "line 1: expected two numbers"},
        BadRun{"TwoCommas", kSitesToPng, "100,,200\n", "line 1: expected two numbers"},
        BadRun{"NotANumber", kSitesToPng, "nan 5\n", "line 1: expected two numbers"},
        BadRun{"RightOfTheWindow", kSitesToPng, "# a comment\n100 200\n753.5 100\n",
               "line 3: site (753.5 100) is outside"},
        BadRun{"AboveTheWindow", kSitesToPng, "100 -1\n", "line 1: site (100 -1) is outside"},
        BadRun{"OneSite", kSitesToPng, "\n100 200\n", "found 1 site; at least 2"},
        BadRun{"TooMany", kSitesToPng, manySites(102), "line 102: more than 101 sites"},
        BadRun{"SameX", kSitesToPng, "100 200\n300 100\n100 300\n",
               "line 3: the site has the same x as the site on line 1"},
        // Different in the file, equal once shifted and stored in single precision.
        BadRun{"SameStoredY", kSitesToPng, "100 200.0001\n150, 200.0002\n",
               "line 2: the site has the same y"},
        BadRun{"MissingSiteList", "--sites OUT/none.txt --save OUT/a.png", "", "cannot be opened"},
        BadRun{"UnknownExtension", "--seed 1 --save OUT/a.bmp", "", "must end in .png or .svg"},
        BadRun{"MissingFolder", "--seed 1 --save OUT/no/a.png", "", "cannot write"},
        BadRun{"UnknownOption", "--colour red", "", "Unknown option 'colour'"},
        BadRun{"BadSeed", "--seed -3 --save OUT/a.png", "", "--seed takes a whole number"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(CommandLine, WithoutADisplayTheWindowFailsWithOneLine) {
  QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
  noDisplay.remove(QStringLiteral("DISPLAY"));
  noDisplay.remove(QStringLiteral("WAYLAND_DISPLAY"));
  noDisplay.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  const Outcome outcome = runProgram({"--seed", "1"}, noDisplay);
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_TRUE(outcome.errors.endsWith(QStringLiteral("without one)\n")))
      << outcome.errors.toStdString();
  EXPECT_EQ(outcome.errors.count(QLatin1Char('\n')), 1);
}

TEST_F(CommandLine, HelpAndVersionSucceed) {
  const Outcome help = runProgram({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.output.contains(QStringLiteral("--sites <FILE>")));
  EXPECT_EQ(runProgram({"--version"}).output, QStringLiteral("voronoi-delaunay 1.0.0\n"));
}

}  // namespace
