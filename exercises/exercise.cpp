#include "exercise.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <stdexcept>

#include "explanation/explanation_text.h"
#include "explanation/seeded_order.h"
#include "geometry/dist.h"
#include "geometry/window_frame.h"
#include "run/accepted_sites.h"

namespace app {

namespace {

using geometry::kWindowFrame;

// A point in window pixels, as the lines give it: "(377.3, 52)".
std::string inPixels(double x, double y) {
  return windowPoint(x + static_cast<double>(kWindowFrame.offsetX()),
                     y + static_cast<double>(kWindowFrame.offsetY()));
}

// Whether a layout comes near a tie where one decides an edge: for a pair of sites, a third
// within kTieMargin pixels of the segment between them, or the left site k whose circle
// through the pair is the least and the right site l whose circle is the greatest (see
// delaunay_proof.h) lying within kTieMargin pixels of each other's circles.
bool nearATie(const SitePositions& sites) {
  const auto n = static_cast<int>(sites.size());
  const auto x = [&](int s) { return sites[static_cast<std::size_t>(s)].x; };
  const auto y = [&](int s) { return static_cast<double>(sites[static_cast<std::size_t>(s)].y); };
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      const double midX = (x(i) + x(j)) / 2, midY = (y(i) + y(j)) / 2;
      const double normalX = y(i) - y(j), normalY = x(j) - x(i);
      const double length = std::hypot(normalX, normalY);
      const double toI = std::hypot(x(i) - midX, y(i) - midY);
      int left = -1, right = -1;
      double leastLeft = 0, greatestRight = 0;
      for (int k = 0; k < n; ++k) {
        if (k == i || k == j) {
          continue;
        }
        const double dx = x(k) - midX, dy = y(k) - midY;
        const double side = normalX * dx + normalY * dy;
        const double along = (normalY * dx - normalX * dy) / length;  // from the midpoint
        if (std::abs(side) / length < kTieMargin && std::abs(along) <= toI + kTieMargin) {
          return true;
        }
        const double t = (dx * dx + dy * dy - toI * toI) / (2 * side);
        if (side > 0 && (left < 0 || t < leastLeft)) {
          left = k;
          leastLeft = t;
        } else if (side < 0 && (right < 0 || t > greatestRight)) {
          right = k;
          greatestRight = t;
        }
      }
      // How far each extreme site lies from the other's circle through the pair.
      const auto offCircle = [&](double t, int k) {
        const double cx = midX + t * normalX, cy = midY + t * normalY;
        return std::abs(std::hypot(x(k) - cx, y(k) - cy) - std::hypot(x(i) - cx, y(i) - cy));
      };
      if (left >= 0 && right >= 0 &&
          (offCircle(leastLeft, right) < kTieMargin ||
           offCircle(greatestRight, left) < kTieMargin)) {
        return true;
      }
    }
  }
  return false;
}

// The pairs the edge finder draws, in scan order.
std::vector<EdgeAnswer> drawnEdges(const geometry::SiteColumns& sites) {
  std::vector<EdgeAnswer> drawn;
  for (const geometry::ScannedPair& pair : geometry::followEveryPair(kWindowFrame, sites)) {
    if (pair.outcome.result == geometry::PairResult::Drawn) {
      drawn.emplace_back(pair.i, pair.j);
    }
  }
  return drawn;
}

}  // namespace

const ExerciseKindInfo& infoOf(ExerciseKind kind) {
  return *std::find_if(std::begin(kExerciseKinds), std::end(kExerciseKinds),
                       [&](const ExerciseKindInfo& info) { return info.kind == kind; });
}

std::optional<ExerciseKind> exerciseKindNamed(const std::string& name) {
  for (const ExerciseKindInfo& info : kExerciseKinds) {
    if (name == info.name) {
      return info.kind;
    }
  }
  return std::nullopt;
}

const char* saysWord(CutAnswer::Says says) {
  return says == CutAnswer::Says::Blocks ? "blocks" : "passes";
}

std::optional<CutAnswer::Says> saysNamed(const std::string& word) {
  for (const auto says : {CutAnswer::Says::Passes, CutAnswer::Says::Blocks}) {
    if (word == saysWord(says)) {
      return says;
    }
  }
  return std::nullopt;
}

std::optional<std::string> layoutProblem(const geometry::SiteColumns& sites) {
  const DelaunayEdges delaunay = delaunayEdges(sites);
  if (!delaunay.ties.empty()) {
    return "four sites lie on one circle about " + pairList(delaunay.ties) +
           ": a tie, which rounding decides";
  }
  const std::vector<EdgeAnswer> drawn = drawnEdges(sites);
  std::vector<EdgeAnswer> notDelaunay, notDrawn;
  std::set_difference(drawn.begin(), drawn.end(), delaunay.edges.begin(), delaunay.edges.end(),
                      std::back_inserter(notDelaunay));
  std::set_difference(delaunay.edges.begin(), delaunay.edges.end(), drawn.begin(), drawn.end(),
                      std::back_inserter(notDrawn));
  if (notDelaunay.empty() && notDrawn.empty()) {
    return std::nullopt;
  }
  std::string problem = "the edges drawn are not the Delaunay edges:";
  if (!notDelaunay.empty()) {
    problem.append(" ").append(pairList(notDelaunay)).append(" drawn, but no Delaunay edge");
  }
  if (!notDrawn.empty()) {
    problem.append(notDelaunay.empty() ? " " : "; ")
        .append(pairList(notDrawn))
        .append(
            " a Delaunay edge, not drawn (its Voronoi edge lies outside the domain box, or "
            "rounding decides a tie)");
  }
  return problem;
}

SitePositions exerciseLayout(std::uint32_t seed) {
  std::mt19937 engine(seed);
  const int n = drawBetween(engine, kFewestExerciseSites, kMostExerciseSites);
  for (int attempt = 0; attempt < kExerciseLayoutAttempts; ++attempt) {
    SitePositions sites;
    for (int placement = 0; static_cast<int>(sites.size()) < n && placement < 100 * n;
         ++placement) {
      const int x = drawBetween(engine, 40, kWindowFrame.clientWidth - 40);
      const int y = drawBetween(engine, 40, kWindowFrame.clientHeight - kSentenceBand);
      const SitePosition site{static_cast<double>(x), static_cast<float>(y)};
      // Far enough apart to click one and not its neighbour.
      if (std::all_of(sites.begin(), sites.end(), [&](const SitePosition& other) {
            return std::hypot(other.x - site.x, other.y - site.y) >= 40;
          })) {
        sites.push_back(site);
      }
    }
    if (static_cast<int>(sites.size()) < n || nearATie(sites)) {
      continue;
    }
    const auto columns = acceptedSites(sites);
    if (columns && !layoutProblem(*columns)) {
      return sites;
    }
  }
  throw std::runtime_error("no exercise layout came from seed " + std::to_string(seed) + " in " +
                           std::to_string(kExerciseLayoutAttempts) + " attempts");
}

std::vector<PieceAnswer> pieceQuestions(const geometry::SiteColumns& sites, std::uint32_t seed) {
  std::vector<PieceAnswer> questions;
  for (const geometry::ScannedPair& pair : geometry::followEveryPair(kWindowFrame, sites)) {
    if (pair.outcome.result != geometry::PairResult::Blocked && pair.outcome.cutCount >= 3) {
      questions.push_back({pair.i, pair.j, 0});
    }
  }
  std::mt19937 engine(seed);
  shuffleWith(engine, questions);
  questions.resize(std::min<std::size_t>(questions.size(), kExerciseQuestions));
  return questions;
}

std::vector<CutAnswer> cutQuestions(const geometry::SiteColumns& sites, std::uint32_t seed) {
  std::vector<CutAnswer> questions;
  for (int i = 1; i < sites.nSites; ++i) {
    for (int j = i + 1; j <= sites.nSites; ++j) {
      for (const geometry::CompetitorStep& step :
           geometry::explainPair(kWindowFrame, sites, i, j).competitors) {
        // A cut point asked for is one the learner can click: inside the picture.
        if (step.outcome != geometry::Screening::Parallel &&
            (step.outcome != geometry::Screening::Cut || kWindowFrame.shows(step.x, step.y))) {
          questions.push_back({i, j, step.site, CutAnswer::Says::Passes});
        }
      }
    }
  }
  std::mt19937 engine(seed);
  shuffleWith(engine, questions);
  questions.resize(std::min<std::size_t>(questions.size(), kExerciseQuestions));
  return questions;
}

PieceShadow pieceShadow(const geometry::SiteColumns& sites, const geometry::PairAccount& account,
                        int piece) {
  const geometry::CutEntry &from = account.sorted[static_cast<std::size_t>(piece - 1)],
                           &to = account.sorted[static_cast<std::size_t>(piece)];
  const geometry::Midpoint mid = geometry::pieceMidpoint(account.pair, from.x, to.x);
  const auto squared = [&](int s) {
    const double dx = sites.x(s) - mid.x, dy = static_cast<double>(sites.y(s)) - mid.y;
    return dx * dx + dy * dy;
  };
  // The nearest of the sites nearer than i, the one the learner sees.
  int nearer = 0;
  for (int k = 1; k <= sites.nSites; ++k) {
    if (k != account.i && k != account.j &&
        squared(k) < squared(nearer == 0 ? account.i : nearer)) {
      nearer = k;
    }
  }
  return {piece, mid.x, mid.y, nearer};
}

std::vector<Verdict> gradeDrawing(const geometry::SiteColumns& sites,
                                  const std::vector<EdgeAnswer>& drawn) {
  std::vector<Verdict> verdicts;
  std::set<EdgeAnswer> seen;
  for (auto [i, j] : drawn) {
    if (i > j) {
      std::swap(i, j);
    }
    if (!seen.insert({i, j}).second) {
      continue;
    }
    const EdgeProof proof = delaunayProof(sites, i, j);
    const std::string I = std::to_string(i), J = std::to_string(j);
    const std::string K = std::to_string(proof.k), L = std::to_string(proof.l);
    switch (proof.verdict) {
      case EdgeProof::Verdict::Edge:
        verdicts.push_back({Verdict::Is::Right, "right edge " + pairName(i, j), proof, {i, j}});
        break;
      case EdgeProof::Verdict::SiteOnSegment:
        verdicts.push_back({Verdict::Is::Wrong,
                            "wrong edge " + pairName(i, j) + ": site " + K + " lies on the segment",
                            proof,
                            {i, j}});
        break;
      case EdgeProof::Verdict::HeldCircles:
      case EdgeProof::Verdict::Tie:
        verdicts.push_back(
            {Verdict::Is::Wrong,
             "wrong edge " + pairName(i, j) + ": the circle through " + I + ", " + J + " and " + K +
                 " holds " + L + ", and the circle through " + I + ", " + J + " and " + L +
                 " holds " + K +
                 (proof.verdict == EdgeProof::Verdict::HeldCircles
                      ? ", so every circle through " + I + " and " + J + " holds " + K + " or " + L
                      : ""),
             proof,
             {i, j}});
        break;
    }
  }
  for (const geometry::ScannedPair& pair : geometry::followEveryPair(kWindowFrame, sites)) {
    if (pair.outcome.result != geometry::PairResult::Drawn || seen.contains({pair.i, pair.j})) {
      continue;
    }
    // The empty circle about the midpoint of the piece the program draws.
    const geometry::PieceStep open =
        geometry::explainPair(kWindowFrame, sites, pair.i, pair.j).pieces.back();
    const Point middle{open.midX, open.midY};
    const EdgeProof proof = delaunayProof(sites, pair.i, pair.j, &middle);
    verdicts.push_back({Verdict::Is::Missed,
                        "missed edge " + pairName(pair.i, pair.j) + ": empty circle about " +
                            windowPoint(proof.centre.x, proof.centre.y),
                        proof,
                        {pair.i, pair.j}});
  }
  return verdicts;
}

namespace {

// The piece that is the pair's edge, or 0.
int edgePiece(const geometry::PairAccount& account) {
  return account.outcome.result == geometry::PairResult::Drawn ? account.outcome.piece : 0;
}

// Site k's step in the screening of the pair, or nothing where the screening stops before k.
const geometry::CompetitorStep* screeningStep(const geometry::PairAccount& account, int k) {
  const auto step = std::find_if(account.competitors.begin(), account.competitors.end(),
                                 [&](const geometry::CompetitorStep& s) { return s.site == k; });
  return step == account.competitors.end() ? nullptr : &*step;
}

// How the step ends, as an answer about site k says it: where it cuts, in window pixels, or
// that it passes or blocks.
CutAnswer screeningAnswer(const geometry::PairAccount& account,
                          const geometry::CompetitorStep& step) {
  using Says = CutAnswer::Says;
  const Says says = step.outcome == geometry::Screening::Cut       ? Says::At
                    : step.outcome == geometry::Screening::Blocked ? Says::Blocks
                                                                   : Says::Passes;
  return CutAnswer{account.i,
                   account.j,
                   step.site,
                   says,
                   kWindowFrame.windowX(step.x),
                   kWindowFrame.windowY(step.y)};
}

}  // namespace

PieceAnswer rightPiece(const geometry::SiteColumns& sites, int i, int j) {
  return {i, j, edgePiece(geometry::explainPair(kWindowFrame, sites, i, j))};
}

CutAnswer rightCut(const geometry::SiteColumns& sites, int i, int j, int k) {
  const geometry::PairAccount account = geometry::explainPair(kWindowFrame, sites, i, j);
  const geometry::CompetitorStep* step = screeningStep(account, k);
  return step != nullptr ? screeningAnswer(account, *step)
                         : CutAnswer{i, j, k, CutAnswer::Says::Passes};
}

Verdict gradePiece(const geometry::SiteColumns& sites, const PieceAnswer& answer) {
  const geometry::PairAccount account =
      geometry::explainPair(kWindowFrame, sites, answer.i, answer.j);
  const int pieces = std::max(0, static_cast<int>(account.sorted.size()) - 1);
  const int edge = edgePiece(account);
  const std::string head = "piece " + pairName(answer.i, answer.j) + ": ";
  const auto said = [](int piece) {
    return piece == 0 ? std::string("none") : "piece " + std::to_string(piece);
  };
  const std::string truth = edge == 0 ? pairName(answer.i, answer.j) + " has no edge"
                                      : "the edge is piece " + std::to_string(edge);
  if (answer.piece == edge) {
    return {Verdict::Is::Right, "right " + head + said(edge)};
  }
  if (answer.piece < 0 || answer.piece > pieces) {
    return {Verdict::Is::Wrong, "wrong " + head + "piece " + std::to_string(answer.piece) +
                                    " is none of the " + std::to_string(pieces) + " pieces; " +
                                    truth};
  }
  if (answer.piece == 0) {
    return {Verdict::Is::Wrong,
            "wrong " + head + "none, but the circle about the midpoint of piece " +
                std::to_string(edge) + " through sites " + std::to_string(answer.i) + " and " +
                std::to_string(answer.j) + " holds no other site"};
  }
  const PieceShadow shadow = pieceShadow(sites, account, answer.piece);
  if (shadow.nearer == 0) {
    return {Verdict::Is::Wrong,
            "wrong " + head + said(answer.piece) +
                " is free as well, but the edge finder takes the first free piece; " + truth};
  }
  return {Verdict::Is::Wrong,
          "wrong " + head + said(answer.piece) + ", site " + std::to_string(shadow.nearer) +
              " is nearer to its midpoint than sites " + std::to_string(answer.i) + " and " +
              std::to_string(answer.j) + "; " + truth};
}

namespace {

// Why site k passes or blocks the pair i-j, in the picture's words.
std::string screeningReason(geometry::Screening outcome, int i, int j) {
  const std::string I = std::to_string(i), J = std::to_string(j);
  const std::string misses = "its bisector with " + I + " misses the line";
  const std::string side = "on " + J + "'s side of " + I + " both across and down";
  switch (outcome) {
    case geometry::Screening::OutsideQuadrant:
      return misses + ", and it is not " + side;
    case geometry::Screening::NotNearer:
      return misses + ", and it is no nearer to " + I + " than " + J + " is";
    case geometry::Screening::Blocked:
      return "it lies " + side + ", nearer to " + I + " than " + J + " is, and " + misses;
    case geometry::Screening::Parallel:
      return "its bisector with " + I + " runs parallel to the line";
    case geometry::Screening::Cut:
      break;
  }
  return {};
}

}  // namespace

Verdict gradeCut(const geometry::SiteColumns& sites, const CutAnswer& answer) {
  const geometry::PairAccount account =
      geometry::explainPair(kWindowFrame, sites, answer.i, answer.j);
  const std::string head =
      "cut " + std::to_string(answer.k) + " on " + pairName(answer.i, answer.j) + ": ";
  const geometry::CompetitorStep* step = screeningStep(account, answer.k);
  if (step == nullptr) {
    return {Verdict::Is::Wrong, "wrong " + head + "the screening of the pair stops before site " +
                                    std::to_string(answer.k)};
  }
  using Says = CutAnswer::Says;
  const CutAnswer right = screeningAnswer(account, *step);
  const Says truth = right.says;
  const auto words = [&](Says says, double x, double y) {
    return says == Says::At ? "at " + inPixels(x, y) : std::string(saysWord(says));
  };
  const double cutX = right.x, cutY = right.y;
  const std::string why = screeningReason(step->outcome, answer.i, answer.j);
  const std::string truthWords = words(truth, cutX, cutY) + (why.empty() ? "" : " (" + why + ")");
  const double off = std::hypot(answer.x - cutX, answer.y - cutY);
  if (answer.says == truth && (truth != Says::At || off <= kCutTolerance)) {
    return {Verdict::Is::Right, "right " + head + truthWords};
  }
  const std::string howFar =
      answer.says == Says::At && truth == Says::At
          ? ", " + tenths(off) + " px away (within " + tenths(kCutTolerance) + " px counts)"
          : "";
  return {Verdict::Is::Wrong, "wrong " + head + "answered " +
                                  words(answer.says, answer.x, answer.y) + ", but site " +
                                  std::to_string(answer.k) + " " +
                                  (truth == Says::At ? "cuts " : "") + truthWords + howFar};
}

Score scoreOf(ExerciseKind kind, const std::vector<Verdict>& verdicts) {
  Score score;
  for (const Verdict& verdict : verdicts) {
    ++(verdict.is == Verdict::Is::Right   ? score.right
       : verdict.is == Verdict::Is::Wrong ? score.wrong
                                          : score.missed);
  }
  if (kind == ExerciseKind::DelaunayEdges) {
    score.score = std::max(0, score.right - score.wrong);
    score.outOf = score.right + score.missed;
  } else {
    score.score = score.right;
    score.outOf = static_cast<int>(verdicts.size());
  }
  return score;
}

}  // namespace app
