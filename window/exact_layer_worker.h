#pragma once

#include <QObject>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "picture/picture.h"
#include "run/run.h"

namespace app {

// Compares a run's layout with exact arithmetic and hands over the exact layer's marks. Most
// layouts, up to the largest, are compared within a few milliseconds: on the spot, so that
// the marks follow a drag step by step. A layout that takes longer (many pairs at exact
// ties, which only rationals decide) is compared off the interface thread instead. A new
// comparison, or cancel(), ends the one under way: its marks never arrive.
class ExactLayerWorker final : public QObject {
  Q_OBJECT

 public:
  // How long a comparison may keep the interface thread before it moves off it.
  static constexpr std::chrono::milliseconds kOnTheSpot{40};

  ExactLayerWorker() = default;
  ~ExactLayerWorker() override;
  ExactLayerWorker(const ExactLayerWorker&) = delete;
  ExactLayerWorker& operator=(const ExactLayerWorker&) = delete;

  // Compares the run, which must have completed; marksReady comes before this returns when
  // the comparison is made on the spot.
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
