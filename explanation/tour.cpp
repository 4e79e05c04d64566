#include "tour.h"

#include <algorithm>
#include <cmath>

#include "explanation_text.h"
#include "geometry/window_frame.h"
#include "step_drawing.h"

namespace app {

namespace {

using geometry::kWindowFrame;

// How many other sites lie within kCrowdRadius window pixels of the middle of the pair's
// Delaunay edge: the fewer, the clearer its step's picture.
constexpr double kCrowdRadius = 80;
int crowdAbout(const geometry::SiteColumns& sites, const geometry::PairAccount& a) {
  const double x = (sites.x(a.i) + sites.x(a.j)) / 2;
  const double y = (static_cast<double>(sites.y(a.i)) + static_cast<double>(sites.y(a.j))) / 2;
  int crowd = 0;
  for (int k = 1; k <= sites.nSites; ++k) {
    const double dx = sites.x(k) - x, dy = static_cast<double>(sites.y(k)) - y;
    crowd += k != a.i && k != a.j && dx * dx + dy * dy < kCrowdRadius * kCrowdRadius;
  }
  return crowd;
}

// Whether the step's empty circle, about its edge's midpoint through site i, lies wholly in
// the picture.
bool circleInPicture(const geometry::SiteColumns& sites, const geometry::PairAccount& a) {
  const geometry::PieceStep& open = a.pieces.back();
  const double x = kWindowFrame.windowX(open.midX), y = kWindowFrame.windowY(open.midY);
  const double radius =
      std::hypot(open.midX - sites.x(a.i), open.midY - static_cast<double>(sites.y(a.i)));
  return x - radius >= 0 && y - radius >= 0 && x + radius <= kWindowFrame.clientWidth &&
         y + radius <= kWindowFrame.clientHeight;
}

}  // namespace

Tour tourOf(const geometry::SiteColumns& sites) {
  Tour tour;
  for (const geometry::ScannedPair& pair : geometry::followEveryPair(kWindowFrame, sites)) {
    ++tour.pairs;
    switch (pair.outcome.result) {
      case geometry::PairResult::Drawn:
        tour.drawn.push_back(geometry::explainPair(kWindowFrame, sites, pair.i, pair.j));
        break;
      case geometry::PairResult::Blocked:
        ++tour.blocked;
        break;
      case geometry::PairResult::Shadowed:
        ++tour.shadowed;
        break;
    }
  }
  // The first step where the picture is least crowded, among the pairs whose empty circle
  // the picture shows whole where there are such (the first in scan order of the least
  // crowded), the others after it in scan order, round to those before it.
  const bool anyWhole = std::any_of(tour.drawn.begin(), tour.drawn.end(),
                                    [&](const auto& a) { return circleInPicture(sites, a); });
  const auto clearer = [&](const geometry::PairAccount& a, const geometry::PairAccount& b) {
    const bool wholeA = !anyWhole || circleInPicture(sites, a);
    const bool wholeB = !anyWhole || circleInPicture(sites, b);
    return wholeA != wholeB ? wholeA : crowdAbout(sites, a) < crowdAbout(sites, b);
  };
  const auto least = std::min_element(tour.drawn.begin(), tour.drawn.end(), clearer);
  std::rotate(tour.drawn.begin(), least, tour.drawn.end());
  return tour;
}

std::string tourStepLine(const Tour& tour, const geometry::SiteColumns& sites, std::size_t step) {
  std::string text = "step " + std::to_string(step + 1) + ": ";
  if (step >= tour.drawn.size()) {
    return text + tourStepHeadline(tour, step);
  }
  const geometry::PairAccount& a = tour.drawn[step];
  const geometry::PieceStep& open = a.pieces.back();
  return text + std::to_string(a.i) + "-" + std::to_string(a.j) + " is an edge: the circle about " +
         windowPoint(open.midX, open.midY) + " through site " + std::to_string(a.i) + " " +
         windowPosition(sites, a.i) + " and site " + std::to_string(a.j) + " " +
         windowPosition(sites, a.j) + " holds no other site.";
}

std::string tourStepHeadline(const Tour& tour, std::size_t step) {
  if (step >= tour.drawn.size()) {
    return std::to_string(tour.drawn.size()) + " of " +
           counted(static_cast<std::size_t>(tour.pairs), "pair is an edge", "pairs are edges") +
           "; " + std::to_string(tour.blocked) + " were blocked, " + std::to_string(tour.shadowed) +
           " shadowed.";
  }
  const geometry::PairAccount& a = tour.drawn[step];
  return std::to_string(a.i) + "-" + std::to_string(a.j) +
         " is an edge: the circle about its edge's midpoint through " + std::to_string(a.i) +
         " and " + std::to_string(a.j) + " holds no other site.";
}

Picture tourStepPicture(const Picture& normal, const Tour& tour, std::size_t step,
                        const geometry::SiteColumns& sites, PictureStyle style, StepText text) {
  const std::string line = text == StepText::Beside ? std::string()
                                                    : tourStepLine(tour, sites, step) + " (of " +
                                                          std::to_string(tour.count()) + " steps)";
  if (step >= tour.drawn.size()) {
    Picture picture = normal;
    StepDrawing draw(picture, sites, textFactorOf(style));
    const Picture top = draw.topLayer(line, {});
    picture.insert(picture.end(), top.begin(), top.end());
    return draw.styled(std::move(picture), style);
  }
  Picture picture = dimmedPicture(normal);
  const geometry::PairAccount& a = tour.drawn[step];
  StepDrawing draw(picture, sites, textFactorOf(style));
  const geometry::PieceStep& open = a.pieces.back();
  draw.piece(a, open, kSurvivingPiece, 3);
  draw.line(sites.x(a.i), sites.y(a.i), sites.x(a.j), sites.y(a.j), kPairSite, 2);
  draw.circleAbout(a, open, kEmptyCircle);
  draw.ring(a.i, kPairSite);
  draw.ring(a.j, kPairSite);
  draw.nameSite(a.i);
  draw.nameSite(a.j);
  const Picture top = draw.topLayer(line, {{kSurvivingPiece, "the Voronoi edge"},
                                           {kPairSite, "the Delaunay edge"},
                                           {kEmptyCircle, "the empty circle about M", true}});
  draw.labelSites(a.i, a.j, {});
  picture.insert(picture.end(), top.begin(), top.end());
  return draw.styled(std::move(picture), style);
}

}  // namespace app
