#include "lesson.h"

#include <algorithm>
#include <cctype>

#include "explanation_text.h"
#include "geometry/window_frame.h"

namespace app {

const char* const kLessonRule =
    "Sites I and J share a Voronoi edge where a point is as near to both as to any other "
    "site: the centre of a circle through I and J with no site inside. Such points lie on "
    "the bisector of I and J, the line of points as far from I as from J. The edge finder "
    "clips it to a box forty windows across, the stretch. Every other site K has its own "
    "bisector with I; where that crosses the stretch is a cut point. A site in J's quadrant "
    "around I (on J's side of I both across and down), nearer to I than J is, whose "
    "bisector misses the stretch, blocks the pair. The cut points, sorted along the line, "
    "cut the stretch into pieces. A piece is shadowed when a site is nearer to its "
    "midpoint than I; the first piece that is not is the Voronoi edge, and I-J is a "
    "Delaunay edge.";

namespace {

using geometry::kWindowFrame;
using geometry::PairResult;
using geometry::Screening;

std::string site(int k) {
  return "site " + std::to_string(k);
}

std::string pair(const geometry::PairAccount& a) {
  return std::to_string(a.i) + "-" + std::to_string(a.j);
}

// Where a site lies relative to site i, in the window's words: "right of and below".
std::string sideOf(const geometry::SiteColumns& sites, int i, int k) {
  return std::string(sites.x(k) > sites.x(i) ? "right of" : "left of") + " and " +
         (sites.y(k) > sites.y(i) ? "below" : "above");
}

// The overview of a pair that a competitor blocks: the question, the block, the result.
void blockedOverview(Lesson& lesson, const geometry::SiteColumns& sites) {
  const geometry::PairAccount& a = lesson.account;
  const int k = a.outcome.blockedBy;
  lesson.overview.push_back({OverviewKind::Screening,
                             "Site " + std::to_string(k) + " blocks the pair: it lies " +
                                 sideOf(sites, a.i, k) + " " + site(a.i) + ", as " + site(a.j) +
                                 " does, nearer to " + site(a.i) + ", and its bisector with " +
                                 site(a.i) + " misses the line, so the whole line is nearer to " +
                                 site(k) + ".",
                             1,
                             a.competitors.size(),
                             {}});
  lesson.overview.push_back({OverviewKind::Result,
                             pair(a) + " is not an edge: " + site(k) +
                                 " blocks it before any cut point is sorted; nothing is drawn.",
                             lesson.steps.size() - 1,
                             lesson.steps.size() - 1,
                             {}});
}

// Why no piece of a shadowed pair is free, as the theory has it, or for a free piece its
// empty circle; for the shadowed pairs exact arithmetic leaves without a proof (a free
// circle beyond the stretch's ends, or four sites on one circle), the last piece's circle.
std::string decisionText(const Lesson& lesson) {
  const geometry::PairAccount& a = lesson.account;
  const geometry::PieceStep& last = a.pieces.back();
  if (last.shadowedBy == 0) {
    return "Piece " + std::to_string(last.piece) + " is free: the circle about its midpoint " +
           "through " + site(a.i) + " and " + site(a.j) + " holds no other site.";
  }
  if (!lesson.provesShadow()) {
    return "No piece is free: even the last, piece " + std::to_string(last.piece) + ", has " +
           site(last.nearest) + " inside the circle about its midpoint through " + site(a.i) + ".";
  }
  std::string reason = lesson.shadowReason();
  if (lesson.shadowProof.verdict == EdgeProof::Verdict::SiteOnSegment) {
    return "No piece can be free: " + reason + ".";
  }
  reason.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(reason.front())));
  return reason + ".";
}

// The overview of a pair whose cut points are sorted and whose pieces are tested.
void testedOverview(Lesson& lesson) {
  const geometry::PairAccount& a = lesson.account;
  const std::size_t sortedStep = 1 + a.competitors.size();  // the detail step of the sort
  if (!a.competitors.empty()) {
    const auto cuts = static_cast<std::size_t>(std::count_if(
        a.competitors.begin(), a.competitors.end(),
        [](const geometry::CompetitorStep& c) { return c.outcome == Screening::Cut; }));
    const std::size_t passes = a.competitors.size() - cuts;
    const auto beyond = static_cast<std::size_t>(
        std::count_if(a.competitors.begin(), a.competitors.end(), cutBeyondPicture));
    lesson.overview.push_back(
        {OverviewKind::Screening,
         "The other sites' bisectors with " + site(a.i) +
             " cut the line at the ticks: " + counted(cuts, "site cuts", "sites cut") + " it" +
             (beyond == 0 ? ""
                          : " (" + std::to_string(beyond) + " beyond the picture, at the arrows)") +
             (passes == 0 ? ", none passes."
                          : ", " + counted(passes, "site passes", "sites pass") +
                                " (its bisector misses the line, or runs along it)."),
         1,
         a.competitors.size(),
         {}});
  }
  const std::size_t points = a.sorted.size();
  lesson.overview.push_back(
      {OverviewKind::Order,
       "Sorted along the line, the " + counted(points, "cut point", "cut points") +
           " (the stretch's two ends among them) make " + counted(points - 1, "piece", "pieces") +
           ": piece p runs from #p-1 to #p.",
       sortedStep,
       sortedStep,
       {}});
  // The shadowed pieces: each has a site nearer to its midpoint than site i. For a pair
  // that every piece shadows, all of them, which is what decides it.
  const bool shadowed = a.outcome.result == PairResult::Shadowed;
  const std::size_t deciding = a.pieces.size() - 1;
  const std::size_t shownPieces = shadowed ? a.pieces.size() : deciding;
  if (shownPieces > 0) {
    std::vector<std::size_t> shown;
    for (std::size_t n = 0; n < shownPieces; ++n) {
      shown.push_back(n);
    }
    const std::vector<int> shadowers = shadowersOf(a, shown);
    const std::string pieces = shownPieces == 1 ? "Piece 1 is"
                                                : "Pieces 1 to " + std::to_string(shownPieces) +
                                                      (shadowed ? " are all" : " are");
    lesson.overview.push_back(
        {OverviewKind::Shadows,
         pieces + " shadowed: " +
             (shadowers.size() == 1 ? site(shadowers[0]) + " is"
                                    : "sites " + numberList(shadowers, 5) + " are") +
             " nearer to " + (shownPieces == 1 ? "its midpoint" : "their midpoints") + " than " +
             site(a.i) +
             (shownPieces == 1 ? "; the piece carries that site's number."
                               : "; each run of pieces carries the number of the site nearest it."),
         sortedStep + 1, sortedStep + shownPieces, shown});
  }
  const geometry::PieceStep& last = a.pieces.back();
  const std::string piece = "piece " + std::to_string(last.piece);
  lesson.overview.push_back({OverviewKind::Decision,
                             decisionText(lesson),
                             sortedStep + deciding + 1,
                             sortedStep + deciding + 1,
                             {}});
  lesson.overview.push_back(
      {OverviewKind::Result,
       a.outcome.result == PairResult::Drawn
           ? pair(a) + " is an edge: its Voronoi edge is " + piece +
                 " in red, its Delaunay "
                 "edge the segment from " +
                 site(a.i) + " to " + site(a.j) + "."
           : pair(a) +
                 " is not an edge: every piece of the line is nearer to another site "
                 "than to " +
                 site(a.i) + "; nothing is drawn.",
       lesson.steps.size() - 1,
       lesson.steps.size() - 1,
       {}});
}

}  // namespace

std::vector<int> shadowersOf(const geometry::PairAccount& a,
                             const std::vector<std::size_t>& pieces) {
  std::vector<int> shadowers;
  for (const std::size_t n : pieces) {
    const int k = a.pieces[n].nearest;
    if (k != 0 && std::find(shadowers.begin(), shadowers.end(), k) == shadowers.end()) {
      shadowers.push_back(k);
    }
  }
  return shadowers;
}

namespace {

// The proof's first clause, which a slide has room for.
std::string shadowProofHeadline(const Lesson& lesson) {
  std::string reason = lesson.shadowReason();
  reason.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(reason.front())));
  if (lesson.shadowProof.verdict == EdgeProof::Verdict::HeldCircles) {
    reason.erase(reason.find(':'));
  }
  return reason + ".";
}

// What a detail step says without numbers, short enough for a slide.
std::string detailHeadline(const geometry::PairAccount& a, const LessonStep& step) {
  const std::string i = std::to_string(a.i), j = std::to_string(a.j);
  switch (step.kind) {
    case StepKind::Pair:
      return "Sites " + i + " and " + j + " and their bisector, clipped to the box.";
    case StepKind::Competitor: {
      const geometry::CompetitorStep& c = a.competitors[step.index];
      const std::string k = "Site " + std::to_string(c.site);
      switch (c.outcome) {
        case Screening::Cut:
          return k + " cuts the line at a tick.";
        case Screening::Parallel:
          return k + " passes: its bisector with " + i + " runs parallel to the line.";
        case Screening::OutsideQuadrant:
          return k + " passes: outside " + j + "'s quadrant, its bisector misses the line.";
        case Screening::NotNearer:
          return k + " passes: not nearer than " + j + ", its bisector misses the line.";
        case Screening::Blocked:
          return k + " blocks the pair: in " + j + "'s quadrant, nearer than " + j +
                 ", its bisector misses the line.";
      }
      break;
    }
    case StepKind::SortedCuts:
      return "Sorted along the line, " +
             counted(a.sorted.size(), "cut point makes", "cut points make") + " " +
             counted(a.sorted.size() - 1, "piece.", "pieces.");
    case StepKind::Piece: {
      const geometry::PieceStep& p = a.pieces[step.index];
      const std::string piece = "Piece " + std::to_string(p.piece);
      return p.shadowedBy == 0
                 ? piece + " is open: no site is nearer to its midpoint than " + i + "."
                 : piece + ": site " + std::to_string(p.shadowedBy) +
                       " is nearer to its midpoint than " + i + ".";
    }
    case StepKind::Result:
      return a.outcome.result == PairResult::Drawn
                 ? "Piece " + std::to_string(a.outcome.piece) + " is drawn in red, and the edge " +
                       pair(a) + "."
             : a.outcome.result == PairResult::Blocked
                 ? "Blocked by site " + std::to_string(a.outcome.blockedBy) + ": nothing is drawn."
                 : "Every piece is shadowed: nothing is drawn.";
  }
  return {};
}

// The headline of each overview step: what its text says, short enough for a slide.
void addHeadlines(Lesson& lesson) {
  const geometry::PairAccount& a = lesson.account;
  for (LessonStep& step : lesson.steps) {
    step.headline = detailHeadline(a, step);
  }
  for (OverviewStep& step : lesson.overview) {
    switch (step.kind) {
      case OverviewKind::Question:
        step.headline = "Is " + pair(a) + " an edge? It would lie on the bisector of " +
                        std::to_string(a.i) + " and " + std::to_string(a.j) + ".";
        break;
      case OverviewKind::Screening: {
        if (a.outcome.result == PairResult::Blocked) {
          step.headline = "Site " + std::to_string(a.outcome.blockedBy) + ", on " +
                          std::to_string(a.j) + "'s side of " + std::to_string(a.i) +
                          " and nearer, never cuts the line: it blocks the pair.";
          break;
        }
        const auto cuts = std::count_if(
            a.competitors.begin(), a.competitors.end(),
            [](const geometry::CompetitorStep& c) { return c.outcome == Screening::Cut; });
        step.headline = counted(static_cast<std::size_t>(cuts), "site cuts", "sites cut") +
                        " the line at the ticks.";
        break;
      }
      case OverviewKind::Order:
        step.headline = "In order along the line, " +
                        counted(a.sorted.size(), "cut point makes", "cut points make") + " " +
                        counted(a.sorted.size() - 1, "piece.", "pieces.");
        break;
      case OverviewKind::Shadows: {
        const std::vector<int> shadowers = shadowersOf(a, step.pieces);
        step.headline =
            (step.pieces.size() == 1
                 ? std::string("Piece 1 is shadowed by site")
                 : "Pieces 1 to " + std::to_string(step.pieces.size()) + " are shadowed by site") +
            (shadowers.size() == 1 ? " " : "s ") + numberList(shadowers, 5) + ".";
        break;
      }
      case OverviewKind::Decision: {
        const geometry::PieceStep& last = a.pieces.back();
        step.headline =
            last.shadowedBy == 0
                ? "Piece " + std::to_string(last.piece) + " is free: its circle through " +
                      std::to_string(a.i) + " and " + std::to_string(a.j) + " is empty."
            : lesson.provesShadow() ? shadowProofHeadline(lesson)
                                    : "No piece is free: site " + std::to_string(last.nearest) +
                                          " lies inside the last one's circle.";
        break;
      }
      case OverviewKind::Result:
        step.headline = a.outcome.result == PairResult::Drawn
                            ? "Yes: " + pair(a) + " is an edge."
                            : "No: " + pair(a) + " is not an edge.";
        break;
    }
  }
}

}  // namespace

Lesson lessonOf(geometry::PairAccount account, const geometry::SiteColumns& sites) {
  // The detail speaks the picture's numbers; the account keeps every digit of the edge finder's.
  constexpr NumberForm kInPixels = NumberForm::WindowPixels;
  Lesson lesson{std::move(account), {}, {}, {}};
  const geometry::PairAccount& a = lesson.account;
  lesson.steps.push_back({StepKind::Pair, 0, pairLine(a, sites, kInPixels)});
  for (std::size_t n = 0; n < a.competitors.size(); ++n) {
    const geometry::CompetitorStep& step = a.competitors[n];
    lesson.steps.push_back(
        {StepKind::Competitor, n,
         "site " + std::to_string(step.site) + ": " + competitorLine(step, a.j, kInPixels)});
  }
  if (a.outcome.result != PairResult::Blocked) {
    std::string sorted = "sorted cut list (entry: x, y, made by): ";
    for (std::size_t e = 0; e < a.sorted.size(); ++e) {
      sorted += (e == 0 ? "" : "; ") + cutEntryLine(a.sorted[e], e, kInPixels);
    }
    lesson.steps.push_back({StepKind::SortedCuts, 0, sorted});
    for (std::size_t n = 0; n < a.pieces.size(); ++n) {
      lesson.steps.push_back({StepKind::Piece, n, pieceLine(a.pieces[n], a.i, kInPixels)});
    }
  }
  lesson.steps.push_back({StepKind::Result, 0, resultSentence(a)});

  lesson.overview.push_back(
      {OverviewKind::Question,
       "Is " + pair(a) +
           " an edge? Its Voronoi edge, if any, lies on this line, the points as "
           "far from " +
           site(a.i) + " at " + windowPosition(sites, a.i) + " as from " + site(a.j) + " at " +
           windowPosition(sites, a.j) + ".",
       0,
       0,
       {}});
  if (a.outcome.result == PairResult::Blocked) {
    blockedOverview(lesson, sites);
  } else {
    if (a.outcome.result == PairResult::Shadowed) {
      lesson.shadowProof = delaunayProof(sites, a.i, a.j);
    }
    testedOverview(lesson);
  }
  addHeadlines(lesson);
  return lesson;
}

bool cutBeyondPicture(const geometry::CompetitorStep& step) {
  return step.outcome == Screening::Cut && !kWindowFrame.shows(step.x, step.y);
}

std::string Lesson::shadowReason() const {
  const std::string i = std::to_string(account.i), j = std::to_string(account.j);
  const std::string k = std::to_string(shadowProof.k), l = std::to_string(shadowProof.l);
  if (shadowProof.verdict == EdgeProof::Verdict::SiteOnSegment) {
    return "site " + k + " lies on the segment from " + i + " to " + j +
           ", so every circle through them holds it";
  }
  return "every circle through " + i + " and " + j + " holds site " + k + " or site " + l +
         ": the circle through " + i + ", " + j + " and " + k + " holds " + l +
         ", the one through " + i + ", " + j + " and " + l + " holds " + k;
}

std::size_t Lesson::decidingStep(LessonLevel level) const {
  // In the detail, the step before the result: the block, or the last piece tested. In
  // the overview, the block, the free piece, or the shadows that cover the whole line.
  if (level == LessonLevel::Detail) {
    return steps.size() - 2;
  }
  return account.outcome.result == PairResult::Shadowed && !provesShadow() ? overview.size() - 3
                                                                           : overview.size() - 2;
}

std::size_t Lesson::stepAtOtherLevel(LessonLevel from, std::size_t step) const {
  if (from == LessonLevel::Overview) {
    return overview[std::min(step, overview.size() - 1)].firstDetail;
  }
  for (std::size_t n = 0; n < overview.size(); ++n) {
    if (step <= overview[n].lastDetail) {
      return n;
    }
  }
  return overview.size() - 1;
}

std::string stepLine(const Lesson& lesson, std::size_t step) {
  return "step " + std::to_string(step + 1) + ": " + lesson.steps[step].text;
}

std::string stepLine(const Lesson& lesson, LessonLevel level, std::size_t step) {
  if (level == LessonLevel::Detail) {
    return stepLine(lesson, step);
  }
  const OverviewStep& shown = lesson.overview[step];
  const std::string gathered = shown.firstDetail == shown.lastDetail
                                   ? "detail step " + std::to_string(shown.firstDetail + 1)
                                   : "detail steps " + std::to_string(shown.firstDetail + 1) + "-" +
                                         std::to_string(shown.lastDetail + 1);
  return "step " + std::to_string(step + 1) + ": " + shown.text + " [" + gathered + "]";
}

}  // namespace app
