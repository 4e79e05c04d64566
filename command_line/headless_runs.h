#pragma once

#include "options.h"
#include "run/layout.h"

namespace app {

// Runs the command on the request's layout: shows the window and waits until it is closed,
// or runs without a display, prints and writes what the mode asks for, and exits. Returns
// the program's exit status: 0 when done, 1 when the run failed or a search found nothing,
// 2 when the output could not be written or names what the run does not have. Qt is given
// argv's program name alone.
int runCommand(const Command& command, const RunRequest& request, char** argv);

}  // namespace app
