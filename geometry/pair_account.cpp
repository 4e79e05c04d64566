#include "pair_account.h"

#include <memory>

#include "checked_int16.h"
#include "dist.h"
#include "heap_sort.h"
#include "screening.h"
#include "site_checks.h"

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

PairOutcome followPair(const Form& form, const SiteColumns& sites, int i, int j, CutList& cuts,
                       PairAccount* account) {
  const auto X = [&](int s) { return sites.x(s); };
  const auto Y = [&](int s) { return sites.y(s); };
  const PairRecord pair = pairRecord(bisectorOf(X(i), Y(i), X(j), Y(j)), form);
  if (account != nullptr) {
    *account = PairAccount{i, j, pair, {}, {}, {}, {}};
  }
  const auto record = [&](int k, Screening outcome, double P, double x = 0, double y = 0) {
    if (account != nullptr) {
      account->competitors.push_back(CompetitorStep{k, outcome, P == 0, x, y});
    }
  };
  const double dIJ = pair.dIJ();

  // Screening: every other site k, in ascending number.
  cuts.seed(pair.startX, pair.startY);
  const double dxJ = X(j) - X(i);
  const float dyJ = Y(j) - Y(i);
  for (int k = 1; k <= sites.nSites; ++k) {
    if (k == i || k == j) {
      continue;
    }
    const double slopeIK = (Y(i) - Y(k)) / (X(i) - X(k));
    const double m2 = -1 / slopeIK;
    const float midYK = (Y(i) + Y(k)) / 2;
    const double midXK = (X(i) + X(k)) / 2;
    const double c2 = midYK - midXK * m2;
    const double dIK = dist(X(i), Y(i), X(k), Y(k));
    const double yStartK = m2 * pair.startX + c2;
    const double yEndK = m2 * pair.endX + c2;
    const double gapStart = pair.startY - yStartK;
    const double gapEnd = pair.endY - yEndK;
    const double dxK = X(k) - X(i);
    const float dyK = Y(k) - Y(i);
    const bool sameQuadrant = (dxJ * dxK > 0) && (dyJ * dyK > 0);
    const double P = gapStart * gapEnd;
    const Screening outcome = screeningTests(P, dIJ, dIK, sameQuadrant);
    if (outcome == Screening::Blocked) {
      record(k, outcome, P);
      return PairOutcome{PairResult::Blocked, k, 0, cuts.cutCount, {}};
    }
    if (outcome != Screening::Cut) {
      record(k, outcome, P);
      continue;
    }
    const std::int16_t before = cuts.cutCount;
    appendCrossing(pair, Bisector{m2, c2, 0}, k, cuts);
    if (cuts.cutCount == before) {
      record(k, Screening::Parallel, P);
    } else {
      record(k, Screening::Cut, P, cuts.cutX(before), cuts.cutY(before));
    }
  }
  cuts.append(pair.endX, pair.endY, CutList::kEndPoint);
  hSort(cuts.cutCount, cuts.cutX, cuts.cutY, cuts.cutSite);
  if (account != nullptr) {
    for (int e = 0; e < cuts.cutCount; ++e) {
      account->sorted.push_back(CutEntry{cuts.cutX(e), cuts.cutY(e), cuts.cutSite(e)});
    }
  }

  // Piece test: the first piece whose midpoint has no other site strictly closer than i.
  const std::int16_t lastPiece = sub16(cuts.cutCount, 1, "cutCount - 1");
  for (int p = 1; p <= lastPiece; ++p) {
    const double pieceMidX = (cuts.cutX(p - 1) + cuts.cutX(p)) / 2;
    const double pieceMidY = pair.m1 * pieceMidX + pair.c1;
    const double dMidI = dist(pieceMidX, pieceMidY, X(i), Y(i));
    int shadowedBy = 0;
    for (int k = 1; k <= sites.nSites; ++k) {
      if (k != i && k != j && dist(pieceMidX, pieceMidY, X(k), Y(k)) < dMidI) {
        shadowedBy = k;
        break;
      }
    }
    if (account != nullptr) {
      account->pieces.push_back(PieceStep{p, pieceMidX, pieceMidY, shadowedBy});
    }
    if (shadowedBy == 0) {
      return PairOutcome{PairResult::Drawn, 0, p, cuts.cutCount,
                         Piece{cuts.cutX(p - 1), cuts.cutY(p - 1), cuts.cutX(p), cuts.cutY(p)}};
    }
  }
  return PairOutcome{PairResult::Shadowed, 0, 0, cuts.cutCount, {}};
}

PairAccount explainPair(const Form& form, const SiteColumns& sites, int i, int j) {
  const auto cuts = std::make_unique<CutList>();
  PairAccount account;
  account.outcome = followPair(form, sites, i, j, *cuts, &account);
  return account;
}

std::vector<ScannedPair> followEveryPair(const Form& form, const SiteColumns& sites) {
  requireDistinctCoordinates(sites);
  const auto cuts = std::make_unique<CutList>();
  std::vector<ScannedPair> pairs;
  const std::int16_t lastI = sub16(sites.nSites, 1, "nSites - 1");
  for (int i = 1; i <= lastI; ++i) {
    for (int j = i + 1; j <= sites.nSites; ++j) {
      pairs.push_back(ScannedPair{i, j, followPair(form, sites, i, j, *cuts)});
    }
  }
  return pairs;
}

}  // namespace geometry
