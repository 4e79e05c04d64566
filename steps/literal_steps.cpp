#include "literal_steps.h"

#include <memory>

#include "geometry/checked_int16.h"
#include "geometry/dist.h"
#include "geometry/edge_drawing.h"
#include "geometry/heap_sort.h"
#include "geometry/screening.h"
#include "geometry/site_checks.h"

namespace geometry {

Screening screeningTests(double P, double dIJ, double dIK, bool sameQuadrant) {
  const int quadrant = sameQuadrant ? 1 : 0;
  if (P > 0 && dIJ > dIK && quadrant == 1) {  // the block test
    return Screening::Blocked;
  }
  if ((P < 0 || dIJ < dIK || quadrant != 0) && (P < 0 || dIJ > dIK)) {  // admission, cut
    return Screening::Cut;
  }
  return quadrant == 0 ? Screening::OutsideQuadrant : Screening::NotNearer;
}

PairOutcome followPair(const WindowFrame& frame, const SiteColumns& sites, int i, int j,
                       CutList& cuts, PairObserver& observer) {
  const auto X = [&](int s) { return sites.x(s); };
  const auto Y = [&](int s) { return sites.y(s); };
  const PairRecord pair = pairRecord(bisectorOf(X(i), Y(i), X(j), Y(j)), frame);
  observer.pairRecord(pair);
  const double dIJ = pair.dIJ();

  // Screening: every other site k, in ascending number.
  cuts.seed(pair.startX, pair.startY);
  const double dxJ = X(j) - X(i);
  const float dyJ = Y(j) - Y(i);
  for (int k = 1; k <= sites.nSites; ++k) {
    if (k == i || k == j) {
      continue;
    }
    const Bisector ik = bisectorOf(X(i), Y(i), X(k), Y(k));
    const double dIK = dist(X(i), Y(i), X(k), Y(k));
    const double P = endGapProduct(pair, ik);
    const Screening outcome =
        screeningTests(P, dIJ, dIK, inQuadrant(dxJ, dyJ, X(k) - X(i), Y(k) - Y(i)));
    if (outcome == Screening::Blocked) {
      observer.competitor(CompetitorStep{k, outcome, P == 0, 0, 0});
      return PairOutcome{PairResult::Blocked, k, 0, cuts.cutCount, {}};
    }
    if (outcome != Screening::Cut) {
      observer.competitor(CompetitorStep{k, outcome, P == 0, 0, 0});
      continue;
    }
    const std::int16_t before = cuts.cutCount;
    appendCrossing(pair, ik, k, cuts);
    observer.competitor(
        cuts.cutCount == before
            ? CompetitorStep{k, Screening::Parallel, P == 0, 0, 0}
            : CompetitorStep{k, Screening::Cut, P == 0, cuts.cutX(before), cuts.cutY(before)});
  }
  cuts.append(pair.endX, pair.endY, CutList::kEndPoint);
  hSort(cuts.cutCount, cuts.cutX, cuts.cutY, cuts.cutSite);
  observer.sorted(cuts);

  // Piece test: the first piece whose midpoint has no other site strictly closer than i.
  const std::int16_t lastPiece = sub16(cuts.cutCount, 1, "cutCount - 1");
  for (int p = 1; p <= lastPiece; ++p) {
    const Midpoint mid = pieceMidpoint(pair, cuts.cutX(p - 1), cuts.cutX(p));
    const double dMidI = dist(mid.x, mid.y, X(i), Y(i));
    int shadowedBy = 0;
    for (int k = 1; k <= sites.nSites; ++k) {
      if (k != i && k != j && dist(mid.x, mid.y, X(k), Y(k)) < dMidI) {
        shadowedBy = k;
        break;
      }
    }
    observer.piece(PieceStep{p, mid.x, mid.y, shadowedBy});
    if (shadowedBy == 0) {
      return PairOutcome{PairResult::Drawn, 0, p, cuts.cutCount,
                         Piece{cuts.cutX(p - 1), cuts.cutY(p - 1), cuts.cutX(p), cuts.cutY(p)}};
    }
  }
  return PairOutcome{PairResult::Shadowed, 0, 0, cuts.cutCount, {}};
}

PairOutcome followPair(const WindowFrame& frame, const SiteColumns& sites, int i, int j,
                       CutList& cuts) {
  PairObserver silent;
  return followPair(frame, sites, i, j, cuts, silent);
}

namespace {

// Keeps every step in a PairAccount.
class AccountRecorder final : public PairObserver {
 public:
  explicit AccountRecorder(PairAccount& account) : account_(account) {}
  void pairRecord(const PairRecord& pair) override { account_.pair = pair; }
  void competitor(const CompetitorStep& step) override { account_.competitors.push_back(step); }
  void sorted(const CutList& cuts) override {
    for (int e = 0; e < cuts.cutCount; ++e) {
      account_.sorted.push_back(CutEntry{cuts.cutX(e), cuts.cutY(e), cuts.cutSite(e)});
    }
  }
  void piece(const PieceStep& step) override { account_.pieces.push_back(step); }

 private:
  PairAccount& account_;
};

}  // namespace

PairAccount explainPair(const WindowFrame& frame, const SiteColumns& sites, int i, int j) {
  const auto cuts = std::make_unique<CutList>();
  PairAccount account;
  account.i = i;
  account.j = j;
  AccountRecorder recorder(account);
  account.outcome = followPair(frame, sites, i, j, *cuts, recorder);
  for (PieceStep& piece : account.pieces) {
    if (piece.shadowedBy == 0) {
      continue;
    }
    // The same distances as the test's: the nearest is strictly closer than site i too.
    double nearestDistance = dist(piece.midX, piece.midY, sites.x(i), sites.y(i));
    for (int k = 1; k <= sites.nSites; ++k) {
      const double d = dist(piece.midX, piece.midY, sites.x(k), sites.y(k));
      if (k != i && k != j && d < nearestDistance) {
        nearestDistance = d;
        piece.nearest = k;
      }
    }
  }
  return account;
}

std::vector<ScannedPair> followEveryPair(const WindowFrame& frame, const SiteColumns& sites) {
  requireDistinctCoordinates(sites);
  const auto cuts = std::make_unique<CutList>();
  std::vector<ScannedPair> pairs;
  const std::int16_t lastI = sub16(sites.nSites, 1, "nSites - 1");
  for (int i = 1; i <= lastI; ++i) {
    for (int j = i + 1; j <= sites.nSites; ++j) {
      pairs.push_back(ScannedPair{i, j, followPair(frame, sites, i, j, *cuts)});
    }
  }
  return pairs;
}

int literalPairScan(EdgeCanvas& canvas, const WindowFrame& frame, const SiteColumns& sites) {
  int pairsDrawn = 0;
  for (const ScannedPair& pair : followEveryPair(frame, sites)) {
    if (pair.outcome.result == PairResult::Drawn) {
      drawPairEdges(canvas, frame, pair.outcome.drawn, sites, pair.i, pair.j);
      ++pairsDrawn;
    }
  }
  return pairsDrawn;
}

}  // namespace geometry
