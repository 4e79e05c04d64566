#include "exercise_round.h"

#include <cmath>

#include "explanation/quiz.h"
#include "round_marks.h"
#include "run/accepted_sites.h"
#include "run/run.h"

namespace app {

using geometry::kWindowFrame;

std::unique_ptr<ExerciseRound> ExerciseRound::start(ExerciseKind kind, std::uint32_t seed) {
  switch (kind) {
    case ExerciseKind::DelaunayEdges:
      return std::make_unique<DelaunayEdgesRound>(seed);
    case ExerciseKind::VoronoiPiece:
      return std::make_unique<VoronoiPieceRound>(seed);
    case ExerciseKind::CutPoint:
      return std::make_unique<CutPointRound>(seed);
  }
  return nullptr;
}

ExerciseRound::ExerciseRound(ExerciseKind kind, std::uint32_t seed)
    : kind_(kind),
      seed_(seed),
      positions_(exerciseLayout(seed)),
      sites_(*acceptedSites(positions_)) {
  const RunResult run = runDemonstration({seed, positions_});
  ShownLayers circlesOnly;
  for (const Layer layer : {Layer::VoronoiEdges, Layer::DelaunayEdges, Layer::Label}) {
    circlesOnly.set(layer, false);
  }
  ground_ = visibleItems(run.picture, circlesOnly);
}

ExerciseResults ExerciseRound::results(const std::string& name) const {
  ExerciseResults results;
  results.kind = kind_;
  results.name = name;
  results.seed = seed_;
  results.sites = positions_;
  results.edges = edgeAnswers_;
  results.pieces = pieceAnswers_;
  results.cuts = cutAnswers_;
  results.score = score().score;
  return results;
}

std::string ExerciseRound::scoreWords() const {
  const Score scored = score();
  return " Score: " + std::to_string(scored.score) + " of " + std::to_string(scored.outOf) + ".";
}

ShownRound ExerciseRound::shown(PictureStyle style) const {
  Picture items;
  StepDrawing drawing(items, sites_, textFactorOf(style));
  Marks marks{items, drawing, {}, {}};
  Picture picture = mark(marks);
  // A step's picture under the marks brings its legend: the round's box and legend keep off it.
  for (const PictureItem& item : picture) {
    if (const auto* box = std::get_if<RectItem>(&item)) {
      drawing.keepClear(PixelRect(box->x, box->y, box->width + 1, box->height + 1));
    }
  }
  for (int k = 1; k <= sites_.nSites; ++k) {
    drawing.nameSite(k);
  }
  const Picture top = drawing.topLayer(marks.line, marks.legend);
  if (!numbersItsSites()) {
    drawing.labelSites(0, 0, {});
  }
  items.insert(items.end(), top.begin(), top.end());
  picture.insert(picture.end(), items.begin(), items.end());
  return {styledPicture(std::move(picture), style), marks.line};
}

QuestionRound::QuestionRound(ExerciseKind kind, std::uint32_t seed) : ExerciseRound(kind, seed) {}

std::string QuestionRound::questionHead() const {
  return app::questionHead(asked_, questionCount());
}

void QuestionRound::answered(Verdict verdict) {
  verdicts_.push_back(std::move(verdict));
  answered_ = true;
}

void QuestionRound::check() {
  if (!answered_) {
    return;
  }
  answered_ = false;
  if (++asked_ == questionCount()) {  // the round anew, on the same layout
    asked_ = 0;
    verdicts_.clear();
    pieceAnswers_.clear();
    cutAnswers_.clear();
  }
}

}  // namespace app
