#pragma once

#include <vector>

#include "geometry/sites.h"

namespace app {

// Whether two sites share a Delaunay edge, decided in exact arithmetic on the sites as the
// edge finder stores them, with a proof a learner can check on the picture.
//
// The circles through sites i and j have their centres on the bisector of the two,
// C(t) = O + t n, with O the midpoint of i and j and n the direction from i to j turned a
// quarter to the left. A site k left of the line from i to j lies inside C(t)'s circle just
// when t > t_k, one on the right just when t < t_k, where
//   t_k = (|k - O|^2 - |i - O|^2) / (2 n . (k - O)).
// So an empty circle through i and j exists just when every t_l on the right is at most
// every t_k on the left. Where it does not, the left site k of least t_k and the right site
// l of greatest t_l hold each other: the circle through i, j and k holds l, the one through
// i, j and l holds k, and every circle through i and j holds one of them. A site on the line
// between i and j lies inside every circle through them; one on the line outside the
// segment lies inside none.
// A point of the plane in the edge finder's domain coordinates.
struct Point {
  double x, y;
};

struct EdgeProof {
  enum class Verdict {
    Edge,           // an empty circle through i and j, about `centre`
    SiteOnSegment,  // site k lies on the segment between i and j
    HeldCircles,    // sites k (left) and l (right) hold each other's circles
    Tie,            // the least t_k equals the greatest t_l: four sites on one circle
  };
  Verdict verdict = Verdict::Tie;
  int k = 0, l = 0;
  // For Edge, the centre of an empty circle; for HeldCircles, the centres of the circles
  // through i, j and k and through i, j and l. Domain coordinates, rounded to doubles.
  Point centre{}, centreK{}, centreL{};
};

// The proof for pair (i, j), 1 <= i, j <= nSites, i != j. For an edge, the centre is
// `preferred` where that lies strictly between the bounds, else one that does.
EdgeProof delaunayProof(const geometry::SiteColumns& sites, int i, int j,
                        const Point* preferred = nullptr);

// The layout's Delaunay edges (i < j, in scan order), or nothing where a tie leaves one
// undecided.
struct DelaunayEdges {
  std::vector<std::pair<int, int>> edges;
  std::vector<std::pair<int, int>> ties;  // pairs that four sites on one circle leave open
};
DelaunayEdges delaunayEdges(const geometry::SiteColumns& sites);

}  // namespace app
