#include "literal_pair_scan.h"

#include <memory>

#include "geometry/checked_int16.h"
#include "geometry/cut_list.h"
#include "geometry/dist.h"
#include "geometry/heap_sort.h"
#include "geometry/pair_record.h"
#include "geometry/piece_test.h"
#include "geometry/screening.h"
#include "geometry/site_checks.h"

namespace reference {

using namespace geometry;

int literalPairScan(Form& form, const SiteColumns& sites) {
  requireDistinctCoordinates(sites);
  const auto cuts = std::make_unique<CutList>();
  const auto X = [&](int s) { return sites.x(s); };
  const auto Y = [&](int s) { return sites.y(s); };
  int pairsDrawn = 0;

  const std::int16_t lastI = sub16(sites.nSites, 1, "nSites - 1");
  for (int i = 1; i <= lastI; ++i) {
    for (int j = i + 1; j <= sites.nSites; ++j) {
      const PairRecord pair = pairRecord(bisectorOf(X(i), Y(i), X(j), Y(j)), form);
      const double dIJ = pair.dIJ();

      // Screening.
      cuts->seed(pair.startX, pair.startY);
      const double dxJ = X(j) - X(i);
      const float dyJ = Y(j) - Y(i);
      int pairBlocked = 0;
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
        const int sameQuadrant = (dxJ * dxK > 0) && (dyJ * dyK > 0) ? 1 : 0;
        const double P = gapStart * gapEnd;
        if (P > 0 && dIJ > dIK && sameQuadrant == 1) {
          pairBlocked = 1;
          break;
        }
        if ((P < 0 || dIJ < dIK || sameQuadrant != 0) && (P < 0 || dIJ > dIK)) {
          appendCrossing(pair, Bisector{m2, c2, 0}, k, *cuts);
        }
      }
      if (pairBlocked != 0) {
        continue;
      }
      cuts->append(pair.endX, pair.endY, CutList::kEndPoint);
      hSort(cuts->cutCount, cuts->cutX, cuts->cutY, cuts->cutSite);

      // Piece test.
      const std::int16_t lastPiece = sub16(cuts->cutCount, 1, "cutCount - 1");
      for (int p = 1; p <= lastPiece; ++p) {
        const double pieceMidX = (cuts->cutX(p - 1) + cuts->cutX(p)) / 2;
        const double pieceMidY = pair.m1 * pieceMidX + pair.c1;
        const double dMidI = dist(pieceMidX, pieceMidY, X(i), Y(i));
        int pieceShadowed = 0;
        for (int k = 1; k <= sites.nSites; ++k) {
          if (k != i && k != j && dist(pieceMidX, pieceMidY, X(k), Y(k)) < dMidI) {
            pieceShadowed = 1;
            break;
          }
        }
        if (pieceShadowed == 0) {
          drawPairEdges(form, {cuts->cutX(p - 1), cuts->cutY(p - 1), cuts->cutX(p), cuts->cutY(p)},
                        sites, i, j);
          ++pairsDrawn;
          break;
        }
      }
    }
  }
  return pairsDrawn;
}

}  // namespace reference
