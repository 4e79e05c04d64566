#include "explanation_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "geometry/cut_list.h"
#include "geometry/window_frame.h"
#include "picture/number_text.h"

namespace app {

namespace {

using geometry::kWindowFrame;

using geometry::CutList;
using geometry::Screening;

// The shortest decimal that reads back as the same double.
std::string number(double value) {
  return shortestText(value);
}

std::string point(double x, double y, NumberForm form = NumberForm::EdgeFinder) {
  if (form == NumberForm::WindowPixels) {
    return windowPoint(x, y);
  }
  std::string text = "(";
  text.append(number(x)).append(", ").append(number(y)).append(")");
  return text;
}

// A slope with four significant digits: "-3.139", "0.0001235", "3.139e+07".
std::string slope(double m) {
  if (std::fpclassify(m) != FP_NORMAL) {  // zero, or no number to round
    return number(m);
  }
  const int digits = 3 - static_cast<int>(std::floor(std::log10(std::fabs(m))));
  // A power of ten up to 10^22 is exact, so that either way the result is the double nearest
  // to the rounded decimal, whose shortest form is that decimal.
  return number(digits >= 0 ? std::round(m * std::pow(10.0, digits)) / std::pow(10.0, digits)
                            : std::round(m / std::pow(10.0, -digits)) * std::pow(10.0, -digits));
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

}  // namespace

std::string competitorLine(const geometry::CompetitorStep& step, int j, NumberForm form) {
  const std::string line = step.throughEnd ? "its line passes through an end of the stretch"
                                           : "its line misses the stretch";
  switch (step.outcome) {
    case Screening::Cut:
      return "cut at " + point(step.x, step.y, form) +
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

std::string pairLine(const geometry::PairAccount& account, const geometry::SiteColumns& sites,
                     NumberForm form) {
  const geometry::PairRecord& r = account.pair;
  // In window pixels the line is y = m1 x + c with c = c1 + m1 dx - dy, (dx, dy) the offset
  // of the edge finder's frame.
  const std::string equation =
      form == NumberForm::EdgeFinder
          ? "bisector y = m1 x + c1, m1 = " + number(r.m1) + ", c1 = " + number(r.c1)
          : "bisector y = m1 x + c in window pixels, m1 = " + slope(r.m1) + ", c = " +
                tenths(r.c1 + r.m1 * static_cast<double>(kWindowFrame.offsetX()) -
                       static_cast<double>(kWindowFrame.offsetY()));
  return site(account.i) + " " + point(sites.x(account.i), sites.y(account.i), form) + " and " +
         site(account.j) + " " + point(sites.x(account.j), sites.y(account.j), form) + ": " +
         equation + ", from " + point(r.startX, r.startY, form) + " to " +
         point(r.endX, r.endY, form);
}

std::string cutEntryLine(const geometry::CutEntry& entry, std::size_t e, NumberForm form) {
  return std::to_string(e) + ": " + point(entry.x, entry.y, form) + " " + madeBy(entry.site);
}

std::string pieceLine(const geometry::PieceStep& piece, int i, NumberForm form) {
  return "piece " + std::to_string(piece.piece) + ": midpoint " +
         point(piece.midX, piece.midY, form) +
         (piece.shadowedBy != 0
              ? ", shadowed by " + site(piece.shadowedBy) + ", strictly closer than " + site(i)
              : ", open: no site is closer than " + site(i));
}

std::string resultSentence(const geometry::PairAccount& account) {
  const geometry::PairOutcome& outcome = account.outcome;
  switch (outcome.result) {
    case geometry::PairResult::Blocked:
      return "result: blocked by " + site(outcome.blockedBy) +
             "; no end point, no sort, no piece test, nothing drawn";
    case geometry::PairResult::Drawn:
      return "result: piece " + std::to_string(outcome.piece) + ", from entry " +
             std::to_string(outcome.piece - 1) + " to entry " + std::to_string(outcome.piece) +
             ", is drawn in red, then the Delaunay edge from " + site(account.i) + " to " +
             site(account.j);
    case geometry::PairResult::Shadowed:
      break;
  }
  return "result: every piece is shadowed; nothing is drawn";
}

std::string resultLine(int i, int j, const geometry::PairOutcome& outcome) {
  const std::string pair = "pair " + std::to_string(i) + "-" + std::to_string(j) + ": ";
  const std::string count =
      std::to_string(outcome.cutCount) + (outcome.cutCount == 1 ? " cut point" : " cut points");
  return pair + geometry::outcomeWords(outcome) +
         (outcome.result == geometry::PairResult::Drawn ? " of " : ", ") + count;
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
    text += "  " + site(step.site) + ": " + competitorLine(step, j, NumberForm::EdgeFinder) + "\n";
  }
  if (account.outcome.result == geometry::PairResult::Blocked) {
    return text + "\n" + resultSentence(account) + "\n";
  }

  text += "\nsorted cut list (entry: x, y, made by):\n";
  for (std::size_t e = 0; e < account.sorted.size(); ++e) {
    const geometry::CutEntry& entry = account.sorted[e];
    text += "  " + cutEntryLine(entry, e, NumberForm::EdgeFinder) + "\n";
  }
  text +=
      "\npieces (piece p runs from entry p - 1 to entry p; its midpoint lies on the "
      "bisector):\n";
  for (const geometry::PieceStep& piece : account.pieces) {
    text += "  " + pieceLine(piece, i, NumberForm::EdgeFinder) + "\n";
  }
  return text + "\n" + resultSentence(account) + "\n";
}

std::string tenths(double v) {
  const double rounded = std::round(v * 10);  // halves away from zero
  if (!(std::fabs(rounded) < 1e15)) {
    return number(v);
  }
  // In whole tenths, so that no locale's decimal comma gets in.
  const auto count = static_cast<long long>(std::fabs(rounded));
  std::string text = (rounded < 0 ? "-" : "") + std::to_string(count / 10);
  if (count % 10 != 0) {
    text += "." + std::to_string(count % 10);
  }
  return text;
}

std::string windowPoint(double x, double y) {
  return "(" + tenths(kWindowFrame.windowX(x)) + ", " + tenths(kWindowFrame.windowY(y)) + ")";
}

std::string windowPosition(const geometry::SiteColumns& sites, int k) {
  return windowPoint(sites.x(k), sites.y(k));
}

std::string counted(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

namespace {

std::string wordList(const std::vector<std::string>& words, std::size_t most) {
  const std::size_t shown = std::min(words.size(), most);
  const bool more = words.size() > shown;
  std::string text;
  for (std::size_t n = 0; n < shown; ++n) {
    text += n == 0 ? "" : n + 1 == shown && !more ? " and " : ", ";
    text += words[n];
  }
  if (more) {
    text += " and " + std::to_string(words.size() - shown) + " more";
  }
  return text;
}

}  // namespace

std::string numberList(const std::vector<int>& numbers, std::size_t most) {
  std::vector<std::string> words;
  for (const int number : numbers) {
    words.push_back(std::to_string(number));
  }
  return wordList(words, most);
}

std::string pairName(int i, int j) {
  return std::to_string(i) + "-" + std::to_string(j);
}

std::string pairList(const std::vector<std::pair<int, int>>& pairs, std::size_t most) {
  std::vector<std::string> words;
  for (const auto& [i, j] : pairs) {
    words.push_back(pairName(i, j));
  }
  return wordList(words, most);
}

}  // namespace app
