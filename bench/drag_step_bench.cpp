// Times one step of dragging a site in the window: the site moves, the whole demonstration
// runs again for the new layout (label, circles and the pair scan), and the picture is
// painted into an image of the window's size by the routine the widget paints with. Also
// counts the heap allocations of a step. DragStepWithExactLayer adds what the window does
// when the exact layer is shown: every pair compared with exact arithmetic, and the marks
// made and painted over the picture.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <atomic>
#include <cstdlib>
#include <new>

#include "explanation/exact_layer.h"
#include "geometry/window_frame.h"
#include "picture_output/picture_painter.h"
#include "random_layout.h"
#include "session/layout_history.h"
#include "steps/exact_steps.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) {
    return p;
  }
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

// Drags a site in the middle back and forth by a few pixels; `step` does the rest of a
// step for the run as the drag leaves it, and paints into the image.
template <class Step>
void dragSteps(benchmark::State& state, Step step) {
  app::LayoutHistory editor;
  editor.start(app::RunRequest::of(bench::randomLayout(static_cast<int>(state.range(0)))));
  QImage image(geometry::kWindowFrame.clientWidth, geometry::kWindowFrame.clientHeight,
               QImage::Format_RGB32);
  const app::SitePosition held = editor.layout().sites[state.range(0) / 2];
  editor.press(held.x, held.y);
  long count = 0;
  const long before = allocations.load();
  for (auto _ : state) {
    const double dx = static_cast<double>(count % 8) - 4;
    editor.drag(held.x + dx, static_cast<double>(held.y) + dx / 2);
    step(editor.current(), image);
    ++count;
  }
  state.counters["allocations_per_step"] =
      static_cast<double>(allocations.load() - before) / static_cast<double>(count);
  editor.release();
}

void DragStep(benchmark::State& state) {
  dragSteps(state,
            [](const app::RunResult& run, QImage& image) { app::renderInto(image, run.picture); });
}

void DragStepWithExactLayer(benchmark::State& state) {
  dragSteps(state, [](const app::RunResult& run, QImage& image) {
    app::Picture shown = run.picture;
    const app::Picture marks = app::exactLayerPicture(
        *run.sites, geometry::pairsDifferingFromExact(geometry::kWindowFrame, *run.sites));
    shown.insert(shown.end(), marks.begin(), marks.end());
    app::renderInto(image, shown);
  });
}

BENCHMARK(DragStep)->Arg(49)->Arg(101)->Unit(benchmark::kMillisecond);
BENCHMARK(DragStepWithExactLayer)->Arg(49)->Arg(101)->Unit(benchmark::kMillisecond);

}  // namespace
