#pragma once

#include <vector>

#include "options.h"
#include "site_generation.h"

namespace app {

// The two ways to run the demonstration. Each returns the program's exit status: 0 when the
// picture was made, 1 when the run failed, 2 when the output could not be written.
// givenSites is null when the sites are to be drawn at random.

// Shows the window, draws the picture in it and waits until it is closed.
int showInWindow(const Options& options, const std::vector<SitePosition>* givenSites, int& argc,
                 char** argv);

// Draws the picture without a display and writes it to options.saveFile.
int saveToFile(const Options& options, const std::vector<SitePosition>* givenSites, int& argc,
               char** argv);

}  // namespace app
