#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "explanation_picture.h"
#include "explanation_text.h"
#include "geometry/window_frame.h"
#include "picture/picture_style.h"
#include "step_drawing.h"

namespace app {

namespace {

using geometry::kWindowFrame;
using geometry::PairResult;
using geometry::Screening;

constexpr Colour kPieceShade[] = {rgb(255, 150, 90), rgb(120, 200, 255)};

PixelPoint inWindow(double x, double y) {
  return {kWindowFrame.windowX(x), kWindowFrame.windowY(y)};
}

std::string number(int k) {
  return std::to_string(k);
}

// "pieces 1-12" or "piece 3": the runs of pieces one site shadows.
std::string pieceRuns(const geometry::PairAccount& a, const std::vector<std::size_t>& pieces,
                      int shadower) {
  std::string text;
  std::size_t count = 0;
  for (std::size_t n = 0; n < pieces.size(); ++n) {
    if (a.pieces[pieces[n]].nearest != shadower ||
        (n > 0 && a.pieces[pieces[n - 1]].nearest == shadower)) {
      continue;
    }
    std::size_t last = n;
    while (last + 1 < pieces.size() && a.pieces[pieces[last + 1]].nearest == shadower) {
      ++last;
    }
    const int from = a.pieces[pieces[n]].piece, to = a.pieces[pieces[last]].piece;
    text +=
        (count++ == 0 ? "" : ", ") + (from == to ? number(from) : number(from) + "-" + number(to));
  }
  return (count == 1 && text.find('-') == std::string::npos ? "piece " : "pieces ") + text;
}

// Where the segment from a to b shows in the picture, its middle; none when it misses it.
std::optional<PixelPoint> visibleMiddle(PixelPoint a, PixelPoint b) {
  const auto span = visibleSpan(a, b);
  if (!span) {
    return std::nullopt;
  }
  const double middle = (span->first + span->second) / 2;
  return a + (b - a) * middle;
}

// The site nearest to site i among those whose cut point shows in the picture; 0 for none.
int exampleCutter(const geometry::PairAccount& a, const geometry::SiteColumns& sites) {
  int nearest = 0;
  double best = 0;
  for (const geometry::CompetitorStep& c : a.competitors) {
    if (c.outcome == Screening::Cut && kWindowFrame.shows(c.x, c.y)) {
      const double d = std::hypot(sites.x(c.site) - sites.x(a.i),
                                  static_cast<double>(sites.y(c.site) - sites.y(a.i)));
      if (nearest == 0 || d < best) {
        nearest = c.site;
        best = d;
      }
    }
  }
  return nearest;
}

// The cut points beyond the picture, counted on either side of the line's visible part,
// each count at the arrow towards the nearest of them ("13 cuts"), and in the legend, which
// has room where a crowded border leaves an arrow's label none.
void cutsBeyond(StepDrawing& draw, const geometry::PairAccount& a,
                std::vector<LegendEntry>& legend) {
  const geometry::PairRecord& r = a.pair;
  const PixelPoint start = inWindow(r.startX, r.startY), end = inWindow(r.endX, r.endY);
  const auto span = visibleSpan(start, end);
  if (!span) {
    return;
  }
  const PixelPoint d = end - start;
  struct Side {
    double edge;  // where the line leaves the picture, as a fraction of the way from start
    int count = 0;
    double distance = 0;
    const geometry::CompetitorStep* nearest = nullptr;
  };
  std::array<Side, 2> sides{Side{span->first}, Side{span->second}};
  for (const geometry::CompetitorStep& c : a.competitors) {
    if (!cutBeyondPicture(c)) {
      continue;
    }
    const PixelPoint p = inWindow(c.x, c.y) - start;
    const double t = std::abs(d.x()) > std::abs(d.y()) ? p.x() / d.x() : p.y() / d.y();
    Side& side = sides[t < span->first ? 0 : 1];
    if (side.nearest == nullptr || std::abs(t - side.edge) < side.distance) {
      side.distance = std::abs(t - side.edge);
      side.nearest = &c;
    }
    ++side.count;
  }
  for (const Side& side : sides) {
    if (side.nearest != nullptr) {
      draw.name(side.nearest->x, side.nearest->y,
                counted(static_cast<std::size_t>(side.count), "cut", "cuts"));
    }
  }
  if (const auto beyond = static_cast<std::size_t>(sides[0].count + sides[1].count); beyond > 0) {
    legend.push_back(
        {kTick, counted(beyond, "cut point", "cut points") + " beyond the picture, at the arrows"});
  }
}

// The pieces coloured by the site nearest each one's midpoint: the first few sites each in a
// colour of its own and ringed alike, the rest in one shade; every run of pieces labelled
// with its site's number, so that colour is never the only cue, and every piece the picture
// shows with its own ("p3", where the other labels leave room), a piece too short to see
// with a dot.
void shadows(StepDrawing& draw, const geometry::PairAccount& a,
             const std::vector<std::size_t>& pieces, std::vector<LegendEntry>& legend,
             std::vector<MarkLabel>& labels, std::vector<MarkLabel>& pieceLabels) {
  const std::vector<int> shadowers = shadowersOf(a, pieces);
  const auto colourOf = [&](int k) {
    return shadowColour(static_cast<std::size_t>(std::find(shadowers.begin(), shadowers.end(), k) -
                                                 shadowers.begin()));
  };
  for (std::size_t n = 0; n < pieces.size(); ++n) {
    const geometry::PieceStep& p = a.pieces[pieces[n]];
    draw.piece(a, p, colourOf(p.nearest), 3);
    if (const auto shown = visiblePiece(a, p.piece)) {
      if (shown->length < kShortestVisiblePiece) {
        draw.dot(shown->middle, colourOf(p.nearest));
      }
      pieceLabels.push_back({shown->middle, "p" + number(p.piece), colourOf(p.nearest)});
    }
    if (n > 0 && a.pieces[pieces[n - 1]].nearest == p.nearest) {
      continue;  // labelled with the run it belongs to
    }
    std::size_t last = n;
    while (last + 1 < pieces.size() && a.pieces[pieces[last + 1]].nearest == p.nearest) {
      ++last;
    }
    const geometry::CutEntry& from = a.sorted[static_cast<std::size_t>(p.piece - 1)];
    const geometry::CutEntry& to = a.sorted[static_cast<std::size_t>(a.pieces[pieces[last]].piece)];
    if (const auto middle = visibleMiddle(inWindow(from.x, from.y), inWindow(to.x, to.y))) {
      labels.push_back({*middle, number(p.nearest), colourOf(p.nearest)});
    }
  }
  const std::size_t coloured = std::min(shadowers.size(), kShadowColours.size());
  for (std::size_t s = 0; s < coloured; ++s) {
    draw.ring(shadowers[s], shadowColour(s), 8);
    draw.nameSite(shadowers[s]);
    legend.push_back({shadowColour(s), pieceRuns(a, pieces, shadowers[s]) + ": site " +
                                           number(shadowers[s]) + " is nearer"});
  }
  for (std::size_t s = coloured; s < shadowers.size(); ++s) {
    draw.nameSite(shadowers[s]);
  }
  if (shadowers.size() > coloured) {
    const std::vector<int> others(shadowers.begin() + static_cast<std::ptrdiff_t>(coloured),
                                  shadowers.end());
    legend.push_back({kShadowedPiece,
                      "the other pieces: " + std::string(others.size() == 1 ? "site " : "sites ") +
                          numberList(others, 4) + (others.size() == 1 ? " is" : " are") +
                          " nearer"});
  }
}

// Why every circle through the pair's sites holds another site: the site on their segment
// ringed, or the circles through each of the two sites either side of their line, each
// holding the other site, both sites ringed.
void shadowProof(StepDrawing& draw, const Lesson& lesson, const geometry::SiteColumns& sites,
                 std::vector<LegendEntry>& legend) {
  const geometry::PairAccount& a = lesson.account;
  const EdgeProof& proof = lesson.shadowProof;
  const std::string i = number(a.i), j = number(a.j), k = number(proof.k), l = number(proof.l);
  draw.line(sites.x(a.i), sites.y(a.i), sites.x(a.j), sites.y(a.j), kPairSite);
  draw.nameSite(proof.k);
  if (proof.verdict == EdgeProof::Verdict::SiteOnSegment) {
    draw.ring(proof.k, kBlocking, 8);
    legend.push_back({kBlocking, "site " + k + ", on the segment from " + i + " to " + j, true});
    return;
  }
  // Each site ringed in the colour of the circle through it, which holds the other.
  draw.circleThrough(proof.centreK.x, proof.centreK.y, a.i, kCompetitorLine);
  draw.circleThrough(proof.centreL.x, proof.centreL.y, a.i, kProofCircle);
  draw.ring(proof.k, kCompetitorLine, 8);
  draw.ring(proof.l, kProofCircle, 8);
  draw.nameSite(proof.l);
  legend.push_back(
      {kCompetitorLine, "circle through " + i + ", " + j + " and " + k + ": holds " + l});
  legend.push_back({kProofCircle, "circle through " + i + ", " + j + " and " + l + ": holds " + k});
}

}  // namespace

Picture overviewStepPicture(const Picture& normal, const Lesson& lesson, std::size_t step,
                            const geometry::SiteColumns& sites, PictureStyle style, StepText text,
                            LessonGround ground) {
  Picture picture = lessonGround(
      normal, ground == LessonGround::WholeDiagram || step + 1 == lesson.overview.size());
  const geometry::PairAccount& a = lesson.account;
  const OverviewStep& shown = lesson.overview[step];
  const geometry::PairRecord& r = a.pair;
  StepDrawing draw(picture, sites, textFactorOf(style));
  std::vector<LegendEntry> legend = pairLegend(a);
  std::vector<MarkLabel> tickLabels, pieceLabels;
  draw.line(r.startX, r.startY, r.endX, r.endY, kBisector);
  draw.nameSite(a.i);
  draw.nameSite(a.j);

  switch (shown.kind) {
    case OverviewKind::Question:
      draw.line(sites.x(a.i), sites.y(a.i), sites.x(a.j), sites.y(a.j), kPairSite);
      legend.push_back({kPairSite, "the segment from " + number(a.i) + " to " + number(a.j)});
      break;
    case OverviewKind::Screening:
      if (a.outcome.result == PairResult::Blocked) {
        const int k = a.outcome.blockedBy;
        draw.competitorLine(a, k);
        draw.quadrant(a);
        draw.ring(k, kBlocking, 8);
        draw.nameSite(k);
        legend.push_back({kCompetitorLine, "bisector of " + number(a.i) + " and " + number(k)});
        legend.push_back({kBlocking, "on " + number(a.j) + "'s side of " + number(a.i) +
                                         " both across and down (its quadrant)"});
        break;
      }
      // One competitor's bisector drawn, to show what a cut is: the site nearest to site i
      // among those whose cut point shows.
      if (const int example = exampleCutter(a, sites); example != 0) {
        draw.competitorLine(a, example);
        draw.ring(example, kCompetitorLine, 8);
        draw.nameSite(example);
        legend.push_back({kCompetitorLine, "bisector of " + number(a.i) + " and " +
                                               number(example) + ": it cuts at " + number(example) +
                                               "'s tick"});
      }
      for (const geometry::CompetitorStep& c : a.competitors) {
        if (c.outcome == Screening::Cut) {
          draw.tick(r, c.x, c.y, kTick);
          tickLabels.push_back({inWindow(c.x, c.y), number(c.site), kTick});
        } else {
          draw.ring(c.site, kPassing, 5);
        }
      }
      legend.push_back({kTick, "cut points, by the site that made them"});
      cutsBeyond(draw, a, legend);
      if (std::any_of(
              a.competitors.begin(), a.competitors.end(),
              [](const geometry::CompetitorStep& c) { return c.outcome != Screening::Cut; })) {
        legend.push_back({kPassing, "sites that pass", true});
      }
      break;
    case OverviewKind::Order:
      for (std::size_t e = 0; e + 1 < a.sorted.size(); ++e) {
        draw.line(a.sorted[e].x, a.sorted[e].y, a.sorted[e + 1].x, a.sorted[e + 1].y,
                  kPieceShade[e % 2], 3);
      }
      for (std::size_t e = 0; e < a.sorted.size(); ++e) {
        draw.tick(r, a.sorted[e].x, a.sorted[e].y, kTick);
        tickLabels.push_back(
            {inWindow(a.sorted[e].x, a.sorted[e].y), sortedPlace(e), kSortedPlace});
      }
      legend.push_back({kSortedPlace, "#n: a cut point's place along the line"});
      legend.push_back({kPieceShade[0], "the pieces, in two shades by turns"});
      break;
    case OverviewKind::Shadows:
      shadows(draw, a, shown.pieces, legend, tickLabels, pieceLabels);
      break;
    case OverviewKind::Decision: {
      if (lesson.provesShadow()) {
        shadowProof(draw, lesson, sites, legend);
        break;
      }
      const geometry::PieceStep& p = a.pieces.back();
      const bool open = p.shadowedBy == 0;
      draw.testedPiece(a, a.pieces.size() - 1, p.nearest);
      legend.push_back({open ? kSurvivingPiece : kTestedPiece,
                        "piece " + number(p.piece) + (open ? ", the free one" : ", the last")});
      legend.push_back({open ? kEmptyCircle : kBlocking,
                        open ? "circle about its midpoint M: empty"
                             : "circle about M, holding site " + number(p.nearest),
                        true});
      break;
    }
    case OverviewKind::Result:
      if (a.outcome.result == PairResult::Drawn) {
        const geometry::PieceStep& p = a.pieces.back();
        draw.piece(a, p, kSurvivingPiece, 4);
        draw.line(sites.x(a.i), sites.y(a.i), sites.x(a.j), sites.y(a.j), kPairSite, 3);
        legend.push_back({kSurvivingPiece, "the Voronoi edge"});
        legend.push_back({kPairSite, "the Delaunay edge"});
      } else if (a.outcome.result == PairResult::Blocked) {
        draw.ring(a.outcome.blockedBy, kBlocking, 8);
        draw.nameSite(a.outcome.blockedBy);
        legend.push_back({kBlocking, "the site that blocks", true});
      } else {
        for (const geometry::PieceStep& p : a.pieces) {
          draw.piece(a, p, kShadowedPiece, 2);
        }
        legend.push_back({kShadowedPiece, "every piece shadowed"});
      }
      break;
  }
  draw.ring(a.i, kPairSite);
  draw.ring(a.j, kPairSite);
  const Picture top = draw.topLayer(text == StepText::Beside
                                        ? std::string()
                                        : stepLine(lesson, LessonLevel::Overview, step) + " (of " +
                                              std::to_string(lesson.overview.size()) + " steps)",
                                    legend);
  draw.labelSites(a.i, a.j, tickLabels);
  for (const MarkLabel& label : pieceLabels) {
    draw.label(label);
  }
  picture.insert(picture.end(), top.begin(), top.end());
  return draw.styled(std::move(picture), style);
}

}  // namespace app
