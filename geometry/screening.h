#pragma once

#include <array>
#include <span>

#include "cut_list.h"
#include "pair_record.h"
#include "sites.h"

namespace geometry {

// Site i's view of the other sites: its bisector with each site k and the offsets
// X(k) - X(i), Y(k) - Y(i), by site number k. None of it depends on the partner j, so it
// is built once for each i and serves every pair (i, j) as the competitors' lines.
struct CompetitorTable {
  PerSite<Bisector> bisector;
  PerSite<double> dx;
  PerSite<float> dy;
  double mMax = 0, cMax = 0;  // the largest |m| and |c| of site i's bisectors
  double slopeGap = 0;        // the least non-zero difference of two of their slopes

  void build(const SiteColumns& sites, int i);

  // Every site but i, by site number.
  [[nodiscard]] std::span<const int> others() const { return {others_.data(), othersCount_}; }

  // The other sites in site j's quadrant around site i, by site number, j among them: the
  // competitors that may block the pair (i, j). Sites share no x and no y, so each lies
  // strictly in one quadrant.
  [[nodiscard]] std::span<const int> quadrantOf(int j) const {
    const auto& q = quadrants_[quadrantIndex(j)];
    return {q.sites.data(), q.count};
  }

  // The sites whose shadows have shown earlier pairs of site i to be no edge: mostly the
  // Voronoi neighbours of site i, which bound its cell and so shadow the bisectors of the
  // other pairs. Usually a handful; they are tried first for the next pair.
  [[nodiscard]] std::span<const int> witnesses() const {
    return {witnesses_.data(), witnessCount_};
  }
  void addWitness(int k);

 private:
  [[nodiscard]] std::size_t quadrantIndex(int k) const {
    return (dx(k) > 0 ? 1U : 0U) + (dy(k) > 0 ? 2U : 0U);
  }
  struct Quadrant {
    std::array<int, SiteColumns::kSlots> sites{};
    std::size_t count = 0;
  };
  std::array<Quadrant, 4> quadrants_{};
  std::array<int, SiteColumns::kSlots> others_{};
  std::size_t othersCount_ = 0;
  std::array<int, SiteColumns::kSlots> witnesses_{};
  std::size_t witnessCount_ = 0;
};

// One pair (i, j) of the scan and what the fast scan knows of it: its record and site i's
// competitor table. A view for the length of one pair's work; it owns nothing.
struct PairContext {
  const PairRecord& pair;
  const CompetitorTable& table;
  const SiteColumns& sites;
  int i, j;
};

// The formulas of the screening, shared by the fast scan and the literal steps.

// P: the product of the vertical offsets of a competitor's line from the pair's bisector
// at the two ends of the stretch. Negative when the line crosses the stretch between its
// ends, zero when it passes through an end.
inline double endGapProduct(const PairRecord& pair, const Bisector& line) {
  const double gapStart = pair.startY - (line.m * pair.startX + line.c);
  const double gapEnd = pair.endY - (line.m * pair.endX + line.c);
  return gapStart * gapEnd;
}

// Whether site k lies strictly in site j's quadrant around site i, from the offsets of j
// and k from i.
inline bool inQuadrant(double dxJ, float dyJ, double dxK, float dyK) {
  return dxJ * dxK > 0 && dyJ * dyK > 0;
}

// Appends the point where the line y = m2 x + c2 of site i and competitor k crosses the
// pair's bisector. Parallel lines (m2 equal to m1, which rounding can give for three sites
// nearly on one line) do not cross, and add nothing.
void appendCrossing(const PairRecord& pair, const Bisector& line, int k, CutList& cuts);

// Screens every site k other than i and j against the pair, filling the cut list with the
// start point and the points where the bisectors of site i with the competitors cross the
// pair's clipped bisector. Returns true when a competitor blocks the pair: the list then
// keeps the entries made so far and gets no end point. Otherwise the end point is appended
// and false returned.
bool screenCompetitors(const PairContext& context, CutList& cuts);

// The competitor at which screenCompetitors stops, blocked, or 0 when none blocks the pair;
// found without making the cut list.
int blockingSite(const PairContext& context);

}  // namespace geometry
