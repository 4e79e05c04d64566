#include "session_address.h"

#include "run/run.h"

namespace app {

WebAddress layoutAddress(const Layout& layout, const Layout& seedsOwn, PictureStyle style) {
  WebAddress address;
  address.seed = layout.seed;
  if (seedsOwn != layout) {
    address.sites = layout.sites;
  }
  address.style = style;
  return address;
}

WebAddress layoutAddress(const Layout& layout, PictureStyle style) {
  return layoutAddress(layout, runDemonstration(RunRequest{layout.seed, std::nullopt}).layout,
                       style);
}

WebAddress sessionAddress(WebAddress address, const ExplanationSession& explanation,
                          const ExerciseSession* exercise) {
  if (exercise != nullptr && exercise->active()) {
    address.view = WebAddress::View::Exercise;
    address.exercise = exercise->kind();
  } else if (explanation.touring()) {
    address.view = WebAddress::View::Tour;
    address.step = explanation.tourStep() + 1;
  } else if (const PairExplorer* explorer = explanation.explorer();
             explorer != nullptr && !explanation.asking()) {
    address.view = WebAddress::View::Pair;
    address.i = explorer->i();
    address.j = explorer->j();
    address.detail = explorer->level() == LessonLevel::Detail;
    address.step = explorer->currentStep() + 1;
  }
  return address;
}

}  // namespace app
