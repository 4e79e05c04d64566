#pragma once

namespace app {

// Routes Qt's own messages for the whole run. Standard error carries the program's own
// messages: Qt's debug, info and warning messages, notes for developers such as the one
// that XDG_RUNTIME_DIR is not set, are dropped unless QT_LOGGING_RULES or QT_DEBUG_PLUGINS
// asks for Qt's diagnostics; its critical and fatal messages are printed with the
// program's name.
void routeQtMessages();

// Held while the application object connects to the display. When no display can be
// opened, Qt raises a fatal error and would abort with a core dump; while a guard is held,
// the program instead prints one line saying so and ends with exit status 1.
class DisplayGuard {
 public:
  DisplayGuard();
  ~DisplayGuard();
  DisplayGuard(const DisplayGuard&) = delete;
  DisplayGuard& operator=(const DisplayGuard&) = delete;
};

}  // namespace app
