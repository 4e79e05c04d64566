// Times the lesson in the window on a layout of random sites: one step of a pair's lesson at
// either level (select the next step and draw its picture into an image, as the window
// does), one step of the tour, and one whole question (pick a pair, show it, reveal its
// lesson at the deciding overview step).
#include <benchmark/benchmark.h>

#include <QImage>

#include "explanation/explanation_picture.h"
#include "explanation/quiz.h"
#include "explanation/tour.h"
#include "geometry/window_frame.h"
#include "picture_output/picture_painter.h"
#include "random_layout.h"
#include "run/run.h"
#include "steps/literal_steps.h"

namespace {

using geometry::kWindowFrame;

app::RunResult runOf(int count) {
  const app::Layout layout = bench::randomLayout(count);
  return app::runDemonstration(app::RunRequest::of(layout));
}

QImage windowImage() {
  return QImage(kWindowFrame.clientWidth, kWindowFrame.clientHeight, QImage::Format_RGB32);
}

// Arguments: the site count, and the level (0 the overview, 1 the detail).
void LessonStep(benchmark::State& state) {
  const app::RunResult run = runOf(static_cast<int>(state.range(0)));
  const auto level = state.range(1) == 0 ? app::LessonLevel::Overview : app::LessonLevel::Detail;
  const app::Lesson lesson =
      app::lessonOf(geometry::explainPair(kWindowFrame, *run.sites, 1, 2), *run.sites);
  QImage image = windowImage();
  std::size_t step = 0;
  for (auto _ : state) {
    step = (step + 1) % lesson.count(level);
    app::renderInto(image, app::levelStepPicture(run.picture, lesson, level, step, *run.sites));
  }
  state.counters["steps"] = static_cast<double>(lesson.count(level));
}

void TourStep(benchmark::State& state) {
  const app::RunResult run = runOf(static_cast<int>(state.range(0)));
  const app::Tour tour = app::tourOf(*run.sites);
  QImage image = windowImage();
  std::size_t step = 0;
  for (auto _ : state) {
    step = (step + 1) % tour.count();
    app::renderInto(image, app::tourStepPicture(run.picture, tour, step, *run.sites));
  }
}

void QuizQuestion(benchmark::State& state) {
  const app::RunResult run = runOf(static_cast<int>(state.range(0)));
  app::Quiz quiz(run.layout.seed, run.sites->nSites, run.edgePairs());
  QImage image = windowImage();
  for (auto _ : state) {
    const auto [i, j] = quiz.nextPair();
    app::Lesson lesson =
        app::lessonOf(geometry::explainPair(kWindowFrame, *run.sites, i, j), *run.sites);
    app::renderInto(image,
                    app::questionPicture(run.picture, lesson.account.pair, i, j, *run.sites));
    quiz.answer(true, lesson.account.outcome.result);
    app::renderInto(image, app::overviewStepPicture(run.picture, lesson,
                                                    lesson.decidingStep(app::LessonLevel::Overview),
                                                    *run.sites));
  }
}

BENCHMARK(LessonStep)->Args({49, 0})->Args({101, 0})->Args({101, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(TourStep)->Arg(101)->Unit(benchmark::kMillisecond);
BENCHMARK(QuizQuestion)->Arg(101)->Unit(benchmark::kMillisecond);

}  // namespace
