#include "piece_test.h"

#include "checked_int16.h"
#include "dist.h"
#include "distance_order.h"
#include "domain_box.h"

namespace geometry {

int firstOpenPiece(const PairRecord& pair, const CutList& cuts, const SiteColumns& sites, int i,
                   int j) {
  const double xi = sites.siteX(i - 1);
  const float yi = sites.siteY(i - 1);
  const std::int16_t lastPiece = sub16(cuts.cutCount, 1, "cutCount - 1");
  for (int p = 1; p <= lastPiece; ++p) {
    const double pieceMidX = (cuts.cutX(p - 1) + cuts.cutX(p)) / 2;
    const double pieceMidY = pair.m1 * pieceMidX + pair.c1;
    const double sumI = squaredSum(pieceMidX, pieceMidY, xi, yi);
    bool pieceShadowed = false;
    for (int k = 1; k <= sites.nSites && !pieceShadowed; ++k) {
      if (k != i && k != j) {
        const double sumK = squaredSum(pieceMidX, pieceMidY, sites.siteX(k - 1), sites.siteY(k - 1));
        pieceShadowed = rootLess(sumK, sumI);
      }
    }
    if (!pieceShadowed) {
      return p;
    }
  }
  return 0;
}

namespace {

// A line between two points in domain coordinates. Each end is shifted back by its own
// offsets, read from the window as Width, Height for the start and again for the end, and
// each coordinate is rounded to single precision after the subtraction.
template <class X1, class Y1, class X2, class Y2>
void lineInWindow(Form& form, LineFlags flags, X1 x1, Y1 y1, X2 x2, Y2 y2, Colour colour) {
  const float startOffX = domainOffset(form.width());
  const float startOffY = domainOffset(form.height());
  const float endOffX = domainOffset(form.width());
  const float endOffY = domainOffset(form.height());
  form.line(flags, static_cast<float>(x1 - startOffX), static_cast<float>(y1 - startOffY),
            static_cast<float>(x2 - endOffX), static_cast<float>(y2 - endOffY), colour);
}

}  // namespace

void drawPairEdges(Form& form, const CutList& cuts, int p, const SiteColumns& sites, int i,
                   int j) {
  lineInWindow(form, LineFlags::GivenColour, cuts.cutX(p - 1), cuts.cutY(p - 1), cuts.cutX(p),
               cuts.cutY(p), kRed);
  lineInWindow(form, LineFlags::PenColour, sites.siteX(i - 1), sites.siteY(i - 1),
               sites.siteX(j - 1), sites.siteY(j - 1), Colour{0});
}

}  // namespace geometry
