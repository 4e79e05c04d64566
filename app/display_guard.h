#pragma once

namespace app {

// Held while the application object connects to the display. When no display can be
// opened, Qt raises a fatal error and would abort with a core dump; the guard instead
// prints one line saying so and ends the program with exit status 1. Qt's other start-up
// messages are held back and printed once the start has succeeded.
class DisplayGuard {
 public:
  DisplayGuard();
  ~DisplayGuard();
  DisplayGuard(const DisplayGuard&) = delete;
  DisplayGuard& operator=(const DisplayGuard&) = delete;
};

}  // namespace app
