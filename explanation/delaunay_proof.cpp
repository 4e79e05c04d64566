#include "delaunay_proof.h"

#include <cmath>
#include <optional>

#include "steps/exact_number.h"

namespace app {

namespace {

using geometry::Exact;
using geometry::toDouble;

struct ExactPoint {
  Exact x, y;
};

ExactPoint exactSite(const geometry::SiteColumns& sites, int k) {
  return {Exact(sites.x(k)), Exact(static_cast<double>(sites.y(k)))};
}

Point rounded(const ExactPoint& p) {
  return {toDouble(p.x), toDouble(p.y)};
}

}  // namespace

EdgeProof delaunayProof(const geometry::SiteColumns& sites, int i, int j, const Point* preferred) {
  const ExactPoint a = exactSite(sites, i), b = exactSite(sites, j);
  const ExactPoint mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
  const ExactPoint normal{a.y - b.y, b.x - a.x};  // i to j turned a quarter to the left
  const auto centreAt = [&](const Exact& t) {
    return ExactPoint{mid.x + t * normal.x, mid.y + t * normal.y};
  };
  const Exact toI = (a.x - mid.x) * (a.x - mid.x) + (a.y - mid.y) * (a.y - mid.y);
  std::optional<Exact> leastLeft, greatestRight;
  EdgeProof proof;
  for (int k = 1; k <= sites.nSites; ++k) {
    if (k == i || k == j) {
      continue;
    }
    const ExactPoint s = exactSite(sites, k);
    const Exact dx = s.x - mid.x, dy = s.y - mid.y;
    const Exact side = normal.x * dx + normal.y * dy;
    if (side == 0) {
      // On the line: inside every circle through i and j between them, else inside none.
      if ((s.x - a.x) * (s.x - b.x) + (s.y - a.y) * (s.y - b.y) < 0) {
        proof.verdict = EdgeProof::Verdict::SiteOnSegment;
        proof.k = k;
        return proof;
      }
      continue;
    }
    const Exact t = (dx * dx + dy * dy - toI) / (2 * side);
    if (side > 0 && (!leastLeft || t < *leastLeft)) {
      leastLeft = t;
      proof.k = k;
    } else if (side < 0 && (!greatestRight || t > *greatestRight)) {
      greatestRight = t;
      proof.l = k;
    }
  }
  if (leastLeft && greatestRight && *greatestRight >= *leastLeft) {
    proof.verdict =
        *greatestRight > *leastLeft ? EdgeProof::Verdict::HeldCircles : EdgeProof::Verdict::Tie;
    proof.centreK = rounded(centreAt(*leastLeft));
    proof.centreL = rounded(centreAt(*greatestRight));
    return proof;
  }
  proof.verdict = EdgeProof::Verdict::Edge;
  // The parameter of a centre: its offset from the midpoint along the normal.
  const auto parameterOf = [&](const Point& p) -> Exact {
    return ((Exact(p.x) - mid.x) * normal.x + (Exact(p.y) - mid.y) * normal.y) /
           (normal.x * normal.x + normal.y * normal.y);
  };
  const auto inside = [&](const Exact& t) {
    return (!leastLeft || t < *leastLeft) && (!greatestRight || t > *greatestRight);
  };
  Exact t;
  if (preferred != nullptr && std::isfinite(preferred->x) && std::isfinite(preferred->y) &&
      inside(parameterOf(*preferred))) {
    proof.centre = *preferred;
    proof.k = proof.l = 0;
    return proof;
  }
  if (leastLeft && greatestRight) {
    t = (*leastLeft + *greatestRight) / 2;
  } else if (leastLeft) {
    t = *leastLeft - 1;
  } else if (greatestRight) {
    t = *greatestRight + 1;
  }
  proof.centre = rounded(centreAt(t));
  proof.k = proof.l = 0;
  return proof;
}

DelaunayEdges delaunayEdges(const geometry::SiteColumns& sites) {
  DelaunayEdges found;
  for (int i = 1; i < sites.nSites; ++i) {
    for (int j = i + 1; j <= sites.nSites; ++j) {
      switch (delaunayProof(sites, i, j).verdict) {
        case EdgeProof::Verdict::Edge:
          found.edges.emplace_back(i, j);
          break;
        case EdgeProof::Verdict::Tie:
          found.ties.emplace_back(i, j);
          break;
        default:
          break;
      }
    }
  }
  return found;
}

}  // namespace app
