// Times one step of dragging a site in the window: the site moves, the whole demonstration
// runs again for the new layout (label, circles and the pair scan), and the picture is
// painted into an image of the window's size by the routine the widget paints with. Also
// counts the heap allocations of a step.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QUndoStack>
#include <atomic>
#include <cstdlib>
#include <new>

#include "document/document.h"
#include "geometry/window_frame.h"
#include "picture/picture_painter.h"
#include "random_layout.h"

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

void DragStep(benchmark::State& state) {
  app::Document editor;
  editor.runLayout(bench::randomLayout(static_cast<int>(state.range(0))));
  QImage image(geometry::kWindowFrame.clientWidth, geometry::kWindowFrame.clientHeight,
               QImage::Format_RGB32);

  // Take hold of a site in the middle and move it back and forth by a few pixels.
  const app::SitePosition held = editor.layout().sites[state.range(0) / 2];
  editor.press(held.x, held.y);
  long step = 0;
  const long before = allocations.load();
  for (auto _ : state) {
    const double dx = static_cast<double>(step % 8) - 4;
    editor.drag(held.x + dx, held.y + dx / 2);
    app::renderInto(image, editor.current().picture);
    ++step;
  }
  state.counters["allocations_per_step"] =
      static_cast<double>(allocations.load() - before) / static_cast<double>(step);
  editor.release();
}

BENCHMARK(DragStep)->Arg(49)->Arg(101)->Unit(benchmark::kMillisecond);

}  // namespace
