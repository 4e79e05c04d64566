#include "exercises/exercise_round.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "explanation/delaunay_proof.h"
#include "geometry/window_frame.h"
#include "run/accepted_sites.h"
#include "steps/literal_steps.h"

namespace {

using geometry::kWindowFrame;

geometry::SiteColumns columnsOf(const app::ExerciseRound& round) {
  return *app::acceptedSites(round.sites());
}

// A round of drawing, played without a window: joining the layout's Delaunay edges by
// clicking their sites (a click on the first site twice takes it back), taking the last
// back and joining it again grades every edge right; after the check nothing more is drawn.
TEST(ExerciseRounds, DrawingTheDelaunayEdgesByClicks) {
  app::DelaunayEdgesRound round(11);
  const geometry::SiteColumns sites = columnsOf(round);
  const auto edges = app::delaunayEdges(sites).edges;
  ASSERT_FALSE(edges.empty());
  const auto clickSite = [&](int k) {
    const app::SitePosition& at = round.sites()[static_cast<std::size_t>(k - 1)];
    round.click(at.x, at.y);
  };
  clickSite(edges[0].first);
  clickSite(edges[0].first);  // picked and put down again
  for (const auto& [i, j] : edges) {
    clickSite(j);
    clickSite(i);
  }
  EXPECT_EQ(round.edges().size(), edges.size());
  EXPECT_TRUE(round.takeBack());
  EXPECT_EQ(round.edges().size(), edges.size() - 1);
  clickSite(edges.back().first);
  clickSite(edges.back().second);
  EXPECT_NE(
      round.shown(app::PictureStyle::Normal).line.find(std::to_string(edges.size()) + " drawn."),
      std::string::npos);
  round.check();
  const app::Score score = round.score();
  EXPECT_EQ(score.right, static_cast<int>(edges.size()));
  EXPECT_EQ(score.wrong + score.missed, 0);
  EXPECT_FALSE(round.takeBack()) << "a checked drawing is graded";
  EXPECT_EQ(round.results("Ada").edges.size(), edges.size());
  EXPECT_TRUE(round.shown(app::PictureStyle::Normal).line.starts_with("Right "));

  // Half the edges left out: the verdict's sentence names every one of them.
  app::DelaunayEdgesRound half(12);
  const auto halfEdges = app::delaunayEdges(columnsOf(half)).edges;
  for (std::size_t n = 0; n < halfEdges.size(); n += 2) {
    for (const int k : {halfEdges[n].first, halfEdges[n].second}) {
      const app::SitePosition& at = half.sites()[static_cast<std::size_t>(k - 1)];
      half.click(at.x, at.y);
    }
  }
  half.check();
  const std::string line = half.shown(app::PictureStyle::Normal).line;
  for (std::size_t n = 1; n < halfEdges.size(); n += 2) {
    const std::string name =
        std::to_string(halfEdges[n].first) + "-" + std::to_string(halfEdges[n].second);
    EXPECT_NE(line.find(" " + name), std::string::npos) << name << " missed: " << line;
  }
}

// No box of a round's picture (its text box, its legend, the legend of the step under it)
// lies over another.
void expectBoxesApart(const app::ExerciseRound& round, std::uint32_t seed) {
  std::vector<app::RectItem> boxes;
  for (const app::PictureItem& item : round.shown(app::PictureStyle::Normal).picture) {
    if (const auto* box = std::get_if<app::RectItem>(&item)) {
      for (const app::RectItem& other : boxes) {
        EXPECT_FALSE(box->x < other.x + other.width && other.x < box->x + box->width &&
                     box->y < other.y + other.height && other.y < box->y + box->height)
            << "seed " << seed << ": two boxes overlap";
      }
      boxes.push_back(*box);
    }
  }
}

// Rounds of questions, played without a window, each question answered as the literal steps
// say (a click on the edge's piece or P for none; a click on the cut point, P for passes or
// K for blocks): every answer is right, and the check after the last starts the round anew.
TEST(ExerciseRounds, QuestionsAnsweredAsTheStepsSayAreRight) {
  for (const std::uint32_t seed : {3u, 8u, 18u}) {
    app::VoronoiPieceRound pieces(seed);
    const geometry::SiteColumns sites = columnsOf(pieces);
    const auto asked = app::pieceQuestions(sites, seed);
    ASSERT_FALSE(asked.empty());
    int piecesRight = 0;
    for (const app::PieceAnswer& question : asked) {
      const geometry::PairAccount a =
          geometry::explainPair(kWindowFrame, sites, question.i, question.j);
      expectBoxesApart(pieces, seed);
      if (a.outcome.result == geometry::PairResult::Drawn) {
        const auto p = static_cast<std::size_t>(a.outcome.piece);
        const double x = (a.sorted[p - 1].x + a.sorted[p].x) / 2;
        pieces.click(kWindowFrame.windowX(x), kWindowFrame.windowY(a.pair.m1 * x + a.pair.c1));
      } else {
        pieces.answerWithout(app::CutAnswer::Says::Passes);
      }
      piecesRight = pieces.score().right;
      expectBoxesApart(pieces, seed);
      pieces.check();
    }
    EXPECT_EQ(piecesRight, static_cast<int>(asked.size())) << "seed " << seed;
    EXPECT_EQ(pieces.results("").pieces.size(), 0u) << "the round began anew";

    app::CutPointRound cuts(seed);
    const auto cutsAsked = app::cutQuestions(sites, seed);
    int right = 0;
    for (const app::CutAnswer& question : cutsAsked) {
      const geometry::PairAccount a =
          geometry::explainPair(kWindowFrame, sites, question.i, question.j);
      const auto step =
          std::find_if(a.competitors.begin(), a.competitors.end(),
                       [&](const geometry::CompetitorStep& s) { return s.site == question.k; });
      ASSERT_NE(step, a.competitors.end());
      if (step->outcome == geometry::Screening::Cut) {
        cuts.click(kWindowFrame.windowX(step->x), kWindowFrame.windowY(step->y));
      } else {
        cuts.answerWithout(step->outcome == geometry::Screening::Blocked
                               ? app::CutAnswer::Says::Blocks
                               : app::CutAnswer::Says::Passes);
      }
      right = cuts.score().right;
      if (&question != &cutsAsked.back()) {
        cuts.check();
      }
    }
    EXPECT_EQ(right, static_cast<int>(cutsAsked.size())) << "seed " << seed;
    EXPECT_EQ(cuts.results("").cuts.size(), cutsAsked.size());
  }
}

}  // namespace
