#include "steps/exact_steps.h"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

#include "steps/interval.h"
#include "support/five_sites.h"
#include "support/near_ties.h"
#include "support/random_sites.h"
#include "support/run_counts.h"

namespace {

using geometry::kWindowFrame;
using geometry::PairResult;

// Where no comparison of the edge finder comes near a tie, the exact steps reach the float
// steps' outcome: on the hand-made five sites, whose values are all exact, and on seeded runs.
TEST(ExactSteps, AgreeWithTheFloatStepsAwayFromTies) {
  const auto five = testing_support::sitesAt(testing_support::kFiveSites);
  std::vector<const geometry::SiteColumns*> layouts{five.get()};
  std::vector<std::unique_ptr<geometry::SiteColumns>> seeded;
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    seeded.push_back(testing_support::randomSites(seed));
    layouts.push_back(seeded.back().get());
  }
  for (const geometry::SiteColumns* sites : layouts) {
    for (const geometry::ScannedPair& pair : geometry::followEveryPair(kWindowFrame, *sites)) {
      const geometry::ExactOutcome exact =
          geometry::followPairExactly(kWindowFrame, *sites, pair.i, pair.j);
      EXPECT_TRUE(geometry::sameOutcome(pair.outcome, exact))
          << sites->nSites << " sites, pair " << pair.i << "-" << pair.j;
    }
  }
  // Pair 1-5 of the five sites is blocked by site 2, pair 1-2 draws its piece 2 (see the
  // literal steps' tests), pair 3-4 is shadowed.
  EXPECT_EQ(geometry::followPairExactly(kWindowFrame, *five, 1, 5).blockedBy, 2);
  EXPECT_EQ(geometry::followPairExactly(kWindowFrame, *five, 1, 2).piece, 2);
  EXPECT_EQ(geometry::followPairExactly(kWindowFrame, *five, 3, 4).result, PairResult::Shadowed);
}

// The three ways rounding changes a decision, each on a layout found among near ties and
// checked against values worked out separately in exact fractions from the same formulas
// (the sites as stored, the box 30400 x 20320):
// - a cut the floats miss: the competitor's line crosses the stretch at x = 30399.83, by
//   the box's right end, with P = -0.023215584272618384 exactly; the floats' P is positive;
// - a shadow decided by rounding: at the exact midpoint of piece 2, (15536.640685103312,
//   10467.587918197703), d1^2 - d3^2 = +0.0117, so site 3 is strictly closer than site 1;
//   the floats find the piece open;
// - a sort order flipped: the exact cut points of sites 1 and 4 on pair 2-3's bisector lie
//   1.79e-4 pixel apart, site 1's first; the rounded ones lie the other way round.
TEST(ExactSteps, DifferFromTheFloatsInEachWayRoundingDecides) {
  const auto borderCut = testing_support::sitesAt({{270.28010916993844, 187.876953f},
                                                   {274.65540619055355, 308.134766f},
                                                   {277.32923617499728, 371.008789f},
                                                   {269.96393746696049, 339.722656f},
                                                   {36.02630628485349, 446.121094f}});
  const geometry::PairAccount missed = geometry::explainPair(kWindowFrame, *borderCut, 1, 2);
  const geometry::ExactAccount cut = geometry::accountExactly(kWindowFrame, *borderCut, 1, 2);
  ASSERT_EQ(missed.competitors.front().site, 3);
  EXPECT_EQ(missed.competitors.front().outcome, geometry::Screening::NotNearer);
  EXPECT_EQ(cut.competitors.front().outcome, geometry::Screening::Cut);
  EXPECT_DOUBLE_EQ(cut.competitors.front().P, -0.023215584272618384);
  EXPECT_EQ(cut.sortedSites.size(), missed.sorted.size() + 1);

  const auto shadow = testing_support::sitesAt({{349.59277730479153, 348.725586f},
                                                {323.88879984354753, 348.788086f},
                                                {297.32111771160999, 289.867188f},
                                                {294.39594389149352, 298.901367f},
                                                {164.64573216775352, 480.082031f}});
  const geometry::PairAccount open = geometry::explainPair(kWindowFrame, *shadow, 1, 2);
  const geometry::ExactAccount shadowed = geometry::accountExactly(kWindowFrame, *shadow, 1, 2);
  const auto sortedSites = [](const geometry::PairAccount& account) {
    std::vector<int> sites;
    for (const geometry::CutEntry& entry : account.sorted) {
      sites.push_back(entry.site);
    }
    return sites;
  };
  EXPECT_EQ(sortedSites(open), shadowed.sortedSites) << "the same order: the piece test decides";
  EXPECT_EQ(open.pieces[1].shadowedBy, 0);
  EXPECT_EQ(shadowed.shadowers[1], 3);
  EXPECT_EQ(open.outcome.piece, 2);
  EXPECT_EQ(shadowed.outcome.piece, 3);

  const auto cocircular = testing_support::sitesAt({{345.54503149556695, 345.6582f},
                                                    {323.85791030731707, 306.15137f},
                                                    {362.8530008075886, 325.72266f},
                                                    {337.08384338086216, 346.2412f},
                                                    {203.71492460839, 414.40527f},
                                                    {403.30916032813, 230.11914f},
                                                    {617.5150938728275, 276.00586f},
                                                    {410.0264599766906, 270.86523f},
                                                    {200.37809309118347, 249.64648f}});
  const geometry::PairAccount rounded = geometry::explainPair(kWindowFrame, *cocircular, 2, 3);
  const geometry::ExactAccount exact = geometry::accountExactly(kWindowFrame, *cocircular, 2, 3);
  const auto place = [](const auto& order, int site) {
    return std::find(order.begin(), order.end(), site) - order.begin();
  };
  EXPECT_GT(place(sortedSites(rounded), 1), place(sortedSites(rounded), 4));
  EXPECT_LT(place(exact.sortedSites, 1), place(exact.sortedSites, 4));
  EXPECT_EQ(rounded.outcome.piece, 4);
  EXPECT_EQ(exact.outcome.piece, 5);
}

// Four sites exactly on one circle about a centre a third of a pixel off the grid,
// (15500 + 1/3, 10360 + 1/3) in the edge finder's coordinates, each 40001 / 9 square
// pixels from it (worked out by hand from the sites' offsets, (-199, 20) / 3 and the like).
// The cut points of the diagonal pairs' competitors meet at the centre, and the piece of
// length zero there has four sites exactly as far: no site is strictly closer, so exact
// arithmetic draws it. Doubles near the centre differ from each other by roundoff, which
// the exact run's filter must leave to rationals; the floats call every piece shadowed.
TEST(ExactSteps, LeaveExactTiesAtTheCentreOfACircleToRationals) {
  const auto sites =
      testing_support::sitesAt({{234, 207.0f}, {275, 262.0f}, {307, 134.0f}, {332, 259.0f}});
  for (const auto& [i, j] : {std::pair(1, 4), std::pair(2, 3)}) {
    const geometry::ExactOutcome exact = geometry::followPairExactly(kWindowFrame, *sites, i, j);
    EXPECT_EQ(exact.result, PairResult::Drawn) << i << "-" << j;
    EXPECT_EQ(exact.piece, 2) << i << "-" << j;
    EXPECT_EQ(exact.drawn.x0, exact.drawn.x1) << "a piece of length zero";
    EXPECT_NEAR(exact.drawn.x0, 15500 + 1.0 / 3, 1e-9);
    EXPECT_NEAR(exact.drawn.y0, 10360 + 1.0 / 3, 1e-9);
    geometry::CutList cuts;
    EXPECT_EQ(geometry::followPair(kWindowFrame, *sites, i, j, cuts).result, PairResult::Shadowed);
  }
}

// Every pair's verdict, found the filtered way, is the verdict of the rational steps: on
// seeded runs, on near ties of every kind and on the four sites exactly on one circle, where
// the filter must leave the ties to the rationals.
void expectSameVerdicts(const geometry::SiteColumns& sites, const std::string& where) {
  geometry::ExactScan filtered(kWindowFrame, sites);
  geometry::ExactScan rational(kWindowFrame, sites, geometry::ExactScan::Arithmetic::Rationals);
  for (int i = 1; i < sites.nSites; ++i) {
    for (int j = i + 1; j <= sites.nSites; ++j) {
      const auto expected = rational.verdict(i, j);
      ASSERT_TRUE(expected.has_value()) << "an exactly parallel line never cuts";
      EXPECT_EQ(filtered.verdict(i, j), expected) << where << ", pair " << i << "-" << j;
    }
  }
}

// The rational scan takes a third of a second for a layout of 49 sites, so the test command
// compares 100 seeded runs (20 under the sanitizers); VD_EXACT_FILTER_RUNS=2000 compares
// 2,000.
TEST(ExactSteps, FilteredVerdictsAreThoseOfTheRationalSteps) {
  std::uint32_t runs = testing_support::runCount(100, 20),
                nearTies = testing_support::runCount(200, 20);
  if (const char* asked = std::getenv("VD_EXACT_FILTER_RUNS")) {
    runs = static_cast<std::uint32_t>(std::strtoul(asked, nullptr, 10));
  }
  for (std::uint32_t seed = 1; seed <= runs; ++seed) {
    expectSameVerdicts(*testing_support::randomSites(seed), "seed " + std::to_string(seed));
  }
  testing_support::forEachNearTie(nearTies, expectSameVerdicts);
  expectSameVerdicts(
      *testing_support::sitesAt({{234, 207.0f}, {275, 262.0f}, {307, 134.0f}, {332, 259.0f}}),
      "four sites on one circle");
}

// The filter of a gap's sign, y - (m x + c), is never wrong: each input is a double known
// within a doubt (0 for an exact one), the exact values are chosen at the ends of their
// doubts and the gap from 0 to a few hundred units in the last place, where the bound
// decides. Each first-order term of the bound and its rounding term matter: with any one left
// out, some sample gets the wrong sign (tried). The doubling, room for the bound's own
// rounding, and the second-order dm dx are too small for any sample to show.
TEST(FilteredSigns, GapSignIsNeverWrongAndOftenDecided) {
  std::mt19937_64 engine(2026);
  const auto uniform = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(engine);
  };
  const auto coin = [&] { return engine() % 2 == 0 ? -1.0 : 1.0; };
  int decided = 0, samples = 0;
  for (int n = 0; n < 100000; ++n) {
    // Values like a stretch's end, a bisector's slope and intercept; half the inputs exact,
    // the others known to some units in their last place, as intervals give them.
    const double x = uniform(0, 30400), m = coin() * std::exp(uniform(-6, 6)),
                 c = uniform(-2e5, 2e5);
    const auto doubtOf = [&](double v) {
      return engine() % 2 == 0 ? 0.0 : std::ldexp(std::abs(v), -52) * uniform(0, 64);
    };
    const double dx = doubtOf(x), dm = doubtOf(m), dc = doubtOf(c);
    const mpq_class X = mpq_class(x) + coin() * mpq_class(dx),
                    M = mpq_class(m) + coin() * mpq_class(dm),
                    C = mpq_class(c) + coin() * mpq_class(dc);
    const mpq_class line = M * X + C;
    // y from 0 to a few hundred units in the last place off the line, itself exact or
    // known to its doubt.
    const double y =
        mpq_class(line).get_d() + coin() * std::ldexp(std::abs(mpq_class(line).get_d()), -52) *
                                      std::floor(std::exp2(uniform(0, 9)) - 1);
    const double dy = doubtOf(y);
    const mpq_class Y = mpq_class(y) + coin() * mpq_class(dy);
    const int exact = sgn(mpq_class(Y - line));
    const int filtered = geometry::gapSign({x, dx}, {y, dy}, {m, dm}, {c, dc});
    ASSERT_TRUE(filtered == 0 || filtered == exact)
        << "x " << x << " +- " << dx << ", y " << y << " +- " << dy << ", m " << m << " +- " << dm
        << ", c " << c << " +- " << dc << ": filtered " << filtered << ", exact " << exact;
    decided += filtered != 0 ? 1 : 0;
    ++samples;
  }
  // Far from a tie it decides: the same values moved off the line by a millionth.
  EXPECT_EQ(geometry::gapSign({100, 1e-12}, {1e6 + 1, 1e-10}, {3, 1e-15}, {1e6 - 300, 1e-10}), 1);
  EXPECT_EQ(geometry::gapSign({100, 1e-12}, {1e6 - 1, 1e-10}, {3, 1e-15}, {1e6 - 300, 1e-10}), -1);
  EXPECT_EQ(geometry::gapSign({HUGE_VAL, 0}, {1, 0}, {3, 0}, {0, 0}), 0) << "no sign for infinity";
  // A third of these near ties are decided (33,348 of 100,000 with this seed); a bound grown
  // loose by a term too many would leave them all to intervals and rationals.
  EXPECT_GE(decided, samples * 3 / 10) << decided << " of " << samples << " near ties decided";
}

// Where two lines known within doubts cross: the exact crossing always lies within the
// doubt crossingOf gives. Lines nearly parallel (the denominator's doubt decides) and
// crossings near the y axis (the numerator cancels) are among the samples. With any of the
// doubts of the four inputs left out of the bound some sample falls outside it (tried); the
// three rounding terms are each covered by the doubling when left out alone.
TEST(FilteredSigns, CrossingHoldsTheExactCrossing) {
  std::mt19937_64 engine(7);
  const auto uniform = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(engine);
  };
  const auto coin = [&] { return engine() % 2 == 0 ? -1.0 : 1.0; };
  const auto doubtOf = [&](double v) {
    return engine() % 2 == 0 ? 0.0 : std::ldexp(std::abs(v), -52) * uniform(0, 64);
  };
  int finite = 0;
  for (int n = 0; n < 100000; ++n) {
    const double m1 = coin() * std::exp(uniform(-6, 6)), c1 = uniform(-2e5, 2e5);
    // The other slope anywhere, or within a few hundred units in the last place of m1; the
    // other intercept anywhere, or close to c1.
    const double m = engine() % 2 == 0 ? coin() * std::exp(uniform(-6, 6))
                                       : m1 * (1 + coin() * std::ldexp(uniform(1, 512), -52));
    const double c = engine() % 2 == 0 ? uniform(-2e5, 2e5) : c1 + uniform(-1, 1);
    const geometry::Near nearM1{m1, doubtOf(m1)}, nearC1{c1, doubtOf(c1)}, nearM{m, doubtOf(m)},
        nearC{c, doubtOf(c)};
    const auto exactly = [&](const geometry::Near& v) -> mpq_class {
      return mpq_class(v.value) + coin() * mpq_class(v.doubt);
    };
    const mpq_class M1 = exactly(nearM1), C1 = exactly(nearC1), M = exactly(nearM),
                    C = exactly(nearC);
    const geometry::Near x = geometry::crossingOf(nearM1, nearC1, nearM, nearC);
    if (M1 == M || !std::isfinite(x.doubt)) {
      continue;
    }
    ++finite;
    const mpq_class X = (C - C1) / (M1 - M);
    ASSERT_LE(abs(X - mpq_class(x.value)), mpq_class(x.doubt))
        << "m1 " << m1 << " +- " << nearM1.doubt << ", c1 " << c1 << " +- " << nearC1.doubt
        << ", m " << m << " +- " << nearM.doubt << ", c " << c << " +- " << nearC.doubt;
    const geometry::Interval held = geometry::enclosure(x);
    ASSERT_TRUE(mpq_class(held.lo) <= X && X <= mpq_class(held.hi));
  }
  EXPECT_GT(finite, 90000);
}

}  // namespace
