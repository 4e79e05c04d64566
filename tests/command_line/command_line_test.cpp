#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "geometry/dist.h"
#include "picture_output/output_kind.h"
#include "picture_output/picture_file.h"
#include "run/site_list.h"
#include "support/five_sites.h"
#include "support/pictures.h"
#include "support/programs.h"
#include "support/qt_printers.h"
#include "support/results_files.h"

namespace {

using testing_support::contents;
using testing_support::pictureOf;
using testing_support::rendered;
using testing_support::runProgram;
using Outcome = testing_support::ProgramOutcome;

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

TEST_F(CommandLine, SavedPicturesAreReproducibleAndShowTheWindowsPicture) {
  QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
  bare.remove(QStringLiteral("XDG_RUNTIME_DIR"));
  const Outcome png = runProgram({"--seed", "42", "--save", path("a.png")}, bare);
  EXPECT_EQ(png.exitCode, 0);
  EXPECT_EQ(png.errors, QString()) << "a run prints nothing but its own messages";
  ASSERT_EQ(runProgram({"--seed", "42", "--save", path("b.png")}).exitCode, 0);
  EXPECT_EQ(contents(path("a.png")), contents(path("b.png")));
  EXPECT_EQ(QImage(path("a.png")).convertToFormat(QImage::Format_RGB32), rendered(pictureOf(42)));
  ASSERT_EQ(runProgram({"--seed", "42", "--scale", "2", "--save", path("c.png")}).exitCode, 0);
  EXPECT_EQ(QImage(path("c.png")).size(), QSize(1506, 950));
  // The vector picture: every line, circle and the label, with exact coordinates.
  ASSERT_EQ(runProgram({"--seed", "42", "--save", path("a.svg")}).exitCode, 0);
  EXPECT_EQ(contents(path("a.svg")), contents(QStringLiteral(VD_GOLDEN_DIR "/seed-42.svg")));
}

TEST_F(CommandLine, GivenSitesGetTheirDelaunayEdges) {
  // A flat kite A, B, C, D: the short diagonal BD is a Delaunay edge, the long one AC is
  // not; so are the four sides. Written as a common Windows editor saves it: a byte order
  // mark and CRLF line ends.
  const QByteArray kite =
      "\xEF\xBB\xBF# A, B, C, D\r\n200 210\r\n410, 100\r\n600 220\r\n390 300\r\n";
  write("kite.txt", kite);
  ASSERT_EQ(
      runProgram({"--sites", path("kite.txt"), "--seed", "5", "--save", path("kite.png")}).exitCode,
      0);
  const auto sites = app::parseSites(kite.toStdString()).sites;
  const app::Picture picture = pictureOf(5, sites);
  EXPECT_EQ(QImage(path("kite.png")).convertToFormat(QImage::Format_RGB32), rendered(picture));

  // Four sides and the short diagonal: five Delaunay edges, the first from A to B.
  std::vector<app::LineItem> delaunay;
  for (const app::PictureItem& item : picture) {
    if (app::layerOf(item) == app::Layer::DelaunayEdges) {
      delaunay.push_back(std::get<app::LineItem>(item));
    }
  }
  ASSERT_EQ(delaunay.size(), 5u);
  EXPECT_EQ((std::array{delaunay[0].x1, delaunay[0].y1, delaunay[0].x2, delaunay[0].y2}),
            (std::array{200.0f, 210.0f, 410.0f, 100.0f}));
  EXPECT_TRUE(std::none_of(delaunay.begin(), delaunay.end(), [](const app::LineItem& line) {
    return geometry::exactlyEqual(line.x1, 200) && geometry::exactlyEqual(line.x2, 600);
  })) << "the long diagonal AC is drawn";
}

TEST_F(CommandLine, ExplainsEveryPairOrOnePairStepByStep) {
  const Outcome all = runProgram({"--seed", "42", "--explain", "all"});
  EXPECT_EQ(all.exitCode, 0);
  const QStringList lines = all.output.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 39 * 38 / 2);
  EXPECT_EQ(lines[0], "pair 1-2: blocked by 29, 26 cut points");
  EXPECT_EQ(lines[1], "pair 1-3: shadowed, 39 cut points");
  EXPECT_EQ(lines[5], "pair 1-7: drawn, piece 17 of 39 cut points");
  // As many pairs drawn as the picture has red pieces.
  const app::Picture picture = pictureOf(42);
  EXPECT_EQ(lines.filter(QStringLiteral(": drawn, ")).size(),
            std::count_if(picture.begin(), picture.end(), [](const app::PictureItem& item) {
              return app::layerOf(item) == app::Layer::VoronoiEdges;
            }));

  // One pair, named in either order: its account; with --save, its result's picture and
  // nothing printed: the bisector from (5440, 20320) to (25760, 0), in window pixels.
  write("five.txt", testing_support::kFiveSitesList.c_str());
  EXPECT_TRUE(runProgram({"--sites", path("five.txt"), "--explain", "2-1"})
                  .output.startsWith("pair 1-2: drawn, piece 2 of 4 cut points\n"));
  const Outcome one =
      runProgram({"--sites", path("five.txt"), "--explain", "2-1", "--save", path("a.svg")});
  EXPECT_EQ(one.exitCode, 0);
  EXPECT_EQ(one.output, QString());
  EXPECT_TRUE(
      contents(path("a.svg")).contains(R"(<line x1="-9760" y1="10160" x2="10560" y2="-10160")"));
  // The detail's step 3, site 4's screening: the ticks labelled with the sites that cut.
  const Outcome detail = runProgram({"--sites", path("five.txt"), "--explain", "1-2", "--detail",
                                     "--step", "3", "--save", path("b.svg")});
  EXPECT_EQ(detail.output, "step 3: site 4: cut at (350, 50)\n");
  const QByteArray svg = contents(path("b.svg"));
  EXPECT_TRUE(svg.contains(">3</text>") && svg.contains(">4</text>"));
}

// --exact: each pair whose exact outcome differs, in scan order, then the count.
TEST_F(CommandLine, ComparesTheFloatOutcomesWithExactArithmetic) {
  const Outcome differs = runProgram(
      {"--sites", QStringLiteral(VD_SOURCE_DIR "/examples/rounding-cocircular.txt"), "--exact"});
  EXPECT_EQ(differs.exitCode, 0);
  EXPECT_EQ(differs.output,
            "pair 2-3: float drawn, piece 4, exact drawn, piece 5\n1 pairs of 36 differ\n");
  EXPECT_EQ(runProgram({"--seed", "42", "--exact"}).output, "0 pairs of 741 differ\n");

  // With --explain I-J, each step says whether exact arithmetic agrees: for pair 2-3 the
  // sorted order flips at entry 3, and piece 4, open for the floats, is shadowed by site 4.
  const QString steps =
      runProgram({"--sites", QStringLiteral(VD_SOURCE_DIR "/examples/rounding-cocircular.txt"),
                  "--explain", "2-3", "--exact"})
          .output;
  EXPECT_TRUE(
      steps.contains("\n    exact: differs: from entry 3 on, the exact order is another\n"
                     "step 10: "));
  EXPECT_TRUE(
      steps.contains("open: no site is closer than site 2\n"
                     "    exact: differs: float open, exact shadowed by site 4\n"));
  EXPECT_EQ(steps.count("exact: agrees"), 11);

#ifndef VD_SANITIZE  // the search has 5 seconds, which a sanitized build may need for this
  // --find-failure prints the site list it found, which --exact confirms.
  const Outcome found = runProgram({"--seed", "7", "--find-failure"});
  ASSERT_EQ(found.exitCode, 0) << found.errors.toStdString();
  EXPECT_TRUE(found.output.startsWith("# seed 7\n"));
  write("found.txt", found.output.toUtf8());
  const QString confirmed = runProgram({"--sites", path("found.txt"), "--exact"}).output;
  // The map of pair 2-3 of the example as site 1 moves: bright where the outcome differs
  // (the example's own spot among them), dark where it does not.
  ASSERT_EQ(
      runProgram({"--sites", QStringLiteral(VD_SOURCE_DIR "/examples/rounding-cocircular.txt"),
                  "--nudge-map", "2-3-1", "--save", path("map.png")})
          .exitCode,
      0);
  const QImage map(path("map.png"));
  ASSERT_EQ(map.size(), QSize(256, 256));
  EXPECT_EQ(map.pixel(128, 128), qRgb(255, 60, 60)) << "site 1 where it is: they differ";
  EXPECT_EQ(map.pixel(0, 0), qRgb(24, 32, 48));
  EXPECT_TRUE(confirmed.startsWith("pair ") && confirmed.endsWith(" pairs of 1128 differ\n"))
      << confirmed.toStdString();
#endif
}

struct BadRun {
  const char* name;
  const char* arguments;  // FILE stands for the site list, OUT for the output folder
  std::string sites;
  std::string expected;
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
  EXPECT_TRUE(outcome.errors.contains(QString::fromStdString(GetParam().expected)))
      << outcome.errors.toStdString();
  for (const QString& line : outcome.errors.split('\n')) {
    EXPECT_LE(line.size(), 200) << "the message quotes too much";
  }
  EXPECT_LE(outcome.errors.count('\n'), 2) << "what is wrong, not the whole help";
  EXPECT_TRUE(std::all_of(outcome.errors.begin(), outcome.errors.end(), [](QChar c) {
    return c == '\n' || c.isPrint();
  })) << "control characters reach the terminal";
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"sites.txt"});
}

constexpr const char* kSitesToPng = "--sites FILE --save OUT/a.png";

INSTANTIATE_TEST_SUITE_P(
    Examples, CommandLineRefuses,
    ::testing::Values(
        BadRun{"Word", kSitesToPng, "100 200\nabc 5\n", "sites.txt: line 2: expected two numbers"},
        BadRun{"ThreeNumbers", kSitesToPng, "100 200 300\n", "line 1: expected two numbers"},
        BadRun{"NotANumber", kSitesToPng, "nan 5\n", "line 1: expected two numbers"},
        BadRun{"ControlBytes", kSitesToPng, std::string("1 2\n\x1b[31m\0 5\n", 12),
               R"(line 2: expected two numbers, x and y in pixels, not "\x1B[31m\x00 5")"},
        BadRun{"LongLineQuotedInPart", kSitesToPng, "100 " + std::string(900, '7'),
               "not \"100 " + std::string(56, '7') + "...\""},
        BadRun{"LineTooLong", kSitesToPng, "1 2\n" + std::string(1001, ' ') + "\n",
               "line 2: longer than 1000 characters"},
        BadRun{"ListTooLarge", kSitesToPng, std::string((1 << 20) + 1, '\n'),
               "larger than 1048576 bytes"},
        BadRun{"Device", "--sites /dev/zero --save OUT/a.png", "", "larger than 1048576 bytes"},
        BadRun{"RightOfTheWindow", kSitesToPng, "# a comment\n100 200\n760.5 100\n",
               "line 3: site \"760.5 100\" is outside the window, 0 to 760 by 0 to 508"},
        BadRun{"OneSite", kSitesToPng, "\n100 200\n", "found 1 site; at least 2"},
        BadRun{"TooMany", kSitesToPng, manySites(102), "line 102: more than 101 sites"},
        BadRun{"SameX", kSitesToPng, "100 200\n300 100\n100 300\n",
               "line 3: the site has the same x as the site on line 1"},
        // Different in the file, equal once shifted and stored in single precision.
        BadRun{"SameStoredY", kSitesToPng, "100 200.0001\n150, 200.0002\n",
               "line 2: the site has the same y"},
        BadRun{"MissingSiteList", "--sites OUT/none.txt --save OUT/a.png", "", "cannot be opened"},
        BadRun{"UnknownExtension", "--seed 1 --save OUT/a.bmp", "",
               "must end in .png, .svg, .pdf, .tex or .html"},
        BadRun{"CsvWithoutGrade", "--csv", "", "--csv and --summary go with --grade"},
        BadRun{"CsvAndSummary", "--grade --csv --summary a.json", "", "--csv or --summary besides"},
        BadRun{"GradeWithoutFiles", "--grade", "", "--grade takes results files"},
        BadRun{"PickOfAWebPage", "--seed 1 --explain 1-2 --pick 1 --save OUT/a.html", "",
               "--pick takes step numbers such as 1,4-6, with --explain I-J and --save to a "
               ".pdf or .tex file"},
        BadRun{"ScaleOfAnSvg", "--seed 1 --scale 2 --save OUT/a.svg", "", "--scale goes with"},
        BadRun{"MissingFolder", "--seed 1 --save OUT/no/a.png", "", "cannot write"},
        BadRun{"UnknownOption", "--colour red", "", "Unknown option 'colour'"},
        BadRun{"BadSeed", "--seed -3 --save OUT/a.png", "", "--seed takes a whole number"},
        BadRun{"ExplainWord", "--seed 42 --explain some", "", "--explain takes all or two"},
        BadRun{"ExplainSiteOutOfRange", "--seed 42 --explain 1-40 --save OUT/a.png", "",
               "--explain 1-40: not a pair of this run, which has 39 sites"},
        BadRun{"StepWithoutAPair", "--seed 42 --explain all --step 2", "", "go with --explain I-J"},
        BadRun{"StepOutsideTheLesson", "--seed 42 --explain 1-2 --step 99", "",
               "the lesson of pair 1-2 has steps 1 to"},
        BadRun{"QuizTooLong", "--seed 42 --quiz 101 --save OUT/a.xml", "",
               "--quiz takes at most 100 questions, not 101"},
        BadRun{"NudgeMapOfNoPair", "--seed 42 --nudge-map 3-2-1 --save OUT/a.png", "",
               "--nudge-map 3-2-1: give a pair I-J"},
        BadRun{"NudgeMapToSvg", "--seed 42 --nudge-map 1-2-3 --save OUT/a.svg", "",
               "--nudge-map takes three site numbers"},
        BadRun{"ExactWithSave", "--seed 42 --exact --save OUT/a.png", "",
               "--exact and --find-failure go with"},
        BadRun{"BlankDetail",
               "--seed 42 --explain 1-7 --detail --paper a4 --blank --save OUT/a.pdf", "",
               "--blank asks the overview's questions: not with --detail"},
        BadRun{"SeveralPairsOnScreen", "--seed 42 --explain 1-7,2-9 --save OUT/a.pdf", "",
               "--explain takes several pairs (1-7,2-9) only with --paper"},
        BadRun{"SeveralPairsOneWrong", "--seed 42 --explain 1-7,2-99 --paper a4 --save OUT/a.pdf",
               "", "--explain: 2-99 is not a pair of this run, which has 39 sites"},
        BadRun{"BlankTour", "--seed 42 --tour --paper a4 --blank --save OUT/a.pdf", "",
               "--paper --blank asks the overview's questions: not with --detail or --tour"},
        BadRun{"PaperTourToPng", "--seed 42 --tour --paper a4 --save OUT/a.png", "",
               "--tour goes with"},
        BadRun{"UnknownExercise", "--exercise hull --seed 1 --save OUT/a.pdf", "",
               "--exercise takes delaunay-edges, voronoi-piece or cut-point, not hull"},
        BadRun{"ExerciseWithoutASeed", "--exercise cut-point --save OUT/a.pdf", "",
               "--exercise goes with --seed N, or A-B"},
        BadRun{"SeedsBackwards", "--exercise cut-point --seed 9-3 --save OUT/a.pdf", "",
               "or a range A-B of them, not 9-3"},
        BadRun{"TooManySheets", "--exercise cut-point --seed 1-501 --save OUT/a.pdf", "",
               "makes more than 500 sheets"},
        BadRun{"SheetsAsAPage", "--exercise cut-point --seed 1-2 --save OUT/a.html", "",
               "with --exercise and --save FILE.html, --seed takes one seed"},
        BadRun{"ExerciseOfSites", "--exercise cut-point --seed 1 --sites FILE --save OUT/a.pdf",
               "1 1\n5 5\n", "not with --sites"},
        BadRun{"AnswersAlone", "--seed 1 --answers --save OUT/a.pdf", "",
               "--answers goes with --exercise"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Saves that fail, built so that they fail for root too: the file that was there stays as
// it was, nothing else is left in the folder, and the message says why. A device is written
// directly and kept.
TEST_F(CommandLine, SavesThatFailLeaveEverythingAsItWas) {
  write("old.png", "the picture before");
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
  ASSERT_TRUE(QFile::link("/dev/full", path("full.png")));
  const auto expectRefused = [&](const QStringList& arguments, const char* reason,
                                 const QString& shell = {}) {
    const Outcome outcome =
        shell.isEmpty() ? runProgram(arguments)
                        : runProgram({"-c", shell}, QProcessEnvironment::systemEnvironment(),
                                     QStringLiteral("/bin/bash"));
    EXPECT_EQ(outcome.exitCode, 2) << reason;
    EXPECT_TRUE(outcome.errors.contains(QString::fromLatin1(reason)))
        << outcome.errors.toStdString();
    EXPECT_EQ(contents(path("old.png")), "the picture before");
    EXPECT_EQ(
        QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot),
        (QStringList{"folder.png", "full.png", "old.png"}));
  };
  expectRefused({"--seed", "1", "--save", path("old.png/a.png")}, "Not a directory");
  expectRefused({"--seed", "1", "--save", path("folder.png")}, "it is a folder");
  expectRefused({"--seed", "1", "--save", path("full.png")}, "No space left on device");
  // A full file system: the program may not make any file larger than nothing, or than
  // one block, which it fills before the system refuses the rest.
  for (const char* blocks : {"0", "1"}) {
    expectRefused({}, "File too large",
                  QStringLiteral("trap '' XFSZ; ulimit -f %3; exec %1 --seed 1 --save %2")
                      .arg(QStringLiteral(VD_EXECUTABLE), path("old.png"), blocks));
  }
  EXPECT_EQ(QFileInfo(path("full.png")).symLinkTarget(), "/dev/full") << "the link was replaced";
}

TEST_F(CommandLine, AnEndlessSiteListEndsAtTheBound) {
  QProcess shell;
  shell.start(QStringLiteral("/bin/sh"),
              {"-c", QStringLiteral("yes '100 200' | %1 --sites - --save %2")
                         .arg(QStringLiteral(VD_EXECUTABLE), path("a.png"))});
  ASSERT_TRUE(shell.waitForFinished(60000));
  EXPECT_EQ(shell.exitCode(), 2);
  EXPECT_TRUE(shell.readAllStandardError().contains("larger than 1048576 bytes"));
}

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

// --style projector shows the window in that style and remembers it, as Shift+P does; Qt,
// whose warnings are asked for, never takes it for a widget style of its own.
TEST_F(CommandLine, TheWindowOpensInTheStyleAskedForAndRemembersIt) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
  environment.insert(QStringLiteral("XDG_STATE_HOME"), dir.path());
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.warning=true"));
  QProcess window;
  window.setProcessEnvironment(environment);
  window.start(QStringLiteral(VD_EXECUTABLE), {"--seed", "5", "--style", "projector"});
  const QString settings = dir.filePath(QStringLiteral("voronoi-delaunay/view.conf"));
  const bool remembered =
      QTest::qWaitFor([&] { return contents(settings).contains("style=projector"); }, 30000);
  window.kill();
  window.waitForFinished();
  EXPECT_TRUE(remembered) << contents(settings).toStdString();
  const QByteArray warnings = window.readAllStandardError();
  EXPECT_FALSE(warnings.contains("style")) << warnings.toStdString();
}

// Output that cannot be written is never reported as success: a full disk under standard
// output (here /dev/full) is said and exits with 2, whatever the mode prints.
TEST_F(CommandLine, AFailedWriteToStandardOutputIsAnError) {
  write("good.json", testing_support::drawingFile(testing_support::layoutOf(1), "[[1, 2]]"));
  for (const QString& arguments :
       {QStringLiteral("--help"), QStringLiteral("--seed 1 --explain all"),
        QStringLiteral("--seed 1 --explain 1-2 --steps"),
        QStringLiteral("--grade --csv ") + path("good.json")}) {
    const Outcome outcome = runProgram(
        {"-c",
         QStringLiteral("exec %1 %2 > /dev/full").arg(QStringLiteral(VD_EXECUTABLE), arguments)},
        QProcessEnvironment::systemEnvironment(), QStringLiteral("/bin/bash"));
    EXPECT_EQ(outcome.exitCode, 2) << arguments.toStdString();
    EXPECT_EQ(outcome.errors, QStringLiteral("voronoi-delaunay: cannot write to standard output: "
                                             "No space left on device\n"))
        << arguments.toStdString();
  }
}

// Every file the program writes is of one kind, known by its name's ending in any case; the
// dialog's entry of each offers that ending, and a name of no kind is told the endings that
// would do.
TEST(OutputKinds, EndingsNameOneKindEachAndRefusalsListThem) {
  EXPECT_EQ(app::outputKindFor("a.PNG"), app::OutputKind::Png);
  EXPECT_EQ(app::outputKindFor("b.htm"), app::OutputKind::WebPage);
  EXPECT_EQ(app::outputKindFor("dir.svg/c.Html"), app::OutputKind::WebPage);
  EXPECT_EQ(app::outputKindFor("round.xml"), app::OutputKind::MoodleQuiz);
  EXPECT_EQ(app::outputKindFor("a.png.txt"), std::nullopt);
  EXPECT_EQ(app::outputKindFor("png"), std::nullopt);
  for (const app::OutputKindInfo& info : app::kOutputKinds) {
    EXPECT_TRUE(QString::fromLatin1(info.filter).contains(QStringLiteral("*") + info.endings[0]))
        << info.filter;
    EXPECT_EQ(info.pictureFormat.has_value(), app::holds(info.kind, app::Holds::StepPicture));
  }
  EXPECT_EQ(app::unknownOutputKind("a.txt", app::Holds::RunPicture),
            "cannot save a.txt: the file name must end in .png, .svg, .pdf, .tex or .html");
  EXPECT_EQ(app::endingsHolding(app::Holds::Lesson), ".pdf, .tex or .html");
  EXPECT_EQ(runProgram({"--seed", "1", "--save", "a.xml"}).errors,
            "voronoi-delaunay: cannot save a.xml: the file name must end in .png, .svg, .pdf, "
            ".tex or .html\nTry 'voronoi-delaunay --help' for the options.\n");
}

TEST_F(CommandLine, HelpAndVersionSucceed) {
  const Outcome help = runProgram({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.output.contains(QStringLiteral("--sites <FILE>")));
  EXPECT_EQ(runProgram({"--version"}).output, QStringLiteral("voronoi-delaunay 1.0.0\n"));
}

}  // namespace
