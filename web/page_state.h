#pragma once

#include <string>

#include "web_edition.h"

namespace app {

// What the page's script reads from the core, as JSON text.

// Every action, in the table's order: its name, its keys as the browser names them and as
// the help writes them, what it does, its menu group and whether it is on or off.
std::string actionsJson();

// What the page shows besides the picture: the address (null while a site is dragged), the line for
// the live region, the lesson's heading, why the last press or action did nothing, the problems
// with the address opened, the mode, and for each action whether it can be used and is on.
std::string stateJson(const WebEdition& edition);

// The name of what the page does after an action: "none", "copy", "paste", "open",
// "save-sites", "save-picture", "save-results", "full-screen" or "help".
std::string effectName(WebEdition::Effect effect);

}  // namespace app
