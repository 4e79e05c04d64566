#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <thread>

#include "picture/picture.h"
#include "run/run.h"

namespace app {

// Compares a run's layout with exact arithmetic off the interface thread and hands over the
// exact layer's marks when done. A new comparison, or cancel(), ends the one under way:
// its marks never arrive.
class ExactLayerWorker final : public QObject {
  Q_OBJECT

 public:
  ExactLayerWorker() = default;
  ~ExactLayerWorker() override;
  ExactLayerWorker(const ExactLayerWorker&) = delete;
  ExactLayerWorker& operator=(const ExactLayerWorker&) = delete;

  // Starts comparing the run, which must have completed.
  void compare(const RunResult& run);
  // Ends the comparison under way, if any; returns once its thread has stopped.
  void cancel();

 signals:
  // The marks of the exact layer for the run last asked for (see exactLayerPicture).
  void marksReady(const app::Picture& marks);

 private:
  std::thread thread_;
  std::shared_ptr<std::atomic<bool>> cancelled_;
};

}  // namespace app
