#include "page_state.h"

#include <nlohmann/json.hpp>

#include "session/actions.h"
#include "session/session_mode.h"

namespace app {

namespace {

using Json = nlohmann::ordered_json;

const char* groupName(MenuGroup group) {
  switch (group) {
    case MenuGroup::Edits:
      return "edits";
    case MenuGroup::SiteLists:
      return "site-lists";
    case MenuGroup::Layers:
      return "layers";
    case MenuGroup::Explanation:
      return "explanation";
    case MenuGroup::Exercises:
      return "exercises";
    case MenuGroup::View:
      return "view";
  }
  return "";
}

}  // namespace

std::string actionsJson() {
  Json list = Json::array();
  for (const Action& action : actions()) {
    Json keys = Json::array();
    for (const std::string& key : action.keys) {
      keys.push_back(browserKey(key));
    }
    list.push_back({{"name", action.name},
                    {"keys", keys},
                    {"keysText", keysText(action)},
                    {"help", action.help},
                    {"group", groupName(action.group)},
                    {"checkable", action.checkable}});
  }
  return list.dump();
}

std::string stateJson(const WebEdition& edition) {
  Json enabled = Json::array(), checked = Json::array();
  for (std::size_t n = 0; n < actions().size(); ++n) {
    enabled.push_back(edition.enabled(n));
    checked.push_back(edition.checked(n));
  }
  const char* mode = "editing";
  switch (activeModeKind(edition.exercising(), edition.explaining())) {
    case ModeKind::Exercise:
      mode = "exercise";
      break;
    case ModeKind::Explanation:
      mode = "explanation";
      break;
    case ModeKind::Editing:
      break;
  }
  // While a site is dragged the address waits for the drag to end (writing the layout's
  // numbers at every step would take a good part of it).
  return Json{{"address", edition.history().dragging() ? Json() : Json(edition.address())},
              {"line", edition.line()},
              {"heading", edition.heading()},
              {"refusal", edition.refusal()},
              {"problems", edition.problems()},
              {"mode", mode},
              {"enabled", enabled},
              {"checked", checked}}
      .dump();
}

std::string effectName(WebEdition::Effect effect) {
  switch (effect) {
    case WebEdition::Effect::None:
      break;
    case WebEdition::Effect::Copy:
      return "copy";
    case WebEdition::Effect::Paste:
      return "paste";
    case WebEdition::Effect::Open:
      return "open";
    case WebEdition::Effect::SaveSites:
      return "save-sites";
    case WebEdition::Effect::SavePicture:
      return "save-picture";
    case WebEdition::Effect::SaveResults:
      return "save-results";
    case WebEdition::Effect::FullScreen:
      return "full-screen";
    case WebEdition::Effect::Help:
      return "help";
  }
  return "none";
}

}  // namespace app
