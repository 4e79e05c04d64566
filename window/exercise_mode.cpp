#include "exercise_mode.h"

#include <algorithm>
#include <cmath>

#include "document/site_placement.h"
#include "explanation/explanation_picture.h"
#include "explanation/lesson.h"
#include "explanation/step_drawing.h"
#include "geometry/window_frame.h"
#include "run/accepted_sites.h"
#include "run/run.h"

namespace app {

namespace {

using geometry::kWindowFrame;

constexpr Colour kLearnerEdge = rgb(120, 200, 255);
constexpr Colour kRightEdge = kEmptyCircle;
constexpr Colour kWrongEdge = kBlocking;
constexpr Colour kMissedEdge = kTick;

// A circle in domain coordinates, through site k.
CircleItem circleThrough(const geometry::SiteColumns& sites, const Point& centre, int k,
                         Colour colour) {
  const double radius =
      std::hypot(sites.x(k) - centre.x, static_cast<double>(sites.y(k)) - centre.y);
  return {kWindowFrame.windowX(centre.x), kWindowFrame.windowY(centre.y),
          static_cast<float>(radius), colour};
}

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
  const double t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(a.x + t * dx - x, a.y + t * dy - y);
}

std::string questionHead(std::size_t asked, std::size_t questions) {
  return "Question " + std::to_string(asked + 1) + " of " + std::to_string(questions) + ": ";
}

}  // namespace

ExerciseMode::ExerciseMode(QObject* parent) : QObject(parent) {}

void ExerciseMode::start(ExerciseKind kind, std::uint32_t seed, PictureStyle style) {
  kind_ = kind;
  seed_ = seed;
  style_ = style;
  positions_ = exerciseLayout(seed);
  sites_ = acceptedSites(positions_);
  const RunResult run = runDemonstration({seed, positions_});
  ShownLayers circlesOnly;
  for (const Layer layer : {Layer::VoronoiEdges, Layer::DelaunayEdges, Layer::Label}) {
    circlesOnly.set(layer, false);
  }
  ground_ = visibleItems(run.picture, circlesOnly);
  edges_.clear();
  before_.clear();
  picked_ = 0;
  checked_ = false;
  pieceAnswers_.clear();
  cutAnswers_.clear();
  verdicts_.clear();
  pieceQuestions_ = pieceQuestions(*sites_, seed);
  cutQuestions_ = cutQuestions(*sites_, seed);
  asked_ = 0;
  answered_ = false;
  draw();
}

void ExerciseMode::leave() {
  if (active()) {
    sites_.reset();
    picture_.clear();
    emit changed();
  }
}

void ExerciseMode::setStyle(PictureStyle style) {
  style_ = style;
  if (active()) {
    draw();
  }
}

void ExerciseMode::click(double x, double y) {
  if (!active()) {
    return;
  }
  const geometry::SiteColumns& sites = *sites_;
  switch (kind_) {
    case ExerciseKind::DelaunayEdges: {
      if (checked_) {
        return;
      }
      if (const auto under = siteUnder(positions_, x, y)) {
        const int site = static_cast<int>(*under) + 1;
        if (picked_ == 0 || picked_ == site) {
          picked_ = picked_ == site ? 0 : site;
        } else {
          const EdgeAnswer edge{std::min(picked_, site), std::max(picked_, site)};
          if (std::find(edges_.begin(), edges_.end(), edge) == edges_.end()) {
            before_.push_back(edges_);
            edges_.push_back(edge);
          }
          picked_ = 0;
        }
      } else if (const auto near = std::find_if(
                     edges_.begin(), edges_.end(),
                     [&](const EdgeAnswer& e) { return distanceToEdge(positions_, e, x, y) < 4; });
                 near != edges_.end()) {
        before_.push_back(edges_);
        edges_.erase(near);
      }
      break;
    }
    case ExerciseKind::VoronoiPiece: {
      if (answered_ || asked_ >= pieceQuestions_.size()) {
        return;
      }
      const PieceAnswer& question = pieceQuestions_[asked_];
      const geometry::PairAccount a =
          geometry::explainPair(kWindowFrame, sites, question.i, question.j);
      // The piece whose stretch of the bisector lies under the click.
      const double along = x + kWindowFrame.offsetX();
      const double onLine = kWindowFrame.windowY(a.pair.m1 * along + a.pair.c1);
      if (std::abs(onLine - y) > 12 * std::sqrt(1 + a.pair.m1 * a.pair.m1)) {
        return;
      }
      for (std::size_t p = 1; p < a.sorted.size(); ++p) {
        if (along >= a.sorted[p - 1].x && along <= a.sorted[p].x) {
          answer(PieceAnswer{question.i, question.j, static_cast<int>(p)}, std::nullopt);
          return;
        }
      }
      break;
    }
    case ExerciseKind::CutPoint:
      if (!answered_ && asked_ < cutQuestions_.size()) {
        CutAnswer placed = cutQuestions_[asked_];
        placed.says = CutAnswer::Says::At;
        placed.x = x;
        placed.y = y;
        answer(std::nullopt, placed);
        return;
      }
      break;
  }
  draw();
}

void ExerciseMode::answerWithout(CutAnswer::Says says) {
  if (!active() || answered_) {
    return;
  }
  if (kind_ == ExerciseKind::VoronoiPiece && asked_ < pieceQuestions_.size() &&
      says == CutAnswer::Says::Passes) {
    PieceAnswer none = pieceQuestions_[asked_];
    none.piece = 0;
    answer(none, std::nullopt);
  } else if (kind_ == ExerciseKind::CutPoint && asked_ < cutQuestions_.size()) {
    CutAnswer without = cutQuestions_[asked_];
    without.says = says;
    answer(std::nullopt, without);
  }
}

void ExerciseMode::answer(const std::optional<PieceAnswer>& piece,
                          const std::optional<CutAnswer>& cut) {
  if (piece) {
    pieceAnswers_.push_back(*piece);
    verdicts_.push_back(gradePiece(*sites_, *piece));
  } else {
    cutAnswers_.push_back(*cut);
    verdicts_.push_back(gradeCut(*sites_, *cut));
  }
  answered_ = true;
  draw();
}

void ExerciseMode::check() {
  if (!active()) {
    return;
  }
  if (kind_ == ExerciseKind::DelaunayEdges) {
    if (checked_) {
      return;
    }
    checked_ = true;
    picked_ = 0;
    before_.clear();
    verdicts_ = gradeDrawing(*sites_, edges_);
  } else if (answered_) {
    const std::size_t questions =
        kind_ == ExerciseKind::VoronoiPiece ? pieceQuestions_.size() : cutQuestions_.size();
    if (++asked_ == questions) {  // a new round on the same layout
      start(kind_, seed_, style_);
      return;
    }
    answered_ = false;
  }
  draw();
}

bool ExerciseMode::takeBack() {
  if (!active() || kind_ != ExerciseKind::DelaunayEdges || checked_) {
    return false;
  }
  if (picked_ != 0) {
    picked_ = 0;
  } else if (!before_.empty()) {
    edges_ = before_.back();
    before_.pop_back();
  } else {
    return false;
  }
  draw();
  return true;
}

ExerciseResults ExerciseMode::results(const std::string& name) const {
  ExerciseResults results;
  results.kind = kind_;
  results.name = name;
  results.seed = seed_;
  results.sites = positions_;
  if (kind_ == ExerciseKind::DelaunayEdges) {
    results.edges = edges_;
  }
  results.pieces = pieceAnswers_;
  results.cuts = cutAnswers_;
  results.score = score().score;
  return results;
}

void ExerciseMode::draw() {
  const geometry::SiteColumns& sites = *sites_;
  const Score scored = score();
  const std::string scoreLine =
      " Score: " + std::to_string(scored.score) + " of " + std::to_string(scored.outOf) + ".";
  Picture picture = ground_;
  Picture marks;
  StepDrawing drawing(marks, sites, textFactorOf(style_));
  std::vector<LegendEntry> legend;
  const std::string title = std::string(infoOf(kind_).title) + ". ";
  if (kind_ == ExerciseKind::DelaunayEdges) {
    if (!checked_) {
      for (const EdgeAnswer& edge : edges_) {
        marks.push_back(edgeLine(positions_, edge, kLearnerEdge, 2));
      }
      if (picked_ != 0) {
        drawing.ring(picked_, kPairSite, 8);
      }
      line_ = title + "Click two sites to join them, an edge to take it away; G checks. " +
              std::to_string(edges_.size()) + " drawn.";
    } else {
      for (const Verdict& verdict : verdicts_) {
        const EdgeProof& proof = *verdict.proof;
        const auto [i, j] = verdict.pair;
        switch (verdict.is) {
          case Verdict::Is::Right:
            marks.push_back(edgeLine(positions_, verdict.pair, kRightEdge, 2));
            break;
          case Verdict::Is::Wrong:
            marks.push_back(edgeLine(positions_, verdict.pair, kWrongEdge, 2));
            drawing.ring(proof.k, kWrongEdge, 8);
            if (proof.verdict == EdgeProof::Verdict::HeldCircles) {
              marks.push_back(circleThrough(sites, proof.centreK, i, kCompetitorLine));
              marks.push_back(circleThrough(sites, proof.centreL, i, kBisector));
              drawing.ring(proof.l, kWrongEdge, 8);
            }
            break;
          case Verdict::Is::Missed:
            marks.push_back(edgeLine(positions_, verdict.pair, kMissedEdge, 2, true));
            marks.push_back(circleThrough(sites, proof.centre, i, kEmptyCircle));
            break;
        }
      }
      legend = {{kRightEdge, "right edge"},
                {kWrongEdge, "wrong edge; the sites its circles hold", true},
                {kMissedEdge, "missed edge, with its empty circle"}};
      const auto first = std::find_if(verdicts_.begin(), verdicts_.end(),
                                      [](const Verdict& v) { return v.is != Verdict::Is::Right; });
      line_ = "Right " + std::to_string(scored.right) + ", wrong " + std::to_string(scored.wrong) +
              ", missed " + std::to_string(scored.missed) + "." + scoreLine +
              (first == verdicts_.end() ? "" : " " + first->line + ".");
    }
  } else if (kind_ == ExerciseKind::VoronoiPiece && !pieceQuestions_.empty()) {
    const PieceAnswer& question = pieceQuestions_[asked_];
    const Lesson lesson =
        lessonOf(geometry::explainPair(kWindowFrame, sites, question.i, question.j), sites);
    const auto sortedStep =
        std::find_if(lesson.steps.begin(), lesson.steps.end(),
                     [](const LessonStep& s) { return s.kind == StepKind::SortedCuts; });
    picture = lessonStepPicture(ground_, lesson,
                                static_cast<std::size_t>(sortedStep - lesson.steps.begin()), sites,
                                PictureStyle::Normal, StepText::Beside);
    const geometry::PairAccount& a = lesson.account;
    const std::string pair = std::to_string(question.i) + "-" + std::to_string(question.j);
    if (!answered_) {
      line_ = title + questionHead(asked_, pieceQuestions_.size()) + "which piece of " + pair +
              "'s bisector is its Voronoi edge? Click it, or P for none." + scoreLine;
    } else {
      const PieceAnswer& given = pieceAnswers_.back();
      const int edge = a.outcome.result == geometry::PairResult::Drawn ? a.outcome.piece : 0;
      const auto show = [&](int piece, Colour colour) {
        const PieceShadow shadow = pieceShadow(sites, a, piece);
        const geometry::PieceStep step{piece, shadow.midX, shadow.midY, shadow.nearer};
        drawing.piece(a, step, colour, 3);
        drawing.circleAbout(a, step, shadow.nearer == 0 ? kEmptyCircle : kBlocking);
        if (shadow.nearer != 0) {
          drawing.ring(shadow.nearer, kBlocking, 8);
          drawing.lineToSite(shadow.midX, shadow.midY, shadow.nearer, kBlocking);
        }
      };
      if (given.piece != 0 && given.piece != edge) {
        show(given.piece, kTestedPiece);
      }
      if (edge != 0) {
        show(edge, kSurvivingPiece);
      }
      line_ = verdicts_.back().line + "." + scoreLine + " G: next question.";
    }
  } else if (kind_ == ExerciseKind::CutPoint && !cutQuestions_.empty()) {
    const CutAnswer& question = cutQuestions_[asked_];
    const geometry::PairAccount a =
        geometry::explainPair(kWindowFrame, sites, question.i, question.j);
    drawing.line(a.pair.startX, a.pair.startY, a.pair.endX, a.pair.endY, kBisector);
    drawing.ring(question.i, kPairSite);
    drawing.ring(question.j, kPairSite);
    drawing.ring(question.k, kCompetitorLine, 8);
    const std::string I = std::to_string(question.i), J = std::to_string(question.j),
                      K = std::to_string(question.k);
    legend = {{kBisector, "bisector of " + I + " and " + J},
              {kPairSite, "sites " + I + " and " + J, true},
              {kCompetitorLine, "site " + K, true}};
    if (!answered_) {
      line_ = title + questionHead(asked_, cutQuestions_.size()) + "where does the bisector of " +
              std::to_string(question.k) + " and " + std::to_string(question.i) +
              " cut this line? Click there, or P: it passes, K: it blocks." + scoreLine;
    } else {
      drawing.competitorLine(a, question.k);
      legend.push_back({kCompetitorLine, "bisector of " + std::to_string(question.k) + " and " +
                                             std::to_string(question.i)});
      const auto step =
          std::find_if(a.competitors.begin(), a.competitors.end(),
                       [&](const geometry::CompetitorStep& s) { return s.site == question.k; });
      if (step != a.competitors.end() && step->outcome == geometry::Screening::Cut) {
        marks.push_back(CircleItem{kWindowFrame.windowX(step->x), kWindowFrame.windowY(step->y),
                                   static_cast<float>(kCutTolerance), kSurvivingPiece, 2});
      } else if (step != a.competitors.end() && step->outcome == geometry::Screening::Blocked) {
        drawing.quadrant(a);
      }
      const CutAnswer& given = cutAnswers_.back();
      if (given.says == CutAnswer::Says::At) {
        marks.push_back(
            CircleItem{static_cast<float>(given.x), static_cast<float>(given.y), 2, kTick, 2});
      }
      line_ = verdicts_.back().line + "." + scoreLine + " G: next question.";
    }
  }
  for (int k = 1; k <= sites.nSites; ++k) {
    drawing.nameSite(k);
  }
  const Picture top = drawing.topLayer(line_, legend);
  if (kind_ != ExerciseKind::VoronoiPiece) {  // the lesson's picture numbers its sites
    for (int k = 1; k <= sites.nSites; ++k) {
      drawing.labels().place(kWindowFrame.windowX(sites.x(k)), kWindowFrame.windowY(sites.y(k)),
                             std::to_string(k), kNumber);
    }
  }
  marks.insert(marks.end(), top.begin(), top.end());
  picture.insert(picture.end(), marks.begin(), marks.end());
  picture_ = styledPicture(std::move(picture), style_);
  emit changed();
}

}  // namespace app
