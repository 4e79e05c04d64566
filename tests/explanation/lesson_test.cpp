#include "explanation/lesson.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "explanation/explanation_picture.h"
#include "explanation/label_placer.h"
#include "geometry/window_frame.h"
#include "support/five_sites.h"
#include "support/pictures.h"
#include "support/random_sites.h"

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
  EXPECT_EQ(lines,
            (std::vector<std::string>{
                "step 1: site 1 (15300, 10260) and site 2 (15500, 10460): bisector y = m1 "
                "x + c1, m1 = -1, c1 = 25760, from (5440, 20320) to (25760, 0)",
                "step 2: site 3: cut at (15425, 10335)", "step 3: site 4: cut at (15550, 10210)",
                "step 4: site 5: passed: in the quadrant but not nearer than site 2, and "
                "its line misses the stretch",
                "step 5: sorted cut list (entry: x, y, made by): 0: (5440, 20320) start; "
                "1: (15425, 10335) site 3; 2: (15550, 10210) site 4; 3: (25760, 0) end",
                "step 6: piece 1: midpoint (10432.5, 15327.5), shadowed by site 3, "
                "strictly closer than site 1",
                "step 7: piece 2: midpoint (15487.5, 10272.5), open: no site is closer "
                "than site 1",
                "step 8: result: piece 2, from entry 1 to entry 2, is drawn in red, then "
                "the Delaunay edge from site 1 to site 2"}));
  EXPECT_EQ(lesson.decidingStep(), 6u);

  // The empty circle of piece 1: about its midpoint, through site 1, with site 3 inside,
  // ringed and joined to the midpoint. That of piece 2: sites 1 and 2 on its rim, as
  // 187.5^2 + 12.5^2 = 35,312.5 from both, and every other site outside.
  const auto circleAbout = [&](std::size_t step, double midX, double midY) {
    const app::Picture picture = app::lessonStepPicture(run.picture, lesson, step, *run.sites);
    for (const app::PictureItem& item : picture) {
      const auto* c = std::get_if<app::CircleItem>(&item);
      if (c != nullptr && c->x == kWindowFrame.windowX(midX) &&
          c->y == kWindowFrame.windowY(midY) && c->radius > 3) {
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
    return ring != nullptr && ring->x == x3 && ring->y == y3;
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

// On 40 seeded runs: every lesson ends in its result, names the step that decided it as
// the block or the piece that decided, and no two labels of any step's picture overlap or
// leave the picture, in the normal style or with the projector style's large text.
TEST(Lesson, EndsInItsOutcomeAndKeepsItsLabelsApartOnSeededRuns) {
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
      if (a.sorted.size() > mostCuts) {
        mostCuts = a.sorted.size();
        busiestJ = j;
      }
    }
    const app::Lesson busiest =
        app::lessonOf(geometry::explainPair(kWindowFrame, sites, 1, busiestJ), sites);
    for (std::size_t step = 0; step < busiest.steps.size(); ++step) {
      for (const auto style : {app::PictureStyle::Normal, app::PictureStyle::Projector}) {
        std::vector<QRectF> areas;
        for (const app::PictureItem& item :
             app::lessonStepPicture(run.picture, busiest, step, sites, style)) {
          if (const auto* text = std::get_if<app::TextItem>(&item)) {
            const QRectF area = app::textArea(*text);
            ASSERT_TRUE(QRectF(0, 0, 753, 475).contains(area))
                << "seed " << seed << " step " << step + 1 << ": " << text->text;
            for (const QRectF& other : areas) {
              ASSERT_FALSE(other.intersects(area))
                  << "seed " << seed << " step " << step + 1 << ": " << text->text;
            }
            areas.push_back(area);
          }
        }
      }
    }
  }
}

}  // namespace
