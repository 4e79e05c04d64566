#include "exact_comparison.h"

#include <algorithm>
#include <charconv>

#include "picture/number_text.h"

namespace app {

namespace {

using geometry::Screening;

std::string number(double value) {
  return shortestText(value);
}

std::string ulps(double count) {
  return number(count) + " units in the last place";
}

std::string sign(double value) {
  return value > 0 ? "positive" : value < 0 ? "negative" : "zero";
}

StepAgreement competitorAgreement(const geometry::CompetitorStep& rounded,
                                  const geometry::ExactAccount& exact) {
  const auto found =
      std::find_if(exact.competitors.begin(), exact.competitors.end(),
                   [&](const geometry::ExactCompetitor& c) { return c.site == rounded.site; });
  if (found == exact.competitors.end()) {
    return {true, "exact arithmetic never reaches this site (its screening ended before)"};
  }
  if (found->outcome == rounded.outcome) {
    return {false, "P off by " + ulps(found->PUlps)};
  }
  return {true, "float " + std::string(geometry::screeningName(rounded.outcome)) + ", exact " +
                    std::string(geometry::screeningName(found->outcome)) +
                    "; exact P = " + number(found->P) + " (" + sign(found->P) +
                    "), the float P off by " + ulps(found->PUlps) + "; exact dIK " +
                    (found->nearer < 0   ? "<"
                     : found->nearer > 0 ? ">"
                                         : "=") +
                    " dIJ"};
}

}  // namespace

std::string StepAgreement::line() const {
  if (differs) {
    return "differs: " + how;
  }
  return how.empty() ? std::string("agrees") : "agrees (" + how + ")";
}

std::vector<StepAgreement> exactAgreement(const Lesson& lesson,
                                          const geometry::ExactAccount& exact) {
  const geometry::PairAccount& a = lesson.account;
  std::vector<StepAgreement> steps;
  for (const LessonStep& step : lesson.steps) {
    switch (step.kind) {
      case StepKind::Pair:
        steps.push_back({false, "no decision; m1 off by " + ulps(exact.m1Ulps) + ", c1 by " +
                                    ulps(exact.c1Ulps)});
        break;
      case StepKind::Competitor:
        steps.push_back(competitorAgreement(a.competitors[step.index], exact));
        break;
      case StepKind::SortedCuts: {
        StepAgreement sorted{false, ""};
        for (std::size_t e = 0; e < a.sorted.size(); ++e) {
          if (e >= exact.sortedSites.size() || exact.sortedSites[e] != a.sorted[e].site) {
            sorted = {true, "from entry " + std::to_string(e) + " on, the exact order is another"};
            break;
          }
        }
        if (!sorted.differs && exact.sortedSites.size() != a.sorted.size()) {
          sorted = {true, "exact arithmetic has " + std::to_string(exact.sortedSites.size()) +
                              " entries"};
        }
        steps.push_back(sorted);
        break;
      }
      case StepKind::Piece: {
        const int shadow = a.pieces[step.index].shadowedBy;
        if (step.index >= exact.shadowers.size()) {
          steps.push_back({true, "exact arithmetic does not test this piece"});
        } else if (exact.shadowers[step.index] == shadow) {
          steps.push_back({false, ""});
        } else {
          const auto who = [](int k) {
            return k == 0 ? std::string("open") : "shadowed by site " + std::to_string(k);
          };
          steps.push_back(
              {true, "float " + who(shadow) + ", exact " + who(exact.shadowers[step.index])});
        }
        break;
      }
      case StepKind::Result:
        steps.push_back(geometry::sameOutcome(a.outcome, exact.outcome)
                            ? StepAgreement{false, ""}
                            : StepAgreement{true, "the outcome"});
        break;
    }
  }
  return steps;
}

}  // namespace app
