#include <algorithm>
#include <cmath>

#include "explanation/explanation_text.h"
#include "round_marks.h"
#include "run/site_placement.h"

namespace app {

namespace {

LineItem edgeLine(const SitePositions& sites, const EdgeAnswer& edge, Colour colour, float width,
                  bool dashed = false) {
  const SitePosition &a = sites[static_cast<std::size_t>(edge.first - 1)],
                     &b = sites[static_cast<std::size_t>(edge.second - 1)];
  LineItem line{static_cast<float>(a.x), a.y, static_cast<float>(b.x), b.y, colour, width};
  line.dashed = dashed;
  return line;
}

// How far (x, y) lies from the segment between two sites, in pixels.
double distanceToEdge(const SitePositions& sites, const EdgeAnswer& edge, double x, double y) {
  const SitePosition &a = sites[static_cast<std::size_t>(edge.first - 1)],
                     &b = sites[static_cast<std::size_t>(edge.second - 1)];
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double ay = a.y;
  const double t = std::clamp(((x - a.x) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(a.x + t * dx - x, ay + t * dy - y);
}

// How near to an edge a click takes it away (pixels).
constexpr double kEdgeGrab = 4;

}  // namespace

DelaunayEdgesRound::DelaunayEdgesRound(std::uint32_t seed)
    : ExerciseRound(ExerciseKind::DelaunayEdges, seed) {}

void DelaunayEdgesRound::click(double x, double y) {
  if (checked_) {
    return;
  }
  std::vector<EdgeAnswer>& edges = edgeAnswers_;
  if (const auto under = siteUnder(positions_, x, y)) {
    const int site = static_cast<int>(*under) + 1;
    if (picked_ == 0 || picked_ == site) {
      picked_ = picked_ == site ? 0 : site;
    } else {
      const EdgeAnswer edge{std::min(picked_, site), std::max(picked_, site)};
      if (std::find(edges.begin(), edges.end(), edge) == edges.end()) {
        before_.push_back(edges);
        edges.push_back(edge);
      }
      picked_ = 0;
    }
  } else if (const auto near = std::find_if(edges.begin(), edges.end(),
                                            [&](const EdgeAnswer& e) {
                                              return distanceToEdge(positions_, e, x, y) <
                                                     kEdgeGrab;
                                            });
             near != edges.end()) {
    before_.push_back(edges);
    edges.erase(near);
  }
}

void DelaunayEdgesRound::check() {
  if (checked_) {
    return;
  }
  checked_ = true;
  picked_ = 0;
  before_.clear();
  verdicts_ = gradeDrawing(sites_, edgeAnswers_);
}

void DelaunayEdgesRound::answerRightly() {
  if (checked_) {
    return;
  }
  edgeAnswers_ = delaunayEdges(sites_).edges;
  everyProof_ = true;
  check();
}

std::string DelaunayEdgesRound::question() const {
  return "draw the Delaunay edges: join two sites wherever a circle through both holds no "
         "other site.";
}

bool DelaunayEdgesRound::takeBack() {
  if (checked_) {
    return false;
  }
  if (picked_ != 0) {
    picked_ = 0;
  } else if (!before_.empty()) {
    edgeAnswers_ = before_.back();
    before_.pop_back();
  } else {
    return false;
  }
  return true;
}

Picture DelaunayEdgesRound::mark(Marks& marks) const {
  const std::string title = std::string(infoOf(kind_).title) + ". ";
  if (!checked_) {
    for (const EdgeAnswer& edge : edgeAnswers_) {
      marks.items.push_back(edgeLine(positions_, edge, kLearnerEdge, 2));
    }
    if (picked_ != 0) {
      marks.drawing.ring(picked_, kPairSite, 8);
    }
    marks.line = title + "Click two sites to join them, an edge to take it away; G checks. " +
                 std::to_string(edgeAnswers_.size()) + " drawn.";
    return ground_;
  }
  for (const Verdict& verdict : verdicts_) {
    const EdgeProof& proof = *verdict.proof;
    const int i = verdict.pair.first;
    switch (verdict.is) {
      case Verdict::Is::Right:
        marks.items.push_back(edgeLine(positions_, verdict.pair, kRightEdge, 2));
        if (everyProof_) {
          marks.drawing.circleThrough(proof.centre.x, proof.centre.y, i, kProofCircle);
        }
        break;
      case Verdict::Is::Wrong:
        marks.items.push_back(edgeLine(positions_, verdict.pair, kWrongEdge, 2));
        marks.drawing.ring(proof.k, kWrongEdge, 8);
        if (proof.verdict == EdgeProof::Verdict::HeldCircles) {
          marks.drawing.circleThrough(proof.centreK.x, proof.centreK.y, i, kCompetitorLine);
          marks.drawing.circleThrough(proof.centreL.x, proof.centreL.y, i, kProofCircle);
          marks.drawing.ring(proof.l, kWrongEdge, 8);
        }
        break;
      case Verdict::Is::Missed:
        marks.items.push_back(edgeLine(positions_, verdict.pair, kMissedEdge, 2, true));
        marks.drawing.circleThrough(proof.centre.x, proof.centre.y, i, kMissedEdge);
        break;
    }
  }
  if (everyProof_) {
    std::vector<EdgeAnswer> edges;
    for (const Verdict& verdict : verdicts_) {
      edges.push_back(verdict.pair);
    }
    // The circles first: on paper the first mark is the lightest, and the edges stand out.
    marks.legend = {{kProofCircle, "a circle through an edge's sites with no site inside"},
                    {kRightEdge, "Delaunay edge"}};
    marks.line = "The " + std::to_string(edges.size()) +
                 " Delaunay edges, each drawn with a circle through its two sites that holds "
                 "no other site: " +
                 pairList(edges) + ".";
    return ground_;
  }
  marks.legend = {{kRightEdge, "right edge"},
                  {kWrongEdge, "wrong edge; the sites its circles hold", true},
                  {kMissedEdge, "missed edge, with its empty circle"}};
  // The first wrong edge in full, with its proof's circles in the legend; the others, and
  // every missed edge, by name.
  const auto firstWrong = std::find_if(verdicts_.begin(), verdicts_.end(),
                                       [](const Verdict& v) { return v.is == Verdict::Is::Wrong; });
  std::vector<std::pair<int, int>> otherWrong, missed;
  for (const Verdict& verdict : verdicts_) {
    if (verdict.is == Verdict::Is::Missed) {
      missed.push_back(verdict.pair);
    } else if (verdict.is == Verdict::Is::Wrong && &verdict != &*firstWrong) {
      otherWrong.push_back(verdict.pair);
    }
  }
  if (firstWrong != verdicts_.end() &&
      firstWrong->proof->verdict == EdgeProof::Verdict::HeldCircles) {
    const std::string i = std::to_string(firstWrong->pair.first);
    const std::string j = std::to_string(firstWrong->pair.second);
    const std::string k = std::to_string(firstWrong->proof->k);
    const std::string l = std::to_string(firstWrong->proof->l);
    const std::string alike = otherWrong.empty() ? "" : " (each wrong edge alike)";
    marks.legend.push_back(
        {kCompetitorLine, "circle through " + i + ", " + j + " and " + k + ": holds " + l + alike});
    marks.legend.push_back(
        {kProofCircle, "circle through " + i + ", " + j + " and " + l + ": holds " + k + alike});
  }
  const Score scored = score();
  marks.line = "Right " + std::to_string(scored.right) + ", wrong " + std::to_string(scored.wrong) +
               ", missed " + std::to_string(scored.missed) + "." + scoreWords();
  if (firstWrong != verdicts_.end()) {
    const std::string& line = firstWrong->line;
    marks.line += " W" + line.substr(1) + ".";
  }
  if (!otherWrong.empty()) {
    marks.line += " Wrong too: " + pairList(otherWrong) + ".";
  }
  if (!missed.empty()) {
    marks.line += " Missed: " + pairList(missed) +
                  (missed.size() == 1 ? ", dashed, with its empty circle."
                                      : ", dashed, each with its empty circle.");
  }
  return ground_;
}

}  // namespace app
