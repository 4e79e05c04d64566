#include "exact_comparison.h"

#include <algorithm>
#include <charconv>

namespace app {

namespace {

using geometry::Screening;

std::string number(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string ulps(double count) {
  return number(count) + " units in the last place";
}

std::string screeningName(Screening s) {
  switch (s) {
    case Screening::Cut:
      return "cut";
    case Screening::Parallel:
      return "parallel";
    case Screening::OutsideQuadrant:
      return "passed (outside the quadrant)";
    case Screening::NotNearer:
      return "passed (not nearer)";
    case Screening::Blocked:
      break;
  }
  return "blocked";
}

std::string sign(double value) {
  return value > 0 ? "positive" : value < 0 ? "negative" : "zero";
}

std::string competitorAgreement(const geometry::CompetitorStep& rounded,
                                const geometry::ExactAccount& exact) {
  const auto found =
      std::find_if(exact.competitors.begin(), exact.competitors.end(),
                   [&](const geometry::ExactCompetitor& c) { return c.site == rounded.site; });
  if (found == exact.competitors.end()) {
    return "differs: exact arithmetic never reaches this site (its screening ended before)";
  }
  if (found->outcome == rounded.outcome) {
    return "agrees (P off by " + ulps(found->PUlps) + ")";
  }
  return "differs: float " + screeningName(rounded.outcome) + ", exact " +
         screeningName(found->outcome) + "; exact P = " + number(found->P) + " (" + sign(found->P) +
         "), the float P off by " + ulps(found->PUlps) + "; exact dIK " +
         (found->nearer < 0   ? "<"
          : found->nearer > 0 ? ">"
                              : "=") +
         " dIJ";
}

}  // namespace

std::vector<std::string> exactAgreement(const Lesson& lesson, const geometry::ExactAccount& exact) {
  const geometry::PairAccount& a = lesson.account;
  std::vector<std::string> lines;
  for (const LessonStep& step : lesson.steps) {
    switch (step.kind) {
      case StepKind::Pair:
        lines.push_back("agrees (no decision; m1 off by " + ulps(exact.m1Ulps) + ", c1 by " +
                        ulps(exact.c1Ulps) + ")");
        break;
      case StepKind::Competitor:
        lines.push_back(competitorAgreement(a.competitors[step.index], exact));
        break;
      case StepKind::SortedCuts: {
        std::string line = "agrees";
        for (std::size_t e = 0; e < a.sorted.size(); ++e) {
          if (e >= exact.sortedSites.size() || exact.sortedSites[e] != a.sorted[e].site) {
            line = "differs: from entry " + std::to_string(e) + " on, the exact order is another";
            break;
          }
        }
        if (line == "agrees" && exact.sortedSites.size() != a.sorted.size()) {
          line = "differs: exact arithmetic has " + std::to_string(exact.sortedSites.size()) +
                 " entries";
        }
        lines.push_back(line);
        break;
      }
      case StepKind::Piece: {
        const int shadow = a.pieces[step.index].shadowedBy;
        if (step.index >= exact.shadowers.size()) {
          lines.push_back("differs: exact arithmetic does not test this piece");
        } else if (exact.shadowers[step.index] == shadow) {
          lines.push_back("agrees");
        } else {
          const auto who = [](int k) {
            return k == 0 ? std::string("open") : "shadowed by site " + std::to_string(k);
          };
          lines.push_back("differs: float " + who(shadow) + ", exact " +
                          who(exact.shadowers[step.index]));
        }
        break;
      }
      case StepKind::Result:
        lines.push_back(geometry::sameOutcome(a.outcome, exact.outcome) ? "agrees"
                                                                        : "differs: the outcome");
        break;
    }
  }
  return lines;
}

}  // namespace app
