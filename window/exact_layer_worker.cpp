#include "exact_layer_worker.h"

#include "explanation/exact_layer.h"
#include "geometry/window_frame.h"
#include "steps/exact_steps.h"

namespace app {

ExactLayerWorker::~ExactLayerWorker() {
  cancel();
}

void ExactLayerWorker::cancel() {
  if (cancelled_) {
    cancelled_->store(true);
  }
  if (thread_.joinable()) {
    thread_.join();  // it looks at the flag between pairs, microseconds apart
  }
  cancelled_.reset();
}

void ExactLayerWorker::compare(const RunResult& run) {
  cancel();
  const auto until = std::chrono::steady_clock::now() + kOnTheSpot;
  bool late = false;
  const auto onTheSpot = geometry::pairsDifferingFromExact(geometry::kWindowFrame, *run.sites, [&] {
    late = late || std::chrono::steady_clock::now() > until;
    return late;
  });
  if (!late) {
    emit marksReady(exactLayerPicture(*run.sites, onTheSpot));
    return;
  }
  auto cancelled = std::make_shared<std::atomic<bool>>(false);
  cancelled_ = cancelled;
  thread_ = std::thread([this, cancelled, sites = run.sites] {
    const auto differing = geometry::pairsDifferingFromExact(
        geometry::kWindowFrame, *sites, [&cancelled] { return cancelled->load(); });
    if (cancelled->load()) {
      return;
    }
    Picture marks = exactLayerPicture(*sites, differing);
    // Delivered on the interface thread, unless a later comparison or cancel() came first.
    QMetaObject::invokeMethod(
        this,
        [this, cancelled, marks = std::move(marks)] {
          if (!cancelled->load()) {
            emit marksReady(marks);
          }
        },
        Qt::QueuedConnection);
  });
}

}  // namespace app
