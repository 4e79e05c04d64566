#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "geometry/sites.h"
#include "geometry/window_frame.h"
#include "literal_steps.h"

namespace geometry {

struct IntervalBisector;

// Where the literal steps lead for a pair when nothing is rounded: the same steps (the
// bisector clipped to the domain box, the screening with its block and cut rules, the heap
// sort with its tie rules, the piece test from piece 1) on the same inputs, the sites as the
// edge finder stores them and the box sides as it computes them, and from there on every
// value an exact rational (GMP). Distances are compared by their exact squares, which orders
// them as the distances themselves.
struct ExactOutcome {
  PairResult result = PairResult::Shadowed;
  int blockedBy = 0;  // for Blocked
  int piece = 0;      // for Drawn
  Piece drawn{};      // for Drawn: the piece's ends, rounded to the nearest doubles
  // A competitor's bisector exactly parallel to the pair's: the cut point would divide by
  // zero, and the exact outcome is not defined. The competitor is parallelSite.
  bool undefined = false;
  int parallelSite = 0;
};

ExactOutcome followPairExactly(const WindowFrame& frame, const SiteColumns& sites, int i, int j);

// What the exact steps decided at each step, for setting beside the float account. Values
// are the exact ones rounded to doubles for showing; `…Ulps` say how many units in the last
// place of the float value it lies from the exact one.
struct ExactCompetitor {
  int site;
  Screening outcome;  // never Parallel: an exactly parallel line leaves the outcome undefined
  double P;           // the product of the end gaps
  double PUlps;       // the float P's distance from the exact one, in its units
  int nearer;         // the sign of dIK^2 - dIJ^2: < 0 when k is nearer to i than j is
};
struct ExactAccount {
  ExactOutcome outcome;
  double m1Ulps = 0, c1Ulps = 0;
  std::vector<ExactCompetitor> competitors;  // as far as the exact screening went
  // The site that made each sorted entry (empty for a blocked pair), and for each tested
  // piece its shadow or 0.
  std::vector<int> sortedSites;
  std::vector<int> shadowers;
};

ExactAccount accountExactly(const WindowFrame& frame, const SiteColumns& sites, int i, int j);

// The exact steps for many pairs of one layout: the sites are made exact once, and site i's
// bisectors with the other sites are worked out once for all of its pairs, as the fast scan
// does; ask for the pairs in scan order to gain most. account() follows a pair's steps in
// exact rationals. verdict() finds where they lead the fast scan's way, settling nearly
// every decision in doubles and intervals with proved bounds, and follows in rationals only
// a pair with a decision those leave open.
class ExactScan {
 public:
  // For verdict(): Filtered, bounds first and rationals where they leave a decision open;
  // Rationals, every pair in rationals, kept to check the filter against.
  enum class Arithmetic { Filtered, Rationals };
  ExactScan(const WindowFrame& frame, const SiteColumns& sites,
            Arithmetic arithmetic = Arithmetic::Filtered);
  ~ExactScan();
  ExactScan(const ExactScan&) = delete;
  ExactScan& operator=(const ExactScan&) = delete;

  // The account of the pair's decisions, in rationals: its outcome, each competitor's
  // outcome and the sign of `nearer`, the sorted order and the pieces' shadows (P and the
  // ulps are left 0; accountExactly gives them).
  ExactAccount account(int i, int j);

  // How the pair's exact steps end, as account(i, j).outcome does but without the drawn
  // piece's ends, found the short way where it can be (see decideVerdictEnclosed in the .cpp
  // file): what --exact, the exact layer and the search for a rounding failure ask of every
  // pair. Empty where the exact outcome is undefined.
  std::optional<PairVerdict> verdict(int i, int j);

 private:
  friend ExactAccount accountExactly(const WindowFrame&, const SiteColumns&, int, int);
  PairVerdict decideVerdictEnclosed(int i, int j);
  ExactAccount accountInRationals(int i, int j);
  // Makes site i the one whose bisectors are at hand.
  void turnTo(int i);
  // Makes site i's row of bisectors and shadow terms for the verdicts, after turnTo(i).
  void makeRow(int i);
  const IntervalBisector& enclosedBisector(int i, int k);
  struct Tables;  // GMP's values stay out of this header
  const WindowFrame& frame_;
  const SiteColumns& sites_;
  Arithmetic arithmetic_;
  std::unique_ptr<Tables> tables_;
};

// Whether the float steps and the exact ones reach the same outcome: the same result, and
// the same blocking site or drawn piece.
bool sameOutcome(const PairOutcome& rounded, const ExactOutcome& exact);

// The pairs (i, j) of the layout whose float outcome differs from the exact one, in scan
// order: every pair's verdict found the fast way on both sides (FastVerdicts, ExactScan).
// `stop`, if given, is asked between pairs and ends the comparison early when true. Raises a
// RunError, before comparing any, for sites that share an x or a y.
std::vector<std::pair<int, int>> pairsDifferingFromExact(
    const WindowFrame& frame, const SiteColumns& sites,
    const std::function<bool()>& stop = nullptr);

}  // namespace geometry
