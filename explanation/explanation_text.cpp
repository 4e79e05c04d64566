#include "explanation_text.h"

#include <charconv>

#include "geometry/cut_list.h"
#include "geometry/window_frame.h"

namespace app {

namespace {

using geometry::kWindowFrame;

using geometry::CutList;
using geometry::Screening;

// The shortest decimal that reads back as the same double.
std::string number(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string point(double x, double y) {
  std::string text = "(";
  text.append(number(x)).append(", ").append(number(y)).append(")");
  return text;
}

std::string site(int k) {
  return "site " + std::to_string(k);
}

std::string madeBy(int cutSite) {
  if (cutSite == CutList::kStartPoint) {
    return "start";
  }
  if (cutSite == CutList::kEndPoint) {
    return "end";
  }
  return site(cutSite);
}

std::string screeningLine(const geometry::CompetitorStep& step, int j) {
  const std::string line = step.throughEnd ? "its line passes through an end of the stretch"
                                           : "its line misses the stretch";
  switch (step.outcome) {
    case Screening::Cut:
      return "cut at " + point(step.x, step.y) +
             (step.throughEnd
                  ? " (an end point: it lies in the quadrant and nearer than " + site(j) + ")"
                  : "");
    case Screening::Parallel:
      return "passed: its line is parallel to the pair's bisector, so it cuts nowhere";
    case Screening::OutsideQuadrant:
      return "passed: outside " + site(j) + "'s quadrant, and " + line;
    case Screening::NotNearer:
      return "passed: in the quadrant but not nearer than " + site(j) + ", and " + line;
    case Screening::Blocked:
      return "blocked the pair: in " + site(j) + "'s quadrant, nearer than " + site(j) +
             ", and its line misses the stretch; screening stopped";
  }
  return {};
}

}  // namespace

std::string resultLine(int i, int j, const geometry::PairOutcome& outcome) {
  const std::string pair = "pair " + std::to_string(i) + "-" + std::to_string(j) + ": ";
  const std::string count = std::to_string(outcome.cutCount) + " cut points";
  switch (outcome.result) {
    case geometry::PairResult::Blocked:
      return pair + "blocked by " + std::to_string(outcome.blockedBy) + ", " + count;
    case geometry::PairResult::Shadowed:
      return pair + "shadowed, " + count;
    case geometry::PairResult::Drawn:
      return pair + "drawn, piece " + std::to_string(outcome.piece) + " of " + count;
  }
  return {};
}

std::string accountText(const geometry::PairAccount& account, const geometry::SiteColumns& sites) {
  const int i = account.i, j = account.j;
  const geometry::PairRecord& r = account.pair;
  std::string text = resultLine(i, j, account.outcome) + "\n\n";
  text += "Coordinates are the edge finder's: window pixels plus (" +
          number(kWindowFrame.offsetX()) + ", " + number(kWindowFrame.offsetY()) + ").\n";
  text += site(i) + ": " + point(sites.x(i), sites.y(i)) + "\n";
  text += site(j) + ": " + point(sites.x(j), sites.y(j)) + "\n";
  text += "bisector: y = m1 x + c1, m1 = " + number(r.m1) + ", c1 = " + number(r.c1) + "\n";
  text += "stretch in the domain box: from " + point(r.startX, r.startY) + " to " +
          point(r.endX, r.endY) + "\n\n";

  text += "screening, site by site:\n";
  for (const geometry::CompetitorStep& step : account.competitors) {
    text += "  " + site(step.site) + ": " + screeningLine(step, j) + "\n";
  }
  if (account.outcome.result == geometry::PairResult::Blocked) {
    text += "\nresult: blocked by " + site(account.outcome.blockedBy) +
            "; no end point, no sort, no piece test, nothing drawn\n";
    return text;
  }

  text += "\nsorted cut list (entry: x, y, made by):\n";
  for (std::size_t e = 0; e < account.sorted.size(); ++e) {
    const geometry::CutEntry& entry = account.sorted[e];
    text +=
        "  " + std::to_string(e) + ": " + point(entry.x, entry.y) + " " + madeBy(entry.site) + "\n";
  }
  text +=
      "\npieces (piece p runs from entry p - 1 to entry p; its midpoint lies on the "
      "bisector):\n";
  for (const geometry::PieceStep& piece : account.pieces) {
    text += "  piece " + std::to_string(piece.piece) + ": midpoint " +
            point(piece.midX, piece.midY) +
            (piece.shadowedBy != 0
                 ? ", shadowed by " + site(piece.shadowedBy) + ", strictly closer than " + site(i)
                 : ", open: no site is closer than " + site(i)) +
            "\n";
  }
  if (account.outcome.result == geometry::PairResult::Drawn) {
    const int p = account.outcome.piece;
    text += "\nresult: piece " + std::to_string(p) + ", from entry " + std::to_string(p - 1) +
            " to entry " + std::to_string(p) + ", is drawn in red, then the Delaunay edge from " +
            site(i) + " to " + site(j) + "\n";
  } else {
    text += "\nresult: every piece is shadowed; nothing is drawn\n";
  }
  return text;
}

}  // namespace app
