#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "explanation/delaunay_proof.h"
#include "geometry/sites.h"
#include "run/layout.h"
#include "steps/literal_steps.h"

namespace app {

// Exercises in which the learner does the algorithm's work and each answer is graded with
// the geometry that proves it: drawing the Delaunay edges, finding the piece of a pair's
// bisector that is its Voronoi edge, and placing where a competitor cuts that bisector.

enum class ExerciseKind { DelaunayEdges, VoronoiPiece, CutPoint };

struct ExerciseKindInfo {
  ExerciseKind kind;
  const char* name;   // in a results file
  const char* title;  // in the window
};
inline constexpr ExerciseKindInfo kExerciseKinds[] = {
    {ExerciseKind::DelaunayEdges, "delaunay-edges", "Draw the Delaunay edges"},
    {ExerciseKind::VoronoiPiece, "voronoi-piece", "Find the Voronoi edge"},
    {ExerciseKind::CutPoint, "cut-point", "Place where a site cuts"},
};
const ExerciseKindInfo& infoOf(ExerciseKind kind);
std::optional<ExerciseKind> exerciseKindNamed(const std::string& name);

// How many sites an exercise layout has, and how far from a tie that decides an edge its
// sites keep (pixels): no site that near the segment between two others, and no two sites
// on either side of a pair that near the circles through the pair and the other.
inline constexpr int kFewestExerciseSites = 5, kMostExerciseSites = 12;
inline constexpr double kTieMargin = 6;
// The band at the bottom of the window that exercise layouts keep clear, for the sentence
// that asks and answers (pixels).
inline constexpr int kSentenceBand = 70;
// How near to the cut point a click counts as placing it (pixels).
inline constexpr double kCutTolerance = 3;
// Questions in a round of the piece and the cut exercises.
inline constexpr int kExerciseQuestions = 5;

// The layout of an exercise drawn from a seed: 5 to 12 sites at whole pixels, at least 40
// apart, clear of the window's edges and of the sentence band, away from ties, whose drawn
// edges exact arithmetic confirms are exactly their Delaunay edges. A seed's layout comes
// within kExerciseLayoutAttempts draws of sites (at most 27,410 for seeds 0 to 2,999, most
// refused at once as near a tie); where none does, a runtime_error says so rather than the
// search drawing for ever.
inline constexpr int kExerciseLayoutAttempts = 200000;
SitePositions exerciseLayout(std::uint32_t seed);

// Why the edges a layout draws are not exactly its Delaunay edges, or nothing when they are.
std::optional<std::string> layoutProblem(const geometry::SiteColumns& sites);

// An answer about a pair's pieces: the piece that is its Voronoi edge, or 0 for none.
struct PieceAnswer {
  int i, j;
  int piece;  // from 1; 0: no piece is the edge
};
// An answer about where competitor k cuts pair i-j's bisector: a point in window pixels,
// or that it passes (cuts nowhere) or blocks the pair.
struct CutAnswer {
  enum class Says { At, Passes, Blocks };
  int i, j, k;
  Says says;
  double x = 0, y = 0;  // for At, window pixels
};
// The word of an answer without a point, in verdicts and in results files: "passes" or
// "blocks"; and the answer a word names.
const char* saysWord(CutAnswer::Says says);
std::optional<CutAnswer::Says> saysNamed(const std::string& word);

using EdgeAnswer = std::pair<int, int>;

// The questions of a round of the piece or the cut exercise on a layout, from its seed: pairs
// no competitor blocks (shadowed ones among them), and competitors the screening of their
// pair reached.
std::vector<PieceAnswer> pieceQuestions(const geometry::SiteColumns& sites, std::uint32_t seed);
std::vector<CutAnswer> cutQuestions(const geometry::SiteColumns& sites, std::uint32_t seed);

// A verdict: right or not, and in one line why. Lines name sites by number and points in
// window pixels.
struct Verdict {
  enum class Is { Right, Wrong, Missed } is;
  std::string line;
  // What proves it on the picture (see delaunay_proof.h): for an edge of a drawing.
  std::optional<EdgeProof> proof = std::nullopt;
  EdgeAnswer pair{0, 0};
};

// A drawing's verdicts: each edge drawn, right or wrong with its proof, then each edge
// missed with its empty circle; duplicates and reversed pairs count once. The layout's
// edges must be exactly its Delaunay edges (layoutProblem).
std::vector<Verdict> gradeDrawing(const geometry::SiteColumns& sites,
                                  const std::vector<EdgeAnswer>& drawn);
// The verdict on an answer about a pair's piece, or on where a site cuts.
Verdict gradePiece(const geometry::SiteColumns& sites, const PieceAnswer& answer);
Verdict gradeCut(const geometry::SiteColumns& sites, const CutAnswer& answer);
// The right answers, as an answer key gives them: the piece of the pair's bisector that is its
// edge (0 for none), and where site k cuts it (in window pixels), or that it passes or blocks.
PieceAnswer rightPiece(const geometry::SiteColumns& sites, int i, int j);
CutAnswer rightCut(const geometry::SiteColumns& sites, int i, int j, int k);

// What a round scores: for a drawing, right edges less wrong ones, never below zero, out of
// the layout's edges; for the others, right answers out of the questions.
struct Score {
  int right = 0, wrong = 0, missed = 0;
  int score = 0, outOf = 0;
};
Score scoreOf(ExerciseKind kind, const std::vector<Verdict>& verdicts);

// Piece `piece` (from 1) of the account's sorted cut list: its midpoint on the bisector and
// the nearest of the sites strictly nearer to it than site i, in the edge finder's own
// numbers.
struct PieceShadow {
  int piece;
  double midX, midY;  // domain coordinates
  int nearer;         // the nearest site strictly nearer to the midpoint than site i, or 0
};
PieceShadow pieceShadow(const geometry::SiteColumns& sites, const geometry::PairAccount& account,
                        int piece);

}  // namespace app
