#pragma once

#include "options.h"
#include "run/layout.h"

namespace app {

// The ways to run the demonstration. Each returns the program's exit status: 0 when the
// picture was made, 1 when the run failed, 2 when the output could not be written.

// Shows the window, draws the picture in it and waits until it is closed.
int showInWindow(const Options& options, const RunRequest& request, int& argc, char** argv);

// Draws the picture without a display and writes it to options.saveFile.
int saveToFile(const Options& options, const RunRequest& request, int& argc, char** argv);

// Draws the picture without a display and prints how the edge finder treats the pairs that
// options.explain names; with options.saveFile, writes the picture (for one pair, the
// picture of its steps). An explained pair that is not one of the run's exits with 2.
int explainPairs(const Options& options, const RunRequest& request, int& argc, char** argv);

// Draws the picture without a display and prints, in scan order, each pair whose outcome
// in exact arithmetic differs from the edge finder's, then how many of all pairs differ.
int compareWithExact(const Options& options, const RunRequest& request, int& argc, char** argv);

// Searches near the run's layout for one where the floats and exact arithmetic draw
// different edges and prints its site list, or says that none was found (exit status 1).
int findFailure(const Options& options, const RunRequest& request, int& argc, char** argv);

// Writes the nudge map of options.nudgeMap to options.saveFile as a PNG.
int writeNudgeMap(const Options& options, const RunRequest& request, int& argc, char** argv);

}  // namespace app
