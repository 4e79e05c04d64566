// The web edition's core as the page's script sees it (emscripten's embind): one WebEdition
// and a few functions, every value a number, a string or a bool.

#include <emscripten/bind.h>

#include <string>

#include "page_state.h"
#include "picture_changes.h"
#include "web_edition.h"

namespace {

using app::PictureChanges;
using app::WebEdition;

std::string act(WebEdition& edition, int action) {
  return action < 0 ? "none" : app::effectName(edition.act(static_cast<std::size_t>(action)));
}

// The place of the action whose key this is, or -1.
int actionOfKey(const WebEdition& edition, const std::string& browserName) {
  const auto found = edition.actionOfKey(browserName);
  return found ? static_cast<int>(*found) : -1;
}

std::string stateJson(const WebEdition& edition) {
  return app::stateJson(edition);
}

// What the page changes to show the edition's picture now.
std::string pictureChanges(PictureChanges& shown, const WebEdition& edition) {
  return shown.since(edition);
}

}  // namespace

EMSCRIPTEN_BINDINGS(voronoi_delaunay) {
  emscripten::class_<WebEdition>("WebEdition")
      .constructor<>()
      .function("open", &WebEdition::open)
      .function("press", &WebEdition::press)
      .function("drag", &WebEdition::drag)
      .function("release", &WebEdition::release)
      .function("hover", &WebEdition::hover)
      .function("openSiteList", &WebEdition::openSiteList)
      .function("siteList", &WebEdition::siteList)
      .function("pictureFile", &WebEdition::pictureFile)
      .function("resultsFile", &WebEdition::resultsFile)
      .function("setFullScreen", &WebEdition::setFullScreen);
  emscripten::class_<PictureChanges>("PictureChanges").constructor<>();
  emscripten::function("pictureChanges", &pictureChanges);
  emscripten::function("act", &act);
  emscripten::function("actionOfKey", &actionOfKey);
  emscripten::function("stateJson", &stateJson);
  emscripten::function("actionsJson", &app::actionsJson);
}
