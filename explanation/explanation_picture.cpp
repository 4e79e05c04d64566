#include "explanation_picture.h"

#include <cmath>

#include "geometry/window_frame.h"
#include "picture/picture_style.h"
#include "quiz.h"
#include "step_drawing.h"

namespace app {

namespace {

using geometry::kWindowFrame;
using geometry::PairResult;
using geometry::Screening;

PixelPoint inWindow(double x, double y) {
  return {kWindowFrame.windowX(x), kWindowFrame.windowY(y)};
}

std::string site(int k) {
  return "site " + std::to_string(k);
}

}  // namespace

Picture lessonStepPicture(const Picture& normal, const Lesson& lesson, std::size_t step,
                          const geometry::SiteColumns& sites, PictureStyle style, StepText text,
                          LessonGround ground) {
  Picture picture =
      lessonGround(normal, ground == LessonGround::WholeDiagram || step + 1 == lesson.steps.size());
  const geometry::PairAccount& a = lesson.account;
  const LessonStep& shown = lesson.steps[step];
  const geometry::PairRecord& r = a.pair;
  StepDrawing draw(picture, sites, textFactorOf(style));
  std::vector<LegendEntry> legend = pairLegend(a);
  // The sorted list is too long for the box: its entries are the ticks' numbers, and the
  // step's line in full stands in the list beside the picture.
  const std::string caption =
      shown.kind == StepKind::SortedCuts
          ? "step " + std::to_string(step + 1) + ": the cut list sorted by x, " +
                std::to_string(a.sorted.size()) + " entries, each tick numbered by its place"
          : stepLine(lesson, step);
  draw.line(r.startX, r.startY, r.endX, r.endY, kBisector);

  // The cut points made up to this step, as ticks; labelled with the competitor while the
  // screening goes on, and with their sorted place (#n) in the sorted list's step.
  const bool screening = shown.kind == StepKind::Pair || shown.kind == StepKind::Competitor;
  const std::size_t screened = shown.kind == StepKind::Pair         ? 0
                               : shown.kind == StepKind::Competitor ? shown.index + 1
                                                                    : a.competitors.size();
  std::vector<MarkLabel> tickLabels;
  if (screening) {
    for (std::size_t n = 0; n < screened; ++n) {
      const geometry::CompetitorStep& c = a.competitors[n];
      if (c.outcome == Screening::Cut) {
        draw.tick(r, c.x, c.y, kTick);
        tickLabels.push_back({inWindow(c.x, c.y), std::to_string(c.site), kTick});
      }
    }
    if (screened > 0) {
      legend.push_back({kTick, "cut points, by the site that made them"});
    }
  } else {
    for (std::size_t e = 0; e < a.sorted.size(); ++e) {
      draw.tick(r, a.sorted[e].x, a.sorted[e].y, kTick);
      if (shown.kind == StepKind::SortedCuts) {
        tickLabels.push_back(
            {inWindow(a.sorted[e].x, a.sorted[e].y), sortedPlace(e), kSortedPlace});
      }
    }
    if (shown.kind == StepKind::SortedCuts) {
      legend.push_back({kSortedPlace, "#n: a cut point's place, sorted by x"});
    }
  }

  draw.nameSite(a.i);  // ringed in every step, and so kept clear of boxes in every step
  draw.nameSite(a.j);
  switch (shown.kind) {
    case StepKind::Pair:
      break;
    case StepKind::SortedCuts:
      break;
    case StepKind::Competitor: {
      const geometry::CompetitorStep& c = a.competitors[shown.index];
      draw.competitorLine(a, c.site);
      const bool blocks = c.outcome == Screening::Blocked;
      draw.ring(c.site, blocks ? kBlocking : kCompetitorLine, 8);
      draw.nameSite(c.site);
      if (c.outcome == Screening::Cut) {
        draw.name(c.x, c.y, std::to_string(c.site));
      }
      legend.push_back({kCompetitorLine,
                        "bisector of " + std::to_string(a.i) + " and " + std::to_string(c.site)});
      if (blocks) {
        draw.quadrant(a);
        legend.push_back({kBlocking, site(a.j) + "'s quadrant around " + site(a.i)});
      }
      break;
    }
    case StepKind::Piece: {
      draw.testedPiece(a, shown.index, a.pieces[shown.index].shadowedBy);
      const geometry::PieceStep& p = a.pieces[shown.index];
      const bool open = p.shadowedBy == 0;
      if (shown.index > 0) {
        legend.push_back({kShadowedPiece, "pieces shadowed before"});
      }
      legend.push_back({open ? kSurvivingPiece : kTestedPiece, "the piece tested"});
      legend.push_back({open ? kEmptyCircle : kBlocking,
                        open ? "circle about its midpoint M: empty"
                             : "circle about M through " + std::to_string(a.i) + ", holding " +
                                   std::to_string(p.shadowedBy),
                        true});
      break;
    }
    case StepKind::Result:
      for (const geometry::PieceStep& p : a.pieces) {
        const bool open = p.shadowedBy == 0;
        draw.piece(a, p, open ? kSurvivingPiece : kShadowedPiece, open ? 3 : 2);
      }
      if (a.outcome.result == PairResult::Blocked) {
        draw.ring(a.outcome.blockedBy, kBlocking, 8);
        draw.nameSite(a.outcome.blockedBy);
        legend.push_back({kBlocking, "the site that blocks", true});
      } else {
        legend.push_back({kShadowedPiece, "shadowed pieces"});
        if (a.outcome.result == PairResult::Drawn) {
          legend.push_back({kSurvivingPiece, "the Voronoi edge"});
        }
      }
      break;
  }
  draw.ring(a.i, kPairSite);
  draw.ring(a.j, kPairSite);
  const Picture top =
      draw.topLayer(text == StepText::Beside
                        ? std::string()
                        : caption + " (of " + std::to_string(lesson.steps.size()) + " steps)",
                    legend);
  draw.labelSites(a.i, a.j, tickLabels);
  picture.insert(picture.end(), top.begin(), top.end());
  return draw.styled(std::move(picture), style);
}

Picture levelStepPicture(const Picture& normal, const Lesson& lesson, LessonLevel level,
                         std::size_t step, const geometry::SiteColumns& sites, PictureStyle style,
                         StepText text, LessonGround ground) {
  return level == LessonLevel::Detail
             ? lessonStepPicture(normal, lesson, step, sites, style, text, ground)
             : overviewStepPicture(normal, lesson, step, sites, style, text, ground);
}

Picture explanationPicture(const Picture& normal, const geometry::PairAccount& account,
                           const geometry::SiteColumns& sites, PictureStyle style) {
  const Lesson lesson = lessonOf(account, sites);
  return lessonStepPicture(normal, lesson, lesson.steps.size() - 1, sites, style);
}

Picture questionPicture(const Picture& normal, const geometry::PairRecord& pair, int i, int j,
                        const geometry::SiteColumns& sites, PictureStyle style, AnswerKeys keys) {
  ShownLayers circlesOnly;
  for (const Layer layer : {Layer::VoronoiEdges, Layer::DelaunayEdges, Layer::Label}) {
    circlesOnly.set(layer, false);
  }
  Picture picture = visibleItems(normal, circlesOnly);
  StepDrawing draw(picture, sites, textFactorOf(style));
  draw.line(pair.startX, pair.startY, pair.endX, pair.endY, kBisector);
  draw.ring(i, kPairSite);
  draw.ring(j, kPairSite);
  draw.nameSite(i);
  draw.nameSite(j);
  const Picture top =
      draw.topLayer(keys == AnswerKeys::Shown ? questionText(i, j) : pairQuestion(i, j), {});
  draw.labelSites(i, j, {});  // every site numbered, as the answer's reason names them
  picture.insert(picture.end(), top.begin(), top.end());
  return draw.styled(std::move(picture), style);
}

}  // namespace app
