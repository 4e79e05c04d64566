#include "explanation/lesson.h"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>

#include "explanation/explanation_picture.h"
#include "explanation/explanation_text.h"
#include "explanation/label_placer.h"
#include "explanation/quiz.h"
#include "explanation/tour.h"
#include "geometry/dist.h"
#include "geometry/window_frame.h"
#include "picture/picture_style.h"
#include "support/five_sites.h"
#include "support/pictures.h"
#include "support/random_sites.h"
#include "support/run_counts.h"

namespace {

using geometry::kWindowFrame;
using geometry::PairResult;

using testing_support::kFiveSites;

TEST(Lesson, OfTheHandMadePairStepByStep) {
  const app::RunResult run = app::runDemonstration({1, kFiveSites});
  const app::Lesson lesson =
      app::lessonOf(geometry::explainPair(kWindowFrame, *run.sites, 1, 2), *run.sites);
  std::vector<std::string> lines;
  for (std::size_t n = 0; n < lesson.steps.size(); ++n) {
    lines.push_back(app::stepLine(lesson, n));
  }
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "step 1: site 1 (100, 100) and site 2 (300, 300): bisector y = m1 x + c in "
                       "window pixels, m1 = -1, c = 400, from (-9760, 10160) to (10560, -10160)",
                       "step 2: site 3: cut at (225, 175)", "step 3: site 4: cut at (350, 50)",
                       "step 4: site 5: passed: in the quadrant but not nearer than site 2, and "
                       "its line misses the stretch",
                       "step 5: sorted cut list (entry: x, y, made by): 0: (-9760, 10160) start; "
                       "1: (225, 175) site 3; 2: (350, 50) site 4; 3: (10560, -10160) end",
                       "step 6: piece 1: midpoint (-4767.5, 5167.5), shadowed by site 3, "
                       "strictly closer than site 1",
                       "step 7: piece 2: midpoint (287.5, 112.5), open: no site is closer "
                       "than site 1",
                       "step 8: result: piece 2, from entry 1 to entry 2, is drawn in red, then "
                       "the Delaunay edge from site 1 to site 2"}));
  EXPECT_EQ(lesson.decidingStep(), 6u);

  // The overview, in window pixels: sites 3 and 4 cut, site 5 passes; piece 1, shadowed by
  // site 3, and piece 2, free; six steps, each naming the detail steps it gathers.
  std::vector<std::string> overview;
  for (std::size_t n = 0; n < lesson.overview.size(); ++n) {
    overview.push_back(app::stepLine(lesson, app::LessonLevel::Overview, n));
  }
  EXPECT_EQ(overview,
            (std::vector<std::string>{
                "step 1: Is 1-2 an edge? Its Voronoi edge, if any, lies on this line, the points "
                "as far from site 1 at (100, 100) as from site 2 at (300, 300). [detail step 1]",
                "step 2: The other sites' bisectors with site 1 cut the line at the ticks: 2 "
                "sites cut it, 1 site passes (its bisector misses the line, or runs along it). "
                "[detail steps 2-4]",
                "step 3: Sorted along the line, the 4 cut points (the stretch's two ends among "
                "them) make 3 pieces: piece p runs from #p-1 to #p. [detail step 5]",
                "step 4: Piece 1 is shadowed: site 3 is nearer to its midpoint than site 1; the "
                "piece carries that site's number. [detail step 6]",
                "step 5: Piece 2 is free: the circle about its midpoint through site 1 and site 2 "
                "holds no other site. [detail step 7]",
                "step 6: 1-2 is an edge: its Voronoi edge is piece 2 in red, its Delaunay edge "
                "the segment from site 1 to site 2. [detail step 8]"}));
  EXPECT_EQ(lesson.decidingStep(app::LessonLevel::Overview), 4u);
  EXPECT_EQ(lesson.stepAtOtherLevel(app::LessonLevel::Overview, 3), 5u) << "piece 1's step";
  EXPECT_EQ(lesson.stepAtOtherLevel(app::LessonLevel::Detail, 2), 1u) << "site 4's screening";

  // The empty circle of piece 1: about its midpoint, through site 1, with site 3 inside,
  // ringed and joined to the midpoint. That of piece 2: sites 1 and 2 on its rim, as
  // 187.5^2 + 12.5^2 = 35,312.5 from both, and every other site outside.
  const auto circleAbout = [&](std::size_t step, double midX, double midY) {
    const app::Picture picture = app::lessonStepPicture(run.picture, lesson, step, *run.sites);
    for (const app::PictureItem& item : picture) {
      const auto* c = std::get_if<app::CircleItem>(&item);
      if (c != nullptr && geometry::exactlyEqual(c->x, kWindowFrame.windowX(midX)) &&
          geometry::exactlyEqual(c->y, kWindowFrame.windowY(midY)) && c->radius > 3) {
        return std::pair(*c, picture);
      }
    }
    ADD_FAILURE() << "no circle about the midpoint in step " << step + 1;
    return std::pair(app::CircleItem{}, picture);
  };
  const auto [shadowed, shadowedPicture] = circleAbout(5, 10432.5, 15327.5);
  EXPECT_FLOAT_EQ(shadowed.radius, static_cast<float>(std::hypot(4867.5, 5067.5)));
  const float x3 = kWindowFrame.windowX(run.sites->x(3)),
              y3 = kWindowFrame.windowY(run.sites->y(3));
  EXPECT_LT(std::hypot(x3 - shadowed.x, y3 - shadowed.y), shadowed.radius) << "site 3 inside";
  EXPECT_TRUE(std::any_of(shadowedPicture.begin(), shadowedPicture.end(), [&](const auto& item) {
    const auto* ring = std::get_if<app::CircleItem>(&item);
    return ring != nullptr && geometry::exactlyEqual(ring->x, x3) &&
           geometry::exactlyEqual(ring->y, y3);
  })) << "site 3 is ringed";
  const auto [open, openPicture] = circleAbout(6, 15487.5, 10272.5);
  EXPECT_FLOAT_EQ(open.radius, static_cast<float>(std::sqrt(35312.5)));
  for (int k = 3; k <= 5; ++k) {
    EXPECT_GT(std::hypot(kWindowFrame.windowX(run.sites->x(k)) - open.x,
                         kWindowFrame.windowY(run.sites->y(k)) - open.y),
              open.radius)
        << "site " << k << " outside the open piece's circle";
  }
}

// The points a step's text names, in window pixels: the pair's sites, and the site that
// blocks, the sites that shadow, or the midpoint the step's circle is about.
std::vector<QPointF> namedPoints(const app::Lesson& lesson, const app::OverviewStep& step,
                                 const geometry::SiteColumns& sites) {
  const geometry::PairAccount& a = lesson.account;
  const auto at = [&](int k) {
    return QPointF(kWindowFrame.windowX(sites.x(k)), kWindowFrame.windowY(sites.y(k)));
  };
  std::vector<QPointF> points{at(a.i), at(a.j)};
  if (a.outcome.result == PairResult::Blocked) {
    points.push_back(at(a.outcome.blockedBy));
  } else if (step.kind == app::OverviewKind::Shadows) {
    for (const int k : app::shadowersOf(a, step.pieces)) {
      points.push_back(at(k));
    }
  } else if (step.kind == app::OverviewKind::Decision && lesson.provesShadow()) {
    points.push_back(at(lesson.shadowProof.k));
    if (lesson.shadowProof.l != 0) {
      points.push_back(at(lesson.shadowProof.l));
    }
  } else if (step.kind == app::OverviewKind::Decision) {
    const geometry::PieceStep& p = a.pieces.back();
    points.emplace_back(kWindowFrame.windowX(p.midX), kWindowFrame.windowY(p.midY));
  }
  return points;
}

// No two texts of a step's picture overlap or leave the picture, and no box (the step's
// line, the legend) covers a point the step names or the ring about it.
void expectTextsApart(const app::Picture& picture, const std::vector<QPointF>& named,
                      const std::string& where) {
  std::vector<QRectF> areas, rings;
  for (const app::PictureItem& item : picture) {
    const auto* ring = std::get_if<app::CircleItem>(&item);
    if (ring != nullptr && ring->site != 0 && ring->layer == app::Layer::Overlay) {
      rings.emplace_back(ring->x - ring->radius, ring->y - ring->radius, 2 * ring->radius,
                         2 * ring->radius);
    }
  }
  for (const app::PictureItem& item : picture) {
    if (const auto* text = std::get_if<app::TextItem>(&item)) {
      const app::PixelRect placed = app::textArea(*text);
      const QRectF area(placed.left(), placed.top(), placed.width(), placed.height());
      ASSERT_TRUE(QRectF(0, 0, 753, 475).contains(area)) << where << ": " << text->text;
      for (const QRectF& other : areas) {
        ASSERT_FALSE(other.intersects(area)) << where << ": " << text->text;
      }
      const bool siteNumber = (text->colour == app::kNumber || text->colour == app::kPairSite) &&
                              text->text.find_first_not_of("0123456789") == std::string::npos;
      for (const QRectF& other : rings) {
        ASSERT_FALSE(siteNumber && other.intersects(area))
            << where << ": a ring covers site " << text->text;
      }
      areas.push_back(area);
    }
    if (const auto* box = std::get_if<app::RectItem>(&item)) {
      const QRectF area(box->x, box->y, box->width, box->height);
      for (const QPointF& point : named) {
        EXPECT_FALSE(area.contains(point))
            << where << ": a box covers " << point.x() << ", " << point.y();
        for (const QRectF& ring : rings) {
          EXPECT_FALSE(ring.contains(point) && area.intersects(ring))
              << where << ": a box covers the ring about " << point.x() << ", " << point.y();
        }
      }
    }
  }
}

// Where site d lies against the circle through sites a, b and c, in exact arithmetic: > 0
// inside, 0 on it, < 0 outside; and which side of the line from a to b site c lies on.
int turn(const geometry::SiteColumns& s, int a, int b, int c) {
  const auto x = [&](int k) { return mpq_class(s.x(k)); };
  const auto y = [&](int k) { return mpq_class(static_cast<double>(s.y(k))); };
  return sgn((x(b) - x(a)) * (y(c) - y(a)) - (y(b) - y(a)) * (x(c) - x(a)));
}
int circleSide(const geometry::SiteColumns& s, int a, int b, int c, int d) {
  std::array<std::array<mpq_class, 3>, 3> m;
  for (const auto& [row, k] : {std::pair{0, a}, std::pair{1, b}, std::pair{2, c}}) {
    const mpq_class dx = mpq_class(s.x(k)) - s.x(d);
    const mpq_class dy = mpq_class(static_cast<double>(s.y(k))) - static_cast<double>(s.y(d));
    m[row] = {dx, dy, dx * dx + dy * dy};
  }
  const mpq_class det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                        m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                        m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  return sgn(det) * turn(s, a, b, c);
}

// A shadowed pair's deciding step gives the theory's reason, which exact arithmetic
// confirms: a site on the segment, or sites K and L either side of the line, the circle
// through I, J and K holding L and the one through I, J and L holding K. Returns whether
// the lesson has such a proof.
bool expectProofConfirmed(const app::Lesson& lesson, const geometry::SiteColumns& sites,
                          const std::string& where) {
  const geometry::PairAccount& a = lesson.account;
  if (!lesson.provesShadow()) {
    return false;
  }
  const app::OverviewStep& step = lesson.overview[lesson.decidingStep(app::LessonLevel::Overview)];
  EXPECT_EQ(step.kind, app::OverviewKind::Decision) << where;
  const int k = lesson.shadowProof.k, l = lesson.shadowProof.l;
  EXPECT_NE(step.text.find("site " + std::to_string(k)), std::string::npos) << where;
  if (lesson.shadowProof.verdict == app::EdgeProof::Verdict::SiteOnSegment) {
    EXPECT_EQ(turn(sites, a.i, a.j, k), 0) << where;
    EXPECT_LT((sites.x(k) - sites.x(a.i)) * (sites.x(k) - sites.x(a.j)), 0) << where;
    return true;
  }
  EXPECT_NE(step.text.find("site " + std::to_string(l)), std::string::npos) << where;
  EXPECT_EQ(turn(sites, a.i, a.j, k) * turn(sites, a.i, a.j, l), -1) << where << ": either side";
  EXPECT_GT(circleSide(sites, a.i, a.j, k, l), 0) << where << ": " << l << " inside";
  EXPECT_GT(circleSide(sites, a.i, a.j, l, k), 0) << where << ": " << k << " inside";
  return true;
}

// A step's picture rings each site in a colour of its own, never the pair's or the
// bisector's; the pair's two sites aside, and the grey of the sites that pass, a kind
// rather than a site.
void expectOneSitePerColour(const app::Picture& picture, const geometry::PairAccount& a,
                            const std::string& where) {
  std::map<app::Colour, int> siteOf;
  for (const app::PictureItem& item : picture) {
    const auto* ring = std::get_if<app::CircleItem>(&item);
    if (ring == nullptr || ring->site == 0 || ring->layer != app::Layer::Overlay ||
        ring->site == a.i || ring->site == a.j || ring->colour == app::kPassing) {
      continue;
    }
    EXPECT_NE(ring->colour, app::kPairSite) << where << ": site " << ring->site;
    EXPECT_NE(ring->colour, app::kBisector) << where << ": site " << ring->site;
    const auto [at, added] = siteOf.emplace(ring->colour, ring->site);
    EXPECT_TRUE(added || at->second == ring->site)
        << where << ": sites " << at->second << " and " << ring->site << " share a colour";
  }
}

// The screening step counts the cut points beyond the picture, in its line, in its legend
// and at the arrows on the border ("5 cuts", where the border has room for the label), so
// that its count matches the ticks a learner can see.
void expectCutsBeyondCounted(const app::Picture& picture, const app::Lesson& lesson,
                             const std::string& where) {
  const auto& cuts = lesson.account.competitors;
  const auto beyond = std::count_if(cuts.begin(), cuts.end(), [](const auto& c) {
    return c.outcome == geometry::Screening::Cut && !kWindowFrame.shows(c.x, c.y);
  });
  long atArrows = 0, inLegend = 0;
  const QRegularExpression arrow(QStringLiteral("^(\\d+) cuts?$"));
  const QRegularExpression legend(QStringLiteral("^(\\d+) cut points? beyond the picture"));
  for (const app::PictureItem& item : picture) {
    if (const auto* text = std::get_if<app::TextItem>(&item)) {
      const auto match = arrow.match(QString::fromStdString(text->text));
      atArrows += match.hasMatch() ? match.captured(1).toLong() : 0;
      const auto line = legend.match(QString::fromStdString(text->text));
      inLegend += line.hasMatch() ? line.captured(1).toLong() : 0;
    }
  }
  EXPECT_EQ(inLegend, beyond) << where;
  EXPECT_LE(atArrows, beyond) << where;
  const std::string& line = lesson.overview[1].text;
  EXPECT_EQ(line.find("(" + std::to_string(beyond) + " beyond the picture") != std::string::npos,
            beyond > 0)
      << where << ": " << line;
}

// The shadows' colours stay apart in greyscale: their CIE lightness L* differs by at least
// kShadowLightnessStep from each other's and from the shade the further sites share.
TEST(Lesson, ShadowColoursDifferInLightness) {
  const auto lightness = [](app::Colour c) { return app::lightnessOf(c); };
  std::vector<app::Colour> shades(app::kShadowColours.begin(), app::kShadowColours.end());
  shades.push_back(app::kShadowedPiece);
  for (std::size_t m = 0; m < shades.size(); ++m) {
    for (std::size_t n = m + 1; n < shades.size(); ++n) {
      EXPECT_GE(std::abs(lightness(shades[m]) - lightness(shades[n])), app::kShadowLightnessStep)
          << std::hex << shades[m] << " and " << shades[n];
    }
  }
}

// On 40 seeded runs: every lesson ends in its result and names the step that decided it;
// for the pair with the most cut points, no two labels of any step's picture, at either
// level, overlap or leave the picture, in the normal style or with the projector style's
// large text, and no box covers a point the step names.
TEST(Lesson, DecidesAndKeepsItsTextsApartOnSeededRuns) {
  int shadowedPairs = 0, proved = 0;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    const app::RunResult run = app::runDemonstration({seed, std::nullopt});
    const geometry::SiteColumns& sites = *run.sites;
    std::size_t mostCuts = 0;
    int busiestJ = 2;
    for (int j = 2; j <= sites.nSites; ++j) {
      const app::Lesson lesson =
          app::lessonOf(geometry::explainPair(kWindowFrame, sites, 1, j), sites);
      const geometry::PairAccount& a = lesson.account;
      ASSERT_EQ(lesson.steps.back().kind, app::StepKind::Result);
      const app::LessonStep& deciding = lesson.steps[lesson.decidingStep()];
      if (a.outcome.result == PairResult::Blocked) {
        ASSERT_EQ(deciding.kind, app::StepKind::Competitor);
        EXPECT_EQ(a.competitors[deciding.index].site, a.outcome.blockedBy);
      } else {
        ASSERT_EQ(deciding.kind, app::StepKind::Piece);
        EXPECT_EQ(a.pieces[deciding.index].shadowedBy == 0, a.outcome.result == PairResult::Drawn)
            << "seed " << seed << " pair 1-" << j;
      }
      if (a.outcome.result == PairResult::Shadowed) {
        ++shadowedPairs;
        proved +=
            expectProofConfirmed(lesson, sites,
                                 "seed " + std::to_string(seed) + " pair 1-" + std::to_string(j))
                ? 1
                : 0;
      }
      if (a.sorted.size() > mostCuts) {
        mostCuts = a.sorted.size();
        busiestJ = j;
      }
    }
    const app::Lesson busiest =
        app::lessonOf(geometry::explainPair(kWindowFrame, sites, 1, busiestJ), sites);
    for (const auto style : {app::PictureStyle::Normal, app::PictureStyle::Projector}) {
      for (std::size_t step = 0; step < busiest.overview.size(); ++step) {
        const app::Picture shown =
            app::overviewStepPicture(run.picture, busiest, step, sites, style);
        const std::string where =
            "seed " + std::to_string(seed) + " overview step " + std::to_string(step + 1);
        expectTextsApart(shown, namedPoints(busiest, busiest.overview[step], sites), where);
        expectOneSitePerColour(shown, busiest.account, where);
        if (busiest.overview[step].kind == app::OverviewKind::Screening &&
            style == app::PictureStyle::Normal) {
          expectCutsBeyondCounted(shown, busiest, where);
        }
      }
      const std::vector<QPointF> pair{
          {kWindowFrame.windowX(sites.x(1)), kWindowFrame.windowY(sites.y(1))},
          {kWindowFrame.windowX(sites.x(busiestJ)), kWindowFrame.windowY(sites.y(busiestJ))}};
      for (std::size_t step = 0; step < busiest.steps.size(); ++step) {
        expectTextsApart(app::lessonStepPicture(run.picture, busiest, step, sites, style), pair,
                         "seed " + std::to_string(seed) + " step " + std::to_string(step + 1));
      }
    }
  }
  // A pair the edge finder shadows without a proof has an empty circle beyond the stretch
  // or four sites on one circle: rare.
  EXPECT_GE(proved, shadowedPairs * 99 / 100) << proved << " of " << shadowedPairs;
}

// No answer before the question: on 40 seeded runs, no step of a pair's lesson before its
// result shows an edge of the finished diagram, at either level; the result step shows all of
// them under its marks, and so does every step when the learner asks for the whole diagram
// and the quiz's answer once it is given.
TEST(Lesson, GivesNoAnswerBeforeItsResult) {
  const auto finishedEdges = [](const app::Picture& picture) {
    return std::count_if(picture.begin(), picture.end(), [](const app::PictureItem& item) {
      return app::layerOf(item) == app::Layer::VoronoiEdges ||
             app::layerOf(item) == app::Layer::DelaunayEdges;
    });
  };
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    const app::RunResult run = app::runDemonstration({seed, std::nullopt});
    const geometry::SiteColumns& sites = *run.sites;
    const auto allEdges = finishedEdges(run.picture);
    ASSERT_GT(allEdges, 0);
    for (const int j : {2, sites.nSites / 2 + 1, static_cast<int>(sites.nSites)}) {
      const app::Lesson lesson =
          app::lessonOf(geometry::explainPair(kWindowFrame, sites, 1, j), sites);
      for (const auto level : {app::LessonLevel::Overview, app::LessonLevel::Detail}) {
        const std::size_t steps = lesson.count(level);
        for (std::size_t step = 0; step < steps; ++step) {
          const std::string where = "seed " + std::to_string(seed) + " pair 1-" +
                                    std::to_string(j) + " step " + std::to_string(step + 1) +
                                    (level == app::LessonLevel::Detail ? " (detail)" : "");
          EXPECT_EQ(finishedEdges(app::levelStepPicture(run.picture, lesson, level, step, sites)),
                    step + 1 == steps ? allEdges : 0)
              << where;
          EXPECT_EQ(finishedEdges(app::levelStepPicture(
                        run.picture, lesson, level, step, sites, app::PictureStyle::Normal,
                        app::StepText::InBox, app::LessonGround::WholeDiagram)),
                    allEdges)
              << where;
        }
      }
      const app::QuizQuestion question = app::quizQuestion(sites, 1, j);
      EXPECT_EQ(finishedEdges(
                    app::askingPicture(run.picture, question, sites, app::PictureStyle::Normal)),
                0);
      EXPECT_EQ(finishedEdges(
                    app::answerPicture(run.picture, question, sites, app::PictureStyle::Normal)),
                allEdges);
    }
  }
}

// On 200 seeded runs (60 under the sanitizers), every pair's overview has at most 7 steps, ends in
// its outcome and gathers the detail steps in order, one after the other; its lines are short and
// hold no number of the edge finder's frame (thousands of pixels) and none with two decimals; the
// detail's points are window pixels with one decimal too.
TEST(Lesson, OverviewsAreShortAndInTheWindowsNumbers) {
  const QRegularExpression domainNumber(QStringLiteral("\\b\\d{4,}|\\d\\.\\d\\d"));
  const QRegularExpression finePoint(QStringLiteral("\\([^)]*\\d\\.\\d\\d[^)]*\\)"));
  // 200 runs; under the sanitizers, which take ten times as long, the first 60.
  constexpr std::uint32_t kRuns = testing_support::runCount(200, 60);
  for (std::uint32_t seed = 1; seed <= kRuns; ++seed) {
    const auto sites = testing_support::randomSites(seed);
    for (const geometry::ScannedPair& pair : geometry::followEveryPair(kWindowFrame, *sites)) {
      const app::Lesson lesson =
          app::lessonOf(geometry::explainPair(kWindowFrame, *sites, pair.i, pair.j), *sites);
      const auto& overview = lesson.overview;
      const std::string where = "seed " + std::to_string(seed) + " pair " + std::to_string(pair.i) +
                                "-" + std::to_string(pair.j);
      for (const app::LessonStep& step : lesson.steps) {
        EXPECT_FALSE(QString::fromStdString(step.text).contains(finePoint)) << where << step.text;
      }
      ASSERT_LE(overview.size(), 7u) << where;
      ASSERT_EQ(overview.back().kind, app::OverviewKind::Result) << where;
      EXPECT_EQ(overview.back().lastDetail, lesson.steps.size() - 1) << where;
      EXPECT_EQ(overview.size() == 3, pair.outcome.result == PairResult::Blocked) << where;
      const bool edge = pair.outcome.result == PairResult::Drawn;
      EXPECT_EQ(overview.back().text.find(" is an edge") != std::string::npos, edge) << where;
      for (std::size_t n = 0; n < overview.size(); ++n) {
        EXPECT_LE(overview[n].text.size(), 190u) << where << ": " << overview[n].text;
        EXPECT_FALSE(QString::fromStdString(overview[n].text).contains(domainNumber))
            << where << ": " << overview[n].text;
        EXPECT_LE(overview[n].firstDetail, overview[n].lastDetail) << where;
        if (n > 0) {
          EXPECT_LE(overview[n - 1].firstDetail, overview[n].firstDetail) << where;
        }
      }
    }
  }
}

// The account writes every number as it always has, to the last digit: that of pair 1-2 on
// 40 seeded runs equals the golden file.
TEST(Lesson, AccountsAreUnchanged) {
  std::string text;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    const app::RunResult run = app::runDemonstration({seed, std::nullopt});
    text += app::accountText(geometry::explainPair(kWindowFrame, *run.sites, 1, 2), *run.sites);
  }
  EXPECT_EQ(text, testing_support::contents(VD_GOLDEN_DIR "/account-1-2.txt").toStdString());
}

// The quiz's reason names every site its picture rings, and says yes exactly for the pairs
// that get an edge; the tour has a step for each drawn pair, in the run's order, and one
// for the whole picture.
// A quiz round's reasons say yes just for the drawn pairs and name every site the deciding
// step's picture rings.
TEST(Lesson, QuizReasonsNameWhatTheyRing) {
  for (std::uint32_t seed = 1; seed <= 10; ++seed) {
    const app::RunResult run = app::runDemonstration({seed, std::nullopt});
    const geometry::SiteColumns& sites = *run.sites;
    app::Quiz quiz(seed, sites.nSites, run.edgePairs());
    for (int question = 0; question < app::Quiz::kQuestions; ++question) {
      const auto [i, j] = quiz.nextPair();
      const app::Lesson lesson =
          app::lessonOf(geometry::explainPair(kWindowFrame, sites, i, j), sites);
      const std::string reason = app::reasonOf(lesson);
      EXPECT_EQ(reason.starts_with("Yes"), lesson.account.outcome.result == PairResult::Drawn);
      EXPECT_TRUE(quiz.answer(reason.starts_with("Yes"), lesson.account.outcome.result));
      const app::Picture shown = app::overviewStepPicture(
          run.picture, lesson, lesson.decidingStep(app::LessonLevel::Overview), sites);
      for (const app::PictureItem& item : shown) {
        const auto* ring = std::get_if<app::CircleItem>(&item);
        if (ring != nullptr && ring->site != 0 && ring->layer == app::Layer::Overlay) {
          EXPECT_TRUE(QString::fromStdString(reason).contains(
              QRegularExpression(QStringLiteral("\\b%1\\b").arg(ring->site))))
              << "seed " << seed << ": site " << ring->site << " is ringed; " << reason;
        }
      }
    }
    EXPECT_EQ(quiz.right(), app::Quiz::kQuestions);
  }
}

// A round has about as many pairs with an edge as without, so that answering "no" every
// time does not pass, as far as the layout has pairs of each kind; the next rounds ask
// other pairs.
TEST(Lesson, QuizRoundsAreBalancedAndAskNewPairs) {
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    const app::RunResult run = app::runDemonstration({seed, std::nullopt});
    const std::vector<std::pair<int, int>> edges = run.edgePairs();
    const int nSites = run.sites->nSites, nEdges = static_cast<int>(edges.size());
    const int nOthers = nSites * (nSites - 1) / 2 - nEdges;
    const int fewest = std::max(0, app::Quiz::kQuestions - nOthers);
    const int most = std::min(app::Quiz::kQuestions, nEdges);
    app::Quiz quiz(seed, nSites, edges);
    std::set<std::pair<int, int>> asked;
    int edgesAsked = 0;
    for (int round = 0; round < 4; ++round) {
      int withEdge = 0;
      for (int question = 0; question < app::Quiz::kQuestions; ++question) {
        const std::pair<int, int> pair = quiz.nextPair();
        withEdge += std::ranges::count(edges, pair) > 0 ? 1 : 0;
        asked.insert(pair);
      }
      EXPECT_GE(withEdge, std::min(2, most)) << "seed " << seed << ", round " << round + 1;
      EXPECT_LE(withEdge, std::max(3, fewest)) << "seed " << seed << ", round " << round + 1;
      edgesAsked += withEdge;
    }
    if (std::min(nEdges, nOthers) >= 2 * app::Quiz::kQuestions) {
      EXPECT_EQ(edgesAsked, 2 * app::Quiz::kQuestions) << "seed " << seed;
      EXPECT_EQ(asked.size(), 4u * app::Quiz::kQuestions) << "seed " << seed;
    }
  }
}

// The tour visits every drawn pair in scan order, from where the picture is least crowded
// round to the pairs before it, each about a circle through its two sites that holds no
// other site, checked in exact arithmetic, hull edges included.
TEST(Lesson, TheTourVisitsEveryEdgeAboutAnEmptyCircle) {
  using Exact = mpq_class;
  for (std::uint32_t seed = 1; seed <= 10; ++seed) {
    const app::RunResult run = app::runDemonstration({seed, std::nullopt});
    const geometry::SiteColumns& sites = *run.sites;
    const app::Tour tour = app::tourOf(sites);
    const std::size_t drawn = run.drawnPairs.size();
    ASSERT_EQ(tour.count(), drawn + 1);
    const auto start = std::find_if(run.drawnPairs.begin(), run.drawnPairs.end(), [&](auto& p) {
      return p.i == tour.drawn[0].i && p.j == tour.drawn[0].j;
    });
    ASSERT_NE(start, run.drawnPairs.end());
    const auto first = static_cast<std::size_t>(start - run.drawnPairs.begin());
    for (std::size_t n = 0; n < drawn; ++n) {
      const auto& pair = run.drawnPairs[(first + n) % drawn];
      EXPECT_EQ(std::pair(tour.drawn[n].i, tour.drawn[n].j), std::pair(pair.i, pair.j));
    }
    // The first step's empty circle lies whole in the picture, and no pair whose circle does
    // has fewer other sites within 80 pixels of its Delaunay edge's middle.
    const auto whole = [&](const geometry::PairAccount& a) {
      const geometry::PieceStep& m = a.pieces.back();
      const double r = std::hypot(m.midX - sites.x(a.i), m.midY - double{sites.y(a.i)});
      const double x = geometry::kWindowFrame.windowX(m.midX);
      const double y = geometry::kWindowFrame.windowY(m.midY);
      return x >= r && y >= r && x + r <= 753 && y + r <= 475;
    };
    const auto crowd = [&](const geometry::PairAccount& a) {
      int near = 0;
      for (int k = 1; k <= sites.nSites; ++k) {
        const double dy = double{sites.y(k)} - (double{sites.y(a.i)} + double{sites.y(a.j)}) / 2;
        near += k != a.i && k != a.j &&
                std::hypot(sites.x(k) - (sites.x(a.i) + sites.x(a.j)) / 2, dy) < 80;
      }
      return near;
    };
    ASSERT_TRUE(whole(tour.drawn[0])) << "seed " << seed;
    for (const geometry::PairAccount& pair : tour.drawn) {
      if (whole(pair)) {
        EXPECT_GE(crowd(pair), crowd(tour.drawn[0])) << "seed " << seed;
      }
    }
    EXPECT_EQ(tour.drawn.size() + static_cast<std::size_t>(tour.blocked + tour.shadowed),
              static_cast<std::size_t>(tour.pairs));
    for (const geometry::PairAccount& pair : tour.drawn) {
      const geometry::PieceStep& open = pair.pieces.back();
      const auto squaredDistance = [&](int k) {
        const Exact dx = Exact(sites.x(k)) - Exact(open.midX);
        const Exact dy = Exact(static_cast<double>(sites.y(k))) - Exact(open.midY);
        return Exact(dx * dx + dy * dy);
      };
      const Exact radius = std::max(squaredDistance(pair.i), squaredDistance(pair.j));
      for (int k = 1; k <= sites.nSites; ++k) {
        if (k != pair.i && k != pair.j) {
          EXPECT_GT(squaredDistance(k), radius) << "seed " << seed << ", pair " << pair.i << "-"
                                                << pair.j << ": site " << k << " inside its circle";
        }
      }
    }
  }
}

}  // namespace
