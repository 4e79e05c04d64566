#include "exercises/exercise_round.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "exercises/exercise_sheet.h"
#include "explanation/delaunay_proof.h"
#include "explanation/explanation_text.h"
#include "geometry/window_frame.h"
#include "run/accepted_sites.h"
#include "run/run.h"
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
      const int edge = a.outcome.result == geometry::PairResult::Drawn ? a.outcome.piece : 0;
      EXPECT_EQ(app::rightPiece(sites, question.i, question.j).piece, edge);
      if (edge != 0) {
        const auto p = static_cast<std::size_t>(edge);
        const double x = (a.sorted[p - 1].x + a.sorted[p].x) / 2;
        pieces.click(kWindowFrame.windowX(x), kWindowFrame.windowY(a.pair.m1 * x + a.pair.c1));
      } else {
        pieces.answerWithout(app::CutAnswer::Says::Passes);
      }
      piecesRight = pieces.score().right;
      EXPECT_TRUE(pieces.shown(app::PictureStyle::Normal).line.ends_with(" G: next question."));
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
      const app::CutAnswer key = app::rightCut(sites, question.i, question.j, question.k);
      EXPECT_EQ(key.says, step->outcome == geometry::Screening::Cut ? app::CutAnswer::Says::At
                          : step->outcome == geometry::Screening::Blocked
                              ? app::CutAnswer::Says::Blocks
                              : app::CutAnswer::Says::Passes);
      if (step->outcome == geometry::Screening::Cut) {
        EXPECT_NEAR(key.x, kWindowFrame.windowX(step->x), 1e-3);
        cuts.click(kWindowFrame.windowX(step->x), kWindowFrame.windowY(step->y));
      } else {
        cuts.answerWithout(step->outcome == geometry::Screening::Blocked
                               ? app::CutAnswer::Says::Blocks
                               : app::CutAnswer::Says::Passes);
      }
      right = cuts.score().right;
      EXPECT_TRUE(cuts.shown(app::PictureStyle::Normal).line.ends_with(" G: next question."));
      if (&question != &cutsAsked.back()) {
        cuts.check();
      }
    }
    EXPECT_EQ(right, static_cast<int>(cutsAsked.size())) << "seed " << seed;
    EXPECT_EQ(cuts.results("").cuts.size(), cutsAsked.size());
  }
}

// The sheets and their keys: the sheet asks, shows no answer and leaves room; the key
// answers every question of the same seed as the program does, the drawing's key with
// exactly the edges the run draws, each with a circle of its own.
TEST(ExerciseSheets, TheKeyAnswersWhatTheSheetAsks) {
  for (const std::uint32_t seed : {3u, 8u, 18u}) {
    const app::SitePositions layout = app::exerciseLayout(seed);
    const geometry::SiteColumns sites = *app::acceptedSites(layout);
    for (const auto& info : app::kExerciseKinds) {
      const app::ExerciseSheet sheet = app::exerciseSheet(info.kind, seed, false);
      const app::ExerciseSheet key = app::exerciseSheet(info.kind, seed, true);
      ASSERT_EQ(sheet.questions.size(), key.questions.size()) << info.name;
      EXPECT_NE(sheet.title.find("seed " + std::to_string(seed)), std::string::npos);
      for (std::size_t n = 0; n < sheet.questions.size(); ++n) {
        const std::string& asked = sheet.questions[n].text;
        const std::string& answered = key.questions[n].text;
        const std::string question = asked.substr(0, asked.find('?') + 1);
        EXPECT_EQ(answered.substr(0, question.size()), question) << "the key asks the same";
        for (const char* answer : {"None", "Piece ", "At (", "Passes", "Blocks", "no other"}) {
          EXPECT_EQ(asked.find(answer), std::string::npos) << asked;
        }
      }
      if (info.kind == app::ExerciseKind::DelaunayEdges) {
        const app::RunResult run = app::runDemonstration({seed, layout});
        std::vector<std::pair<int, int>> drawn;
        for (const auto& pair : run.drawnPairs) {
          drawn.emplace_back(pair.i, pair.j);
        }
        EXPECT_NE(key.questions[0].text.find(": " + app::pairList(drawn) + "."), std::string::npos)
            << key.questions[0].text;
        const auto count = [](const app::Picture& picture, auto isCounted) {
          return std::count_if(picture.begin(), picture.end(),
                               [&](const app::PictureItem& item) { return isCounted(item); });
        };
        const auto isLine = [](const app::PictureItem& i) {
          return std::holds_alternative<app::LineItem>(i);
        };
        const auto isCircle = [](const app::PictureItem& i) {
          return std::holds_alternative<app::CircleItem>(i);
        };
        EXPECT_EQ(count(sheet.questions[0].picture, isLine), 0) << "the sheet draws no edge";
        EXPECT_EQ(
            count(key.questions[0].picture, isCircle) - count(sheet.questions[0].picture, isCircle),
            static_cast<long>(drawn.size()));
        continue;
      }
      for (std::size_t n = 0; n < key.questions.size(); ++n) {
        const std::string& answered = key.questions[n].text;
        if (info.kind == app::ExerciseKind::VoronoiPiece) {
          const auto asked = app::pieceQuestions(sites, seed)[n];
          const int piece = app::rightPiece(sites, asked.i, asked.j).piece;
          EXPECT_NE(
              answered.find(piece == 0 ? "? None:" : "? Piece " + std::to_string(piece) + ":"),
              std::string::npos)
              << answered;
        } else {
          const auto asked = app::cutQuestions(sites, seed)[n];
          const app::CutAnswer cut = app::rightCut(sites, asked.i, asked.j, asked.k);
          EXPECT_NE(answered.find(cut.says == app::CutAnswer::Says::At       ? "? At ("
                                  : cut.says == app::CutAnswer::Says::Passes ? "? Passes"
                                                                             : "? Blocks"),
                    std::string::npos)
              << answered;
        }
      }
    }
  }
}

}  // namespace
