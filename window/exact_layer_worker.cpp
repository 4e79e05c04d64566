#include "exact_layer_worker.h"

#include "explanation/exact_layer.h"
#include "run/failure_search.h"

namespace app {

ExactLayerWorker::~ExactLayerWorker() {
  cancel();
}

void ExactLayerWorker::cancel() {
  if (cancelled_) {
    cancelled_->store(true);
  }
  if (thread_.joinable()) {
    thread_.join();  // it looks at the flag between pairs, a few milliseconds apart
  }
  cancelled_.reset();
}

void ExactLayerWorker::compare(const RunResult& run) {
  cancel();
  auto cancelled = std::make_shared<std::atomic<bool>>(false);
  cancelled_ = cancelled;
  thread_ = std::thread([this, cancelled, layout = run.layout, sites = run.sites] {
    const auto differing =
        pairsDifferingFromExact(layout, [&cancelled] { return cancelled->load(); });
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
