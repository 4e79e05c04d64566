#include "exercise_round.h"

#include <cmath>

#include "explanation/label_placer.h"
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

ShownRound ExerciseRound::shown(PictureStyle style, StepText text) const {
  Picture items;
  StepDrawing drawing(items, sites_, textFactorOf(style));
  Marks marks{style, items, drawing, {}, {}, {}};
  Picture picture = mark(marks);
  const bool lessonStep = underIsLessonStep();
  if (!lessonStep) {
    picture = styledPicture(std::move(picture), style);
  }
  // A step's picture under the marks brings its legend and labels, at their size in the
  // style: the round's box, legend and labels keep off them.
  for (const PictureItem& item : picture) {
    if (const auto* box = std::get_if<RectItem>(&item)) {
      drawing.keepClear(PixelRect(box->x, box->y, box->width + 1, box->height + 1));
    } else if (const auto* label = std::get_if<TextItem>(&item)) {
      drawing.keepClear(textArea(*label));
    }
  }
  for (int k = 1; k <= sites_.nSites; ++k) {
    drawing.nameSite(k);
  }
  const Picture top =
      drawing.topLayer(text == StepText::InBox ? marks.line : std::string(), marks.legend);
  if (!lessonStep) {
    drawing.labelSites(0, 0, marks.labels);
  } else {
    for (const MarkLabel& label : marks.labels) {
      drawing.label(label);
    }
  }
  items.insert(items.end(), top.begin(), top.end());
  const Picture marked = drawing.styled(std::move(items), style);
  picture.insert(picture.end(), marked.begin(), marked.end());
  return {std::move(picture), marks.line};
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
